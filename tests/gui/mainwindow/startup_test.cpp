// Start-up: the load handler's settings, model and port steps, the port
// back end choice, the device database search, the Qt settings back end and
// the single-instance lock.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "gui/mainwindow/window_fixture.h"
#include "gui/platform/single_instance.h"
#include "platform/qt_settings_backend.h"

namespace picprog::gui_test {
namespace {

TEST(StartupLoadHandler, FirstStartSelectsModelOneAndStoresEveryDefault) {
    WindowFixture f;
    f.start();

    EXPECT_EQ(f.programmer.model.index, 1);
    EXPECT_EQ(f.c().label_ime->text().toStdString(), "16F628A");
    const LineSettings& s = f.programmer.line_settings;
    EXPECT_EQ(s.port_base, 888);
    EXPECT_EQ((std::array{s.vdd_pin, s.vpp_pin, s.clock_pin, s.dataout_pin, s.datain_pin}),
              (std::array{4, 5, 3, 2, 10}));
    EXPECT_EQ((std::array{s.vdd_inverted, s.vpp_inverted, s.clock_inverted, s.dataout_inverted,
                          s.datain_inverted}),
              (std::array{0, 0, 1, 1, 1}));
    EXPECT_EQ(f.window->last_path(), "/programs/picprog/");
    EXPECT_EQ(f.c().client->palette().color(QPalette::Window), QColor(0xD7, 0xE6, 0xCA));

    const std::vector<std::pair<std::string_view, std::string>> expected = {
        {setting::kLastPath, "/programs/picprog/"},
        {setting::kMicrocontrollerModel, "1"},
        {setting::kParallelPortAddress, "888"},
        {setting::kInvertVdd, "0"},
        {setting::kInvertVpp, "0"},
        {setting::kInvertClock, "1"},
        {setting::kInvertDataOut, "1"},
        {setting::kInvertDataIn, "1"},
        {setting::kVddPinNum, "4"},
        {setting::kVppPinNum, "5"},
        {setting::kClockPinNum, "3"},
        {setting::kDataOutPinNum, "2"},
        {setting::kDataInPinNum, "10"},
        {setting::kColorTheme, "Original Lite"},
        {setting::kMouseWheelEnabled, "dword:1"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(f.stored(name), value) << name;
    }
}

TEST(StartupLoadHandler, StoredModelOutsideTheDatabaseFallsBackToModelOne) {
    for (const char* stored : {"0", "5", "abc", "-2"}) {
        WindowFixture f;
        f.preset(setting::kMicrocontrollerModel, stored);
        f.start();
        EXPECT_EQ(f.programmer.model.index, 1) << stored;
        EXPECT_EQ(f.stored(setting::kMicrocontrollerModel), "1") << stored;
    }
    WindowFixture f;
    f.preset(setting::kMicrocontrollerModel, "4");
    f.start();
    EXPECT_EQ(f.c().label_ime->text().toStdString(), "16F84A");
}

struct PortCase {
    const char* stored_address;
    bool simulated;
    std::string hardware_failure;
    std::string status;
};

TEST(StartupLoadHandler, StatusLineTellsWhichPortIsReadyOrWhyNot) {
    const std::vector<PortCase> cases = {
        {"888", true, "", "Parallel port 1 ready (simulated programmer)"},
        {"632", true, "", "Parallel port 2 ready (simulated programmer)"},
        {"956", true, "", "Parallel port 3 ready (simulated programmer)"},
        {"123", true, "", ""},
        {"888", false, "", "Parallel port 1 ready"},
        {"632", false, "", "Parallel port 2 ready"},
        {"956", false, "", "Parallel port 3 ready"},
        {"123", false, "", ""},
        {"888", false, "no parallel port found.",
         "Parallel port 1 not available: no parallel port found. "
         "Tick Simulated Programmer in the Hardware menu to try the program without one."},
        {"123", false, "permission denied",
         "Parallel port at address 123 not available: permission denied. "
         "Tick Simulated Programmer in the Hardware menu to try the program without one."},
    };
    for (const PortCase& pc : cases) {
        WindowFixture f;
        f.preset(setting::kParallelPortAddress, pc.stored_address);
        f.hardware_failure = pc.hardware_failure;
        f.start(pc.simulated);
        EXPECT_EQ(f.status(), pc.status) << pc.stored_address << " sim " << pc.simulated;
        EXPECT_EQ(f.programmer.line_settings.port_base, std::stoi(pc.stored_address));
        if (!pc.simulated) {
            EXPECT_EQ(f.hardware->opened_at, std::stoi(pc.stored_address));
        }
    }
}

TEST(StartupLoadHandler, CaptionNamesTheSimulatedProgrammer) {
    WindowFixture simulated;
    simulated.start(true);
    EXPECT_EQ(simulated.window->windowTitle().toStdString(),
              "Quellmark Parallel Port PIC Programmer - Simulated Programmer");
    WindowFixture hardware;
    hardware.start(false);
    EXPECT_EQ(hardware.window->windowTitle().toStdString(),
              "Quellmark Parallel Port PIC Programmer");
}

TEST(StartupLoadHandler, OutputLinesEndIdleOnTheBoard) {
    WindowFixture f;
    f.start();
    const TraceLevels levels = f.board->levels();
    EXPECT_FALSE(levels.vdd);
    EXPECT_FALSE(levels.vpp);
    EXPECT_FALSE(levels.clock);
    // Four line changes, each writing both registers.
    EXPECT_EQ(f.probe->writes, 8);
}

TEST(StartupLoadHandler, StoredPinsAndInversionsReachTheLineSettings) {
    WindowFixture f;
    f.preset(setting::kVddPinNum, "7");
    f.preset(setting::kInvertVpp, "1");
    f.preset(setting::kDataInPinNum, "13 (ACK)");
    f.start();
    EXPECT_EQ(f.programmer.line_settings.vdd_pin, 7);
    EXPECT_EQ(f.programmer.line_settings.vpp_inverted, 1);
    EXPECT_EQ(f.programmer.line_settings.datain_pin, 13);
}

// --- Qt settings back end ---

TEST(StartupSettingsBackend, KeepsTextAndNumbersApartAndMissingApartFromEmpty) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("settings.ini");
    {
        QtSettingsBackend backend(ini);
        EXPECT_FALSE(backend.read_string("", "Last Path").has_value());
        backend.write_string("", "Last Path", "");
        backend.write_string("", "Odd", "dword:00000001");
        backend.write_string("", "Slash/Name", "x");
        backend.write_dword("", "Mouse Wheel Enabled", -2);
        backend.write_dword("Sub", "Value", 7);
    }
    QtSettingsBackend reopened(ini);
    EXPECT_EQ(reopened.read_string("", "Last Path"), std::optional<std::string>(""));
    EXPECT_EQ(reopened.read_string("", "Odd"), std::optional<std::string>("dword:00000001"));
    EXPECT_FALSE(reopened.read_dword("", "Odd").has_value());
    EXPECT_EQ(reopened.read_string("", "Slash/Name"), std::optional<std::string>("x"));
    EXPECT_EQ(reopened.read_dword("", "Mouse Wheel Enabled"), std::optional<int32_t>(-2));
    EXPECT_FALSE(reopened.read_string("", "Mouse Wheel Enabled").has_value());
    EXPECT_EQ(reopened.read_dword("Sub", "Value"), std::optional<int32_t>(7));
    EXPECT_FALSE(reopened.read_dword("", "Value").has_value());
}

TEST(StartupSettingsBackend, StoreOverTheIniFileWritesDefaultsOnFirstRead) {
    QTemporaryDir dir;
    QtSettingsBackend backend(dir.filePath("settings.ini"));
    SettingsStore store(backend);
    EXPECT_EQ(store.get_setting(setting::kParallelPortAddress, "888"), "888");
    EXPECT_EQ(store.get_setting_dword(setting::kMouseWheelEnabled, 1), 1);
    store.save_setting(setting::kParallelPortAddress, "632");
    QtSettingsBackend other(dir.filePath("settings.ini"));
    EXPECT_EQ(other.read_string("", setting::kParallelPortAddress),
              std::optional<std::string>("632"));
    EXPECT_EQ(other.read_dword("", setting::kMouseWheelEnabled), std::optional<int32_t>(1));
}

// --- single instance ---

TEST(StartupSingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
    QTemporaryDir dir;
    const QString lock = dir.filePath("picprog.lock");
    auto first = std::make_unique<SingleInstance>(lock);
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire());
    SingleInstance second(lock);
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

}  // namespace
}  // namespace picprog::gui_test
