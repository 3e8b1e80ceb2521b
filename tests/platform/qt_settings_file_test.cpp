// The settings file on disk: how often it is read and written, and what the
// back end does with a file it must not touch.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/settings/settings_store.h"
#include "platform/qt_settings_backend.h"

namespace picprog {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class SettingsFile : public ::testing::Test {
protected:
    fs::path file() const { return fs::path(dir_.path().toStdString()) / "settings.ini"; }
    QString qfile() const { return QString::fromStdString(file().string()); }
    QtSettingsOptions counting_warnings(bool hold = false) {
        return {hold, [this](std::string_view text) { warnings_.emplace_back(text); }};
    }

    QTemporaryDir dir_;
    std::vector<std::string> warnings_;
};

TEST_F(SettingsFile, HeldWritesReachTheFileTogetherAtTheFlush) {
    QtSettingsBackend backend(qfile(), counting_warnings(true));
    SettingsStore store(backend);
    EXPECT_EQ(store.get_setting(setting::kInvertVdd, "0"), "0");
    store.save_setting(setting::kParallelPortAddress, "632");
    EXPECT_FALSE(fs::exists(file()));
    backend.flush();
    const std::string text = contents(file());
    EXPECT_NE(text.find("Invert%20VDD=0"), std::string::npos) << text;
    EXPECT_NE(text.find("Parallel%20Port%20Address=632"), std::string::npos) << text;
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(SettingsFile, HeldBackEndReadsTheFileOnceAndAFreeOneSeesLaterChanges) {
    write(file(), "[General]\nMouse%20Wheel%20Enabled=dword:00000001\n");
    QtSettingsBackend held(qfile(), counting_warnings(true));
    QtSettingsBackend free(qfile());
    EXPECT_EQ(held.read_dword("", setting::kMouseWheelEnabled), 1);
    EXPECT_EQ(free.read_dword("", setting::kMouseWheelEnabled), 1);
    // Another program turns the wheel off; a different size marks the change.
    write(file(), "[General]\nMouse%20Wheel%20Enabled=dword:00000000\n\n");
    EXPECT_EQ(free.read_dword("", setting::kMouseWheelEnabled), 0);
    QtSettingsBackend fresh_held(qfile(), counting_warnings(true));
    EXPECT_EQ(fresh_held.read_dword("", setting::kMouseWheelEnabled), 0);
}

TEST_F(SettingsFile, WriteThroughASymbolicLinkUpdatesTheTargetAndKeepsTheLink) {
    const fs::path target = fs::path(dir_.path().toStdString()) / "kept" / "real.ini";
    fs::create_directories(target.parent_path());
    write(target, "[General]\nColor%20Theme=Mono Dark\n");
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    fs::create_symlink(target, file());
    {
        QtSettingsBackend backend(qfile());
        backend.write_string("", setting::kMicrocontrollerModel, "3");
    }
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(fs::read_symlink(file()), target);
    const std::string text = contents(target);
    EXPECT_NE(text.find("Microcontroller%20Model=3"), std::string::npos) << text;
    EXPECT_NE(text.find("Color%20Theme=Mono Dark"), std::string::npos) << text;
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(SettingsFile, PrivateModeOfTheFileIsKept) {
    write(file(), "[General]\n");
    ASSERT_EQ(chmod(file().c_str(), 0600), 0);
    QtSettingsBackend(qfile()).write_string("", setting::kLastPath, "/x/");
    struct stat info {};
    ASSERT_EQ(stat(file().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_NE(contents(file()).find("Last%20Path=/x/"), std::string::npos);
}

// A file the back end must not use: every read answers the default, no
// write touches it, and the user is told once.
struct UnusableFile {
    const char* name;
    void (*make)(const fs::path& file);
};

const UnusableFile kUnusableFiles[] = {
    {"Oversized",
     [](const fs::path& file) {
         write(file, "[General]\nMicrocontroller%20Model=2\nJunk=" +
                         std::string(static_cast<size_t>(kMaxSettingsFileBytes), 'x') + "\n");
     }},
    {"Folder", [](const fs::path& file) { fs::create_directory(file); }},
    {"Fifo", [](const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
};

class UnusableSettingsFile : public SettingsFile,
                             public ::testing::WithParamInterface<UnusableFile> {};

TEST_P(UnusableSettingsFile, IsIgnoredWithOneWarningAndNeverWritten) {
    GetParam().make(file());
    const auto before = fs::symlink_status(file()).type();
    const std::string text_before = fs::is_regular_file(file()) ? contents(file()) : "";
    {
        QtSettingsBackend backend(qfile(), counting_warnings());
        SettingsStore store(backend);
        EXPECT_EQ(store.get_setting(setting::kMicrocontrollerModel, "1"), "1");
        EXPECT_EQ(store.get_setting_dword(setting::kMouseWheelEnabled, 1), 1);
        store.save_setting(setting::kColorTheme, "Mono Dark");
        EXPECT_NE(backend.ignored_reason().find("settings.ini"), std::string::npos);
    }
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_NE(warnings_[0].find("default settings are used"), std::string::npos) << warnings_[0];
    EXPECT_EQ(fs::symlink_status(file()).type(), before);
    if (!text_before.empty()) {
        EXPECT_EQ(contents(file()), text_before);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnusableSettingsFile, ::testing::ValuesIn(kUnusableFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, FileOfTheLargestSaneSizeIsUsed) {
    const std::string head = "[General]\nMicrocontroller%20Model=2\nJunk=";
    write(file(),
          head + std::string(static_cast<size_t>(kMaxSettingsFileBytes) - head.size() - 1, 'x') +
              "\n");
    QtSettingsBackend backend(qfile(), counting_warnings());
    EXPECT_EQ(backend.read_string("", setting::kMicrocontrollerModel), "2");
    EXPECT_TRUE(warnings_.empty());
}

}  // namespace
}  // namespace picprog
