// The command-line tool and the desktop program share one settings file.
// These tests write it with one program's back end and read it with the
// other's, so a difference in escaping or in the value markers shows here.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cli/ini_settings_backend.h"
#include "gui/platform/qt_settings_backend.h"

namespace picprog {
namespace {

class SharedSettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = std::filesystem::temp_directory_path() /
                ("picprog-interop-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
        std::filesystem::remove(file_);
    }
    void TearDown() override { std::filesystem::remove(file_); }

    QtSettingsBackend qt() const { return QtSettingsBackend(QString::fromStdString(file_)); }
    IniSettingsBackend cli() const { return IniSettingsBackend(file_); }

    std::filesystem::path file_;
};

const std::vector<std::string>& tricky_texts() {
    static const std::vector<std::string> texts{
        "888",
        "/home/user/my files/",
        "",
        " leading and trailing ",
        "a,b;c=d \"quoted\" \\ back",
        "@at the start",
        "dword:00000001",
        "string:looks like a marker",
        "Gr\xC3\xBC\xC3\x9F"
        "e\tand a tab",
        "Original Lite",
    };
    return texts;
}

TEST_F(SharedSettingsFile, DesktopReadsWhatTheToolWrote) {
    IniSettingsBackend writer = cli();
    for (size_t i = 0; i < tricky_texts().size(); ++i) {
        writer.write_string("", "Text " + std::to_string(i), tricky_texts()[i]);
    }
    writer.write_dword("", "Mouse Wheel Enabled", 1);
    writer.write_dword("Sub", "Negative", -5);

    QtSettingsBackend reader = qt();
    for (size_t i = 0; i < tricky_texts().size(); ++i) {
        EXPECT_EQ(reader.read_string("", "Text " + std::to_string(i)), tricky_texts()[i]) << i;
    }
    EXPECT_EQ(reader.read_dword("", "Mouse Wheel Enabled"), 1);
    EXPECT_EQ(reader.read_dword("Sub", "Negative"), -5);
    EXPECT_EQ(reader.read_string("", "Mouse Wheel Enabled"), std::nullopt);
}

TEST_F(SharedSettingsFile, ToolReadsWhatTheDesktopWrote) {
    QtSettingsBackend writer = qt();
    for (size_t i = 0; i < tricky_texts().size(); ++i) {
        writer.write_string("", "Text " + std::to_string(i), tricky_texts()[i]);
    }
    writer.write_dword("", "Mouse Wheel Enabled", 0);
    writer.write_dword("Sub", "Negative", -5);

    IniSettingsBackend reader = cli();
    for (size_t i = 0; i < tricky_texts().size(); ++i) {
        EXPECT_EQ(reader.read_string("", "Text " + std::to_string(i)), tricky_texts()[i]) << i;
    }
    EXPECT_EQ(reader.read_dword("", "Mouse Wheel Enabled"), 0);
    EXPECT_EQ(reader.read_dword("Sub", "Negative"), -5);
    EXPECT_EQ(reader.read_dword("", "Text 0"), std::nullopt);
}

TEST_F(SharedSettingsFile, ToolKeepsValuesTheDesktopWroteWhenItWritesItsOwn) {
    qt().write_string("", "Color Theme", "Dark, High Contrast");
    cli().write_string("", "Microcontroller Model", "3");
    QtSettingsBackend reader = qt();
    EXPECT_EQ(reader.read_string("", "Color Theme"), "Dark, High Contrast");
    EXPECT_EQ(reader.read_string("", "Microcontroller Model"), "3");
}

}  // namespace
}  // namespace picprog
