#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"
#include "gui/dialogs/dialog_test_support.h"

namespace picprog {
namespace {

using testing::same_colors;

QColor hex(uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

TEST(ThemeTable, HoldsFortySixUniqueNamesInDialogOrder) {
    const auto& table = theme_table();
    ASSERT_EQ(table.size(), 46u);
    EXPECT_EQ(table.front().name, "Amethyst");
    EXPECT_EQ(table[1].name, "Arctica");
    // Row 18 of the two-column dialog.
    EXPECT_EQ(table[34].name, "Original Dark");
    EXPECT_EQ(table[35].name, "Original Lite");
    EXPECT_EQ(table.back().name, "Winamp Old");
    std::set<std::string_view> names;
    for (const NamedTheme& row : table) {
        names.insert(row.name);
    }
    EXPECT_EQ(names.size(), table.size());
}

struct RowCase {
    std::string_view name;
    // window, caption back/text, model caption back, field back/text,
    // section back/text, name back/text, info back/text
    std::array<uint32_t, 12> rgb;
};

class ThemeRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(ThemeRows, MatchTheTable) {
    const RowCase& c = GetParam();
    const NamedTheme& row = find_theme(c.name);
    ASSERT_EQ(row.name, c.name);
    const ColorTheme& t = row.colors;
    EXPECT_EQ(t.window_back, hex(c.rgb[0]));
    EXPECT_EQ(t.caption_back, hex(c.rgb[1]));
    EXPECT_EQ(t.caption_text, hex(c.rgb[2]));
    EXPECT_EQ(t.model_caption_back, hex(c.rgb[3]));
    EXPECT_EQ(t.field_back, hex(c.rgb[4]));
    EXPECT_EQ(t.field_text, hex(c.rgb[5]));
    EXPECT_EQ(t.section_back, hex(c.rgb[6]));
    EXPECT_EQ(t.section_text, hex(c.rgb[7]));
    EXPECT_EQ(t.name_back, hex(c.rgb[8]));
    EXPECT_EQ(t.name_text, hex(c.rgb[9]));
    EXPECT_EQ(t.info_back, hex(c.rgb[10]));
    EXPECT_EQ(t.info_text, hex(c.rgb[11]));
}

INSTANTIATE_TEST_SUITE_P(
    ThemeRows, ThemeRows,
    ::testing::Values(RowCase{"Amethyst",
                              {0x5E2770, 0xB446B7, 0x5A2086, 0xFFFFFF, 0x4E1F56, 0xC86FFF, 0x862E82,
                               0xFFFFFF, 0xF1F1F4, 0x400051, 0x370937, 0xF2EFF2}},
                      RowCase{"Night Vision",
                              {0x3F3F3F, 0x252525, 0x50FFFF, 0xBDFFFF, 0x148A9A, 0x00EAFF, 0x025E72,
                               0xD4FFFF, 0x737373, 0x7DE7FC, 0x0E616D, 0xBCF4F5}},
                      RowCase{"Original Lite",
                              {0xD7E6CA, 0xE9E9DA, 0x000000, 0xE0E0E0, 0xFFFFFF, 0x000000, 0xFFE0C0,
                               0x000000, 0xFFC0C0, 0x000000, 0xFFFFC0, 0x000000}},
                      RowCase{"Winamp Old",
                              {0x494965, 0x2E2E40, 0xD3D8D8, 0xE0E8E8, 0x000000, 0x00FF00, 0x0000C3,
                               0xFFFFFF, 0x49496A, 0xC2C2C2, 0x1C1C28, 0x01EF02}}));

TEST(ThemeRules, MarkAndModelCaptionTextFollowTheirRules) {
    for (const NamedTheme& row : theme_table()) {
        const ColorTheme& t = row.colors;
        EXPECT_EQ(t.model_caption_text, QColor(Qt::black)) << row.name;
        if (row.name == "Original Dark" || row.name == "Original Lite") {
            EXPECT_EQ(t.mark_back, hex(0xC0FFC0)) << row.name;
            EXPECT_EQ(t.mark_text, QColor(Qt::black)) << row.name;
        } else {
            EXPECT_EQ(t.mark_back, t.caption_back) << row.name;
            EXPECT_EQ(t.mark_text, t.caption_text) << row.name;
        }
    }
}

TEST(ThemeLookup, OnlyExactNamesMatch) {
    const NamedTheme& lite = find_theme("Original Lite");
    EXPECT_EQ(&find_theme("Bloods"), &theme_table()[4]);
    for (const char* unknown : {"night vision", "Night Vision ", "", "Solarized"}) {
        EXPECT_EQ(&find_theme(unknown), &lite) << unknown;
    }
}

struct LoadCase {
    const char* label;
    std::optional<std::string> stored;
    std::string expected_name;
    std::string_view colours_of;
};

class ThemeLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(ThemeLoad, ReadsTheSettingAndFillsTheRecord) {
    const LoadCase& c = GetParam();
    MemoryBackend backend;
    SettingsStore settings(backend);
    if (c.stored) {
        settings.save_setting(setting::kColorTheme, *c.stored);
    }
    ThemeState state;
    state.theme = find_theme("Toxic").colors;  // what was in use before
    load_theme(state, settings);
    EXPECT_EQ(state.current_theme_name, c.expected_name) << c.label;
    EXPECT_TRUE(same_colors(state.theme, find_theme(c.colours_of).colors)) << c.label;
    EXPECT_EQ(settings.get_setting(setting::kColorTheme, "unused"), c.expected_name) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    ThemeLoad, ThemeLoad,
    ::testing::Values(LoadCase{"first start stores the default", std::nullopt, "Original Lite",
                               "Original Lite"},
                      LoadCase{"stored theme", "Night Vision", "Night Vision", "Night Vision"},
                      LoadCase{"other case keeps text, lite colours", "night vision",
                               "night vision", "Original Lite"},
                      LoadCase{"empty name keeps colours", "", "", "Toxic"}));

}  // namespace
}  // namespace picprog
