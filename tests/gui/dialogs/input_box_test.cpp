#include "gui/dialogs/input_box.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/engine/operation_view.h"
#include "gui/dialogs/dialog_test_support.h"

namespace picprog {
namespace {

using testing::open_and_activate;
using testing::when_modal_opens;

const ColorTheme& lite() {
    return find_theme(kDefaultThemeName).colors;
}

TEST(InputBoxLayout, FieldAndButtonsFollowThePrompt) {
    for (const QString& prompt :
         {QString("Port address:"), QString("Enter the parallel port address in decimal. "
                                            "Common values are 888, 632 and 956; any other "
                                            "address of the machine may be entered too.")}) {
        InputBoxWindow box(nullptr, lite(), prompt, "", "");
        const QRect label = box.prompt_label()->geometry();
        const int label_bottom = label.y() + label.height();
        EXPECT_GE(label.height(), QFontMetrics(box.prompt_label()->font()).height() + 4);
        EXPECT_EQ(box.input_field()->y(), label_bottom + 7);  // 105 twips
        EXPECT_EQ(box.ok_button()->y(), label_bottom + 35);   // 525 twips
        EXPECT_EQ(box.cancel_button()->y(), label_bottom + 35);
        EXPECT_EQ(box.height(), box.ok_button()->y() + 25);
        EXPECT_EQ(box.width(), 313);  // 4695 twips
        EXPECT_LT(box.cancel_button()->x(), box.ok_button()->x());
        EXPECT_EQ(box.minimumSize(), box.maximumSize());
    }
}

TEST(InputBoxLayout, OpensWithTheDefaultSelectedAndTheProductTitle) {
    InputBoxWindow box(nullptr, lite(), "Port address:", "", "888");
    EXPECT_EQ(box.input_field()->text(), "888");
    EXPECT_EQ(box.input_field()->selectedText(), "888");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8(kProductTitle.data(),
                                                   static_cast<qsizetype>(kProductTitle.size())));
    InputBoxWindow titled(nullptr, lite(), "Port address:", "Hardware", "888");
    EXPECT_EQ(titled.windowTitle(), "Hardware");
}

enum class Finish { ClickOk, Enter, ClickCancel, Esc, CloseFrame };

struct InputCase {
    const char* label;
    const char* typed;
    Finish finish;
    const char* answer;
};

class InputBoxAnswers : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputBoxAnswers, TypingReplacesTheDefault) {
    const InputCase& c = GetParam();
    InputBoxWindow box(nullptr, lite(), "Port address:", "", "888");
    ASSERT_TRUE(open_and_activate(box));
    ASSERT_EQ(QApplication::focusWidget(), box.input_field());
    QTest::keyClicks(box.input_field(), c.typed);
    switch (c.finish) {
        case Finish::ClickOk:
            QTest::mouseClick(box.ok_button(), Qt::LeftButton);
            break;
        case Finish::Enter:
            QTest::keyClick(box.input_field(), Qt::Key_Return);
            break;
        case Finish::ClickCancel:
            QTest::mouseClick(box.cancel_button(), Qt::LeftButton);
            break;
        case Finish::Esc:
            QTest::keyClick(box.input_field(), Qt::Key_Escape);
            break;
        case Finish::CloseFrame:
            box.close();
            break;
    }
    EXPECT_FALSE(box.isVisible()) << c.label;
    EXPECT_EQ(box.answer(), c.answer) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    InputBoxAnswers, InputBoxAnswers,
    ::testing::Values(InputCase{"OK after typing", "632", Finish::ClickOk, "632"},
                      InputCase{"Enter after typing", "956", Finish::Enter, "956"},
                      InputCase{"OK keeps blanks", " 12 ", Finish::ClickOk, " 12 "},
                      InputCase{"OK on untouched default", "", Finish::ClickOk, "888"},
                      InputCase{"Cancel", "632", Finish::ClickCancel, ""},
                      InputCase{"Esc", "632", Finish::Esc, ""},
                      InputCase{"frame close", "632", Finish::CloseFrame, ""}));

TEST(InputBoxAnswers, BlockingCallReturnsTheEntry) {
    when_modal_opens([](QWidget& modal) {
        auto& box = static_cast<InputBoxWindow&>(modal);
        QTest::keyClicks(box.input_field(), "632");
        QTest::mouseClick(box.ok_button(), Qt::LeftButton);
    });
    EXPECT_EQ(input_box(nullptr, lite(), "Port address:", "Hardware", "888"), "632");
    when_modal_opens([](QWidget& modal) {
        QTest::mouseClick(static_cast<InputBoxWindow&>(modal).cancel_button(), Qt::LeftButton);
    });
    EXPECT_EQ(input_box(nullptr, lite(), "Port address:", "Hardware", "888"), "");
}

TEST(InputBoxTheme, ColoursWindowPromptAndField) {
    const ColorTheme& theme = find_theme("Halloween").colors;
    InputBoxWindow box(nullptr, theme, "Port address:", "", "888");
    EXPECT_EQ(box.palette().color(QPalette::Window), theme.caption_back);
    EXPECT_EQ(box.prompt_label()->palette().color(QPalette::Window), theme.info_back);
    EXPECT_EQ(box.prompt_label()->palette().color(QPalette::WindowText), theme.info_text);
    EXPECT_EQ(box.input_field()->palette().color(QPalette::Base), theme.field_back);
    EXPECT_EQ(box.input_field()->palette().color(QPalette::Text), theme.field_text);
}

}  // namespace
}  // namespace picprog
