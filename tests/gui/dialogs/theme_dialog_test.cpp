#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <string>

#include "core/settings/memory_backend.h"
#include "dialog_test_support.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/theme_dialog.h"

namespace picprog {
namespace {

constexpr size_t kNightVision = 30;
constexpr size_t kBlues = 8;
constexpr size_t kOriginalLite = 35;

class ThemeDialogTest : public ::testing::Test {
protected:
    void open(std::string_view stored_name) {
        store.write_string("", setting::kColorTheme, stored_name);
        load_theme(state, settings);
        dialog = std::make_unique<ThemeDialog>(
            nullptr, state, settings,
            [this] { main_window_colours.push_back(state.theme.window_back); },
            [this] { ++pumps; });
        ASSERT_TRUE(testing::open_and_activate(*dialog));
    }
    void click(size_t i) { QTest::mouseClick(dialog->option(i), Qt::LeftButton); }
    std::string stored() {
        const auto value = store.value("", setting::kColorTheme);
        return value ? std::get<std::string>(*value) : "<missing>";
    }
    QColor back(size_t i) { return dialog->option(i)->palette().color(QPalette::Window); }
    size_t marked_count(const ColorTheme& theme) {
        size_t marked = 0;
        for (size_t i = 0; i < dialog->option_count(); ++i) {
            // Field and mark colours differ in every theme on at least the
            // background or the text.
            const QPalette p = dialog->option(i)->palette();
            if (p.color(QPalette::Window) == theme.mark_back &&
                p.color(QPalette::WindowText) == theme.mark_text) {
                ++marked;
            }
        }
        return marked;
    }

    MemoryBackend store;
    SettingsStore settings{store};
    ThemeState state;
    std::vector<QColor> main_window_colours;
    int pumps = 0;
    std::unique_ptr<ThemeDialog> dialog;
};

TEST_F(ThemeDialogTest, ListsEveryThemeInTableOrderInTwoColumns) {
    open("Original Lite");
    EXPECT_EQ(dialog->windowTitle(), "Change Color Theme");
    ASSERT_EQ(dialog->option_count(), 46u);
    for (size_t i = 0; i < dialog->option_count(); ++i) {
        EXPECT_EQ(dialog->option(i)->text().toStdString(), theme_table()[i].name);
    }
    EXPECT_EQ(dialog->option(0)->geometry(), QRect(8, 8, 141, 17));
    EXPECT_EQ(dialog->option(45)->geometry(), QRect(156, (120 + 300 * 22) / 15, 141, 17));
    EXPECT_EQ(dialog->option(34)->text(), "Original Dark");
    EXPECT_EQ(dialog->option(35)->geometry().top(), (120 + 300 * 17) / 15);
    EXPECT_EQ(dialog->select_button()->geometry(), QRect(228, 472, 69, 25));
    EXPECT_EQ(dialog->cancel_button()->geometry(), QRect(156, 472, 69, 25));
    EXPECT_EQ(dialog->size(), QSize(305, 501));
}

TEST_F(ThemeDialogTest, OpensWithTheCurrentThemeMarked) {
    open("Original Lite");
    const ColorTheme& lite = find_theme("Original Lite").colors;
    EXPECT_EQ(back(kOriginalLite), lite.mark_back);
    EXPECT_EQ(back(kNightVision), lite.field_back);
    EXPECT_EQ(marked_count(lite), 1u);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), lite.window_back);
    EXPECT_EQ(dialog->name_at_open(), "Original Lite");
}

TEST_F(ThemeDialogTest, ClickRecoloursEverythingAndStoresAtOnce) {
    open("Original Lite");
    click(kNightVision);
    const ColorTheme& night = find_theme("Night Vision").colors;
    EXPECT_EQ(stored(), "Night Vision");
    EXPECT_EQ(state.current_theme_name, "Night Vision");
    EXPECT_EQ(state.theme.window_back, night.window_back);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), night.window_back);
    EXPECT_EQ(back(kNightVision), night.mark_back);
    EXPECT_EQ(back(kOriginalLite), night.field_back);
    ASSERT_EQ(main_window_colours.size(), 1u);
    EXPECT_EQ(main_window_colours.back(), night.window_back);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ThemeDialogTest, CancelRestoresAndStoresTheOpeningTheme) {
    open("Blues");
    click(kNightVision);
    click(kOriginalLite);
    QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored(), "Blues");
    EXPECT_EQ(state.current_theme_name, "Blues");
    EXPECT_EQ(state.theme.window_back, find_theme("Blues").colors.window_back);
    ASSERT_EQ(main_window_colours.size(), 3u);
    EXPECT_EQ(main_window_colours.back(), find_theme("Blues").colors.window_back);
    EXPECT_EQ(pumps, 1);
}

TEST_F(ThemeDialogTest, EscapeActsAsCancel) {
    open("Blues");
    click(kNightVision);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored(), "Blues");
}

TEST_F(ThemeDialogTest, SelectKeepsTheClickedTheme) {
    open("Original Lite");
    click(kBlues);
    click(kNightVision);
    QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored(), "Night Vision");
    EXPECT_EQ(state.theme.window_back, find_theme("Night Vision").colors.window_back);
    EXPECT_EQ(main_window_colours.size(), 3u);
    EXPECT_EQ(pumps, 1);
}

TEST_F(ThemeDialogTest, EnterPressesSelect) {
    open("Original Lite");
    click(kBlues);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(stored(), "Blues");
}

TEST_F(ThemeDialogTest, StoredNameInAnotherCaseGivesOriginalLiteAndMarksNothing) {
    open("night vision");
    const ColorTheme& lite = find_theme("Original Lite").colors;
    EXPECT_EQ(state.theme.window_back, lite.window_back);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), lite.window_back);
    EXPECT_EQ(marked_count(lite), 0u);
    // Cancel stores the text as it was found.
    QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    EXPECT_EQ(stored(), "night vision");
}

}  // namespace
}  // namespace picprog
