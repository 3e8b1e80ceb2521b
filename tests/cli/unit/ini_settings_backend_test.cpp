#include "cli/ini_settings_backend.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/settings/settings_store.h"

namespace picprog {
namespace {

class IniSettingsBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("picprog-ini-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path file() const { return folder_ / "sub" / "settings.ini"; }
    std::string text() const {
        std::ifstream in(file());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path folder_;
};

TEST_F(IniSettingsBackendTest, MissingFileReadsAsMissingAndFirstWriteCreatesIt) {
    IniSettingsBackend backend(file());
    EXPECT_EQ(backend.read_string("", "Last Path"), std::nullopt);
    backend.write_string("", "Last Path", "/tmp/");
    EXPECT_EQ(text(), "[General]\nLast%20Path=/tmp/\n");
    EXPECT_EQ(backend.read_string("", "Last Path"), "/tmp/");
}

TEST_F(IniSettingsBackendTest, DwordsAreMarkedAndKeptApartFromTexts) {
    IniSettingsBackend backend(file());
    backend.write_dword("", "Mouse Wheel Enabled", 1);
    backend.write_dword("", "Negative", -2);
    EXPECT_THAT(text(), ::testing::HasSubstr("Mouse%20Wheel%20Enabled=dword:00000001\n"));
    EXPECT_THAT(text(), ::testing::HasSubstr("Negative=dword:fffffffe\n"));
    EXPECT_EQ(backend.read_dword("", "Mouse Wheel Enabled"), 1);
    EXPECT_EQ(backend.read_dword("", "Negative"), -2);
    EXPECT_EQ(backend.read_string("", "Mouse Wheel Enabled"), std::nullopt);
    backend.write_string("", "Text", "1");
    EXPECT_EQ(backend.read_dword("", "Text"), std::nullopt);
}

TEST_F(IniSettingsBackendTest, TextThatLooksLikeAMarkerIsEscaped) {
    IniSettingsBackend backend(file());
    backend.write_string("", "Tricky", "dword:00000001");
    EXPECT_THAT(text(), ::testing::HasSubstr("Tricky=string:dword:00000001\n"));
    EXPECT_EQ(backend.read_string("", "Tricky"), "dword:00000001");
    EXPECT_EQ(backend.read_dword("", "Tricky"), std::nullopt);
}

TEST_F(IniSettingsBackendTest, SubKeyIsAGroup) {
    IniSettingsBackend backend(file());
    backend.write_dword("Sub", "Name", 7);
    EXPECT_THAT(text(), ::testing::HasSubstr("[Sub]\nName=dword:00000007\n"));
    EXPECT_EQ(backend.read_dword("Sub", "Name"), 7);
    EXPECT_EQ(backend.read_dword("", "Name"), std::nullopt);
}

TEST_F(IniSettingsBackendTest, StoreOverTheFileWritesDefaultsOnFirstRead) {
    IniSettingsBackend backend(file());
    SettingsStore store(backend);
    EXPECT_EQ(store.get_setting("Parallel Port Address", "888"), "888");
    EXPECT_EQ(store.get_setting_dword("Mouse Wheel Enabled", 1), 1);
    store.save_setting("Parallel Port Address", "632");
    EXPECT_EQ(store.get_setting("Parallel Port Address", "888"), "632");
    EXPECT_EQ(text(),
              "[General]\nParallel%20Port%20Address=632\n"
              "Mouse%20Wheel%20Enabled=dword:00000001\n");
}

TEST_F(IniSettingsBackendTest, EmptyTextIsStoredNotMissing) {
    IniSettingsBackend backend(file());
    backend.write_string("", "Empty", "");
    EXPECT_EQ(backend.read_string("", "Empty"), "");
}

}  // namespace
}  // namespace picprog
