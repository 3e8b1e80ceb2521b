#include "core/settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "core/settings/memory_backend.h"

namespace picprog {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    MemoryBackend backend;
    SettingsStore store{backend};
};

TEST_F(SettingsStoreTest, FirstReadCreatesTheKeyAndStoresTheDefault) {
    EXPECT_FALSE(backend.has_key(""));
    EXPECT_EQ(store.get_setting("Parallel Port Address", "888"), "888");
    EXPECT_TRUE(backend.has_key(""));
    EXPECT_EQ(backend.read_string("", "Parallel Port Address"), "888");
    // The second read finds the stored value, whatever default it names.
    EXPECT_EQ(store.get_setting("Parallel Port Address", "632"), "888");
}

TEST_F(SettingsStoreTest, SavedTextReadsBackUnchanged) {
    store.save_setting("Last Path", "/home/user/pic projects/");
    EXPECT_EQ(store.get_setting("Last Path", "x"), "/home/user/pic projects/");
    store.save_setting("Microcontroller Model", "12");
    EXPECT_EQ(store.get_setting("Microcontroller Model", "1"), "12");
}

TEST_F(SettingsStoreTest, AnEmptyValueIsNotAMissingOne) {
    store.save_setting("Color Theme", "");
    EXPECT_EQ(store.get_setting("Color Theme", "Original Lite"), "");
    EXPECT_EQ(backend.read_string("", "Color Theme"), "");
}

TEST_F(SettingsStoreTest, TextsLongerThan254CharactersCountAsMissing) {
    const std::string fits(254, 'a');
    store.save_setting("Last Path", fits);
    EXPECT_EQ(store.get_setting("Last Path", "d"), fits);

    store.save_setting("Last Path", std::string(255, 'b'));
    EXPECT_EQ(store.get_setting("Last Path", "d"), "d");
    EXPECT_EQ(backend.read_string("", "Last Path"), "d");
}

TEST_F(SettingsStoreTest, AValueOfTheWrongKindIsReplacedByTheDefault) {
    backend.write_dword("", "Color Theme", 7);
    EXPECT_EQ(store.get_setting("Color Theme", "Original Lite"), "Original Lite");
    backend.write_string("", "Mouse Wheel Enabled", "1");
    EXPECT_EQ(store.get_setting_dword("Mouse Wheel Enabled", 1), 1);
    EXPECT_EQ(backend.read_dword("", "Mouse Wheel Enabled"), 1);
}

TEST_F(SettingsStoreTest, DwordFirstReadStoresTheDefaultAndLaterReadsTheStoredValue) {
    EXPECT_EQ(store.get_setting_dword("Mouse Wheel Enabled", 1), 1);
    EXPECT_EQ(backend.read_dword("", "Mouse Wheel Enabled"), 1);
    backend.write_dword("", "Mouse Wheel Enabled", 0);
    EXPECT_EQ(store.get_setting_dword("Mouse Wheel Enabled", 1), 0);
    backend.write_dword("", "Signed", -5);
    EXPECT_EQ(store.get_setting_dword("Signed", 3), -5);
}

TEST_F(SettingsStoreTest, DwordNamesWithABackslashAddressASubKey) {
    EXPECT_EQ(store.get_setting_dword("Window\\Left", 40), 40);
    EXPECT_TRUE(backend.has_key("Window"));
    EXPECT_EQ(backend.read_dword("Window", "Left"), 40);
    EXPECT_FALSE(backend.value("", "Window\\Left").has_value());

    // Only the first backslash splits.
    EXPECT_EQ(store.get_setting_dword("A\\B\\C", 9), 9);
    EXPECT_EQ(backend.read_dword("A", "B\\C"), 9);
}

}  // namespace
}  // namespace picprog
