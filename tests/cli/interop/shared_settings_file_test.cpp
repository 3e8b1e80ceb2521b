// The command-line tool and the desktop program share one settings file.
// These tests write it with one program and read it with the other: the
// built tool on one side, the desktop program's settings back end on the
// other.
#include <QString>

#include "binary/tool_run.h"
#include "core/settings/settings_store.h"
#include "platform/qt_settings_backend.h"

namespace picprog {
namespace {

using ::testing::HasSubstr;
using SharedSettingsFile = ToolTest;

QString qt_path(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

TEST_F(SharedSettingsFile, WindowReadsTheDefaultsTheToolCreated) {
    ASSERT_EQ(run(with_test_db({"erase", "--simulate"})).status, 0);
    QtSettingsBackend window(qt_path(settings_file()));
    const std::vector<std::pair<std::string_view, std::string>> expected = {
        {setting::kMicrocontrollerModel, "1"},
        {setting::kParallelPortAddress, "888"},
        {setting::kInvertVdd, "0"},
        {setting::kInvertDataIn, "1"},
        {setting::kVddPinNum, "4"},
        {setting::kDataInPinNum, "10"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(window.read_string("", name), value) << name;
    }
}

TEST_F(SharedSettingsFile, ToolReadsAndKeepsWhatTheWindowWrote) {
    std::filesystem::create_directories(settings_file().parent_path());
    const std::string path_with_blanks = "/home/user/my files, \"quoted\" = \\ \xC3\xBC/";
    {
        QtSettingsBackend window(qt_path(settings_file()));
        window.write_string("", setting::kMicrocontrollerModel, "2");
        window.write_string("", setting::kColorTheme, "Dark, High Contrast");
        window.write_string("", setting::kLastPath, path_with_blanks);
        window.write_dword("", setting::kMouseWheelEnabled, 0);
    }
    EXPECT_THAT(run(with_test_db({"dump", fixture("blink.hex")})).out,
                HasSubstr("Microcontroller Model: PIC16F628A\n"));
    ASSERT_EQ(run(with_test_db({"erase", "--simulate"})).status, 0);

    QtSettingsBackend window(qt_path(settings_file()));
    EXPECT_EQ(window.read_string("", setting::kColorTheme), "Dark, High Contrast");
    EXPECT_EQ(window.read_string("", setting::kLastPath), path_with_blanks);
    EXPECT_EQ(window.read_dword("", setting::kMouseWheelEnabled), 0);
    // The tool added its own defaults beside them.
    EXPECT_EQ(window.read_string("", setting::kInvertClock), "1");
}

}  // namespace
}  // namespace picprog
