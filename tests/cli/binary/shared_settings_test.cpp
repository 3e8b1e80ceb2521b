#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

using SharedSettings = ToolTest;

TEST_F(SharedSettings, FirstRunWritesTheDefaultsInTheDesktopProgramsForm) {
    ASSERT_EQ(run(with_test_db({"dump", fixture("blink.hex")})).status, 0);
    const std::string ini = read_file(settings_file());
    EXPECT_THAT(ini, HasSubstr("[General]\n"));
    EXPECT_THAT(ini, HasSubstr("Microcontroller%20Model=1\n"));
}

TEST_F(SharedSettings, ChipCommandReadsThePortAndLineSettings) {
    ASSERT_EQ(run(with_test_db({"erase", "--simulate"})).status, 0);
    const std::string ini = read_file(settings_file());
    for (const char* line :
         {"Parallel%20Port%20Address=888\n", "Invert%20VDD=0\n", "Invert%20CLOCK=1\n",
          "VDD%20Pin%20Num=4\n", "DATAIN%20Pin%20Num=10\n"}) {
        EXPECT_THAT(ini, HasSubstr(line));
    }
}

TEST_F(SharedSettings, StoredModelIsUsedWhenNoneIsGiven) {
    write_settings("[General]\nMicrocontroller%20Model=2\n");
    const Result result = run(with_test_db({"dump", fixture("blink.hex")}));
    EXPECT_THAT(result.out, HasSubstr("Microcontroller Model: PIC16F628A\n"));
}

TEST_F(SharedSettings, StoredModelOutOfRangeFallsBackToModelOneAndIsRewritten) {
    write_settings("[General]\nMicrocontroller%20Model=9\n");
    const Result result = run(with_test_db({"dump", fixture("blink.hex")}));
    EXPECT_THAT(result.out, HasSubstr("Microcontroller Model: PIC16F627A\n"));
    EXPECT_THAT(read_file(settings_file()), HasSubstr("Microcontroller%20Model=1\n"));
}

TEST_F(SharedSettings, OptionsOverrideForOneRunAndAreNotStored) {
    write_settings("[General]\nMicrocontroller%20Model=1\nParallel%20Port%20Address=632\n");
    const Result result = run(with_test_db({"erase", "--model", "2", "--port", "3", "--simulate"}));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string ini = read_file(settings_file());
    EXPECT_THAT(ini, HasSubstr("Microcontroller%20Model=1\n"));
    EXPECT_THAT(ini, HasSubstr("Parallel%20Port%20Address=632\n"));
}

TEST_F(SharedSettings, StoredPortAddressIsTheOneOpened) {
    write_settings("[General]\nParallel%20Port%20Address=4660\n");
    const Result result = run(with_test_db({"erase"}));
    EXPECT_EQ(result.status, 3);
    EXPECT_THAT(result.err, HasSubstr("Parallel port at address 4660 not available"));
}

TEST_F(SharedSettings, SimulatedBoardFollowsTheStoredPortAddress) {
    // The simulated board answers at the port in use, so a stored LPT2
    // works as well as LPT1.
    write_settings("[General]\nParallel%20Port%20Address=632\n");
    ASSERT_EQ(
        run(with_test_db({"program", "--model", "2", "--simulate", fixture("blink.hex")})).status,
        0);
}

TEST_F(SharedSettings, ValuesOfTheDesktopProgramAreKept) {
    write_settings(
        "[General]\nColor%20Theme=\"Dark, High Contrast\"\n"
        "Mouse%20Wheel%20Enabled=dword:00000001\n\n[Sub]\nOther=x\n");
    ASSERT_EQ(run(with_test_db({"dump", fixture("blink.hex")})).status, 0);
    const std::string ini = read_file(settings_file());
    EXPECT_THAT(ini, HasSubstr("Color%20Theme=\"Dark, High Contrast\"\n"));
    EXPECT_THAT(ini, HasSubstr("Mouse%20Wheel%20Enabled=dword:00000001\n"));
    EXPECT_THAT(ini, HasSubstr("[Sub]\nOther=x\n"));
    // The new value joins its own section, not the last one.
    EXPECT_THAT(ini, HasSubstr("[General]\nColor%20Theme=\"Dark, High Contrast\"\n"
                               "Microcontroller%20Model=1\n"));
}

TEST_F(SharedSettings, OversizedSettingsFileIsIgnoredWithAWarningAndLeftAlone) {
    const std::string text =
        "[General]\nMicrocontroller%20Model=2\nJunk=" + std::string(2 << 20, 'x') + "\n";
    write_settings(text);
    const Result result = run(with_test_db({"dump", fixture("blink.hex")}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.err, HasSubstr("Warning: The settings file " + settings_file().string() +
                                      " is ignored: it is larger than 1024 KiB"));
    EXPECT_THAT(result.out, HasSubstr("Microcontroller Model: PIC16F627A\n"));
    EXPECT_EQ(read_file(settings_file()), text);
}

TEST_F(SharedSettings, LinkedPrivateSettingsFileStaysALinkAndKeepsItsMode) {
    const auto target = home_ / "dotfiles" / "picprog.ini";
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target) << "[General]\nColor%20Theme=Mono Dark\n";
    std::filesystem::permissions(
        target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_directories(settings_file().parent_path());
    std::filesystem::create_symlink(target, settings_file());
    ASSERT_EQ(run(with_test_db({"erase", "--simulate"})).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(settings_file()));
    EXPECT_THAT(read_file(target), HasSubstr("Invert%20CLOCK=1\n"));
    EXPECT_THAT(read_file(target), HasSubstr("Color%20Theme=Mono Dark\n"));
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(SharedSettings, AbsoluteXdgConfigHomeTakesThePlaceOfDotConfig) {
    const auto xdg = home_ / "xdg";
    std::filesystem::create_directories(xdg / "quellmark-picprog");
    std::ofstream(xdg / "quellmark-picprog" / "quellmark-picprog.ini")
        << "[General]\nMicrocontroller%20Model=2\n";
    write_settings("[General]\nMicrocontroller%20Model=1\n");
    const auto dump = [&](const std::string& xdg_value) {
        return run(with_test_db({"dump", fixture("blink.hex")}), {"XDG_CONFIG_HOME=" + xdg_value});
    };
    EXPECT_THAT(dump(xdg.string()).out, HasSubstr("PIC16F628A"));
    // A relative value is ignored, as the XDG rules say.
    EXPECT_THAT(dump("xdg").out, HasSubstr("PIC16F627A"));
}

}  // namespace
