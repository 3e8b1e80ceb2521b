#include "gui/dialogs/message_box.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/wrap_long_words.h"

namespace picprog {
namespace {

using testing::open_and_activate;
using testing::when_modal_opens;

const ColorTheme& lite() {
    return find_theme(kDefaultThemeName).colors;
}

QString product_title() {
    return QString::fromUtf8(kProductTitle.data(), static_cast<qsizetype>(kProductTitle.size()));
}

QString twenty_lines() {
    QStringList lines;
    for (int i = 1; i <= 20; ++i) {
        lines << QStringLiteral("Line %1 of the report").arg(i);
    }
    return lines.join(QStringLiteral("\r\n"));
}

// --- Layout ----------------------------------------------------------------

TEST(MsgBoxLayout, TwentyLinesAllFitWithButtonsSevenPixelsBelow) {
    MessageBoxWindow box(nullptr, lite(), twenty_lines(), MsgKind::Ok, "");
    const QRect text = box.text_field()->geometry();
    const QFontMetrics metrics(box.text_field()->font());

    EXPECT_GE(text.height(), 20 * metrics.lineSpacing());
    EXPECT_EQ(box.text_label()->geometry(), text);
    // Every line is laid out inside the visible field.
    std::unique_ptr<QTextDocument> doc(box.text_field()->document()->clone());
    doc->setTextWidth(text.width());
    EXPECT_LE(doc->size().height(), text.height());
    EXPECT_EQ(doc->blockCount(), 20);

    const int text_bottom = text.y() + text.height();
    EXPECT_EQ(box.first_button()->y(), text_bottom + 7);  // 105 twips
    EXPECT_EQ(box.height(), box.first_button()->y() + 25);
    EXPECT_EQ(box.width(), 441);  // 6615 twips, as designed
    EXPECT_EQ(box.first_button()->geometry(), QRect(380, box.first_button()->y(), 57, 21));
}

TEST(MsgBoxLayout, CannotBeResized) {
    MessageBoxWindow box(nullptr, lite(), "Fixed.", MsgKind::Ok, "");
    EXPECT_EQ(box.minimumSize(), box.size());
    EXPECT_EQ(box.maximumSize(), box.size());
}

TEST(MsgBoxLayout, OpensCentredOnTheScreen) {
    MessageBoxWindow box(nullptr, lite(), "Centred.", MsgKind::Ok, "");
    const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint box_centre = box.geometry().center();
    EXPECT_LE((box_centre - screen_centre).manhattanLength(), 2);
}

struct AlignCase {
    const char* label;
    QString message;
    bool centred;
    QString shown;
};

class MsgBoxAlignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(MsgBoxAlignment, CentresOnlyOneLineMessages) {
    const AlignCase& c = GetParam();
    MessageBoxWindow box(nullptr, lite(), c.message, MsgKind::Ok, "");
    const Qt::Alignment horizontal = c.centred ? Qt::AlignHCenter : Qt::AlignLeft;
    EXPECT_EQ(box.text_label()->alignment() & Qt::AlignHorizontal_Mask, horizontal) << c.label;
    EXPECT_EQ(
        box.text_field()->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask,
        horizontal)
        << c.label;
    EXPECT_EQ(box.text_field()->toPlainText(), c.shown) << c.label;
    EXPECT_EQ(box.text_label()->text(), c.shown) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    MsgBoxAlignment, MsgBoxAlignment,
    ::testing::Values(AlignCase{"one line", "Wrong entry!", true, "Wrong entry!"},
                      AlignCase{"two lines", "First\r\nSecond", false, "First\nSecond"},
                      AlignCase{"trailing line break only", "Done.\r\n", false, "Done."},
                      AlignCase{"broken path stays centred", "C:\\" + QString(60, u'a') + "\\b",
                                true, "C:\\\n" + QString(60, u'a') + "\\b"}));

// --- Kinds -----------------------------------------------------------------

struct KindCase {
    MsgKind kind;
    MsgIcon icon;
    QString first_caption;
    bool second_shown;
};

class MsgBoxKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(MsgBoxKinds, ShowIconAndButtons) {
    const KindCase& c = GetParam();
    MessageBoxWindow box(nullptr, lite(), "Text", c.kind, "");
    EXPECT_EQ(box.shown_icon(), c.icon);
    EXPECT_EQ(!box.icon_label()->isHidden(), c.icon != MsgIcon::None);
    EXPECT_EQ(box.icon_label()->pixmap().isNull(), c.icon == MsgIcon::None);
    EXPECT_EQ(box.first_button()->text(), c.first_caption);
    EXPECT_EQ(!box.second_button()->isHidden(), c.second_shown);
}

INSTANTIATE_TEST_SUITE_P(
    MsgBoxKinds, MsgBoxKinds,
    ::testing::Values(KindCase{MsgKind::Ok, MsgIcon::Ok, "OK", false},
                      KindCase{MsgKind::YesNo, MsgIcon::Question, "Yes", true},
                      KindCase{MsgKind::Error, MsgIcon::Error, "OK", false},
                      KindCase{MsgKind::Information, MsgIcon::Information, "OK", false},
                      KindCase{static_cast<MsgKind>(32), MsgIcon::None, "OK", false}));

TEST(MsgBoxKinds, QuestionPutsYesLeftOfNoAtTheDesignedPlaces) {
    MessageBoxWindow box(nullptr, lite(), "Overwrite?", MsgKind::YesNo, "");
    EXPECT_EQ(box.first_button()->x(), 320);
    EXPECT_EQ(box.second_button()->x(), 380);
    EXPECT_EQ(box.second_button()->text(), "No");
    EXPECT_EQ(box.first_button()->y(), box.second_button()->y());
}

TEST(MsgBoxKinds, EmptyTitleGivesTheProductTitle) {
    MessageBoxWindow untitled(nullptr, lite(), "Text", MsgKind::YesNo, "");
    MessageBoxWindow titled(nullptr, lite(), "Text", MsgKind::Ok, "Read All");
    EXPECT_EQ(untitled.windowTitle(), product_title());
    EXPECT_EQ(titled.windowTitle(), "Read All");
}

TEST(MsgBoxKinds, IconsAreDrawnInTheirColours) {
    // Sample the middle of each icon: white symbol or coloured disc, and the
    // corner stays transparent.
    const auto image_of = [](MsgKind kind) {
        MessageBoxWindow box(nullptr, lite(), "Text", kind, "");
        return box.icon_label()->pixmap().toImage();
    };
    const QImage question = image_of(MsgKind::YesNo);
    const QImage error = image_of(MsgKind::Error);
    const QImage ok = image_of(MsgKind::Ok);
    const auto at = [](const QImage& image, int x, int y) {
        const qreal ratio = image.devicePixelRatio();
        return image.pixelColor(qRound(x * ratio), qRound(y * ratio));
    };
    EXPECT_EQ(at(question, 0, 0).alpha(), 0);
    EXPECT_GT(at(question, 8, 24).blue(), at(question, 8, 24).red());  // blue disc
    EXPECT_EQ(at(error, 24, 24), QColor(Qt::white));                   // centre of the cross
    EXPECT_GT(at(error, 8, 24).red(), at(error, 8, 24).blue());        // red disc
    EXPECT_GT(at(ok, 19, 36).green(), at(ok, 19, 36).red());           // foot of the check
    EXPECT_EQ(at(ok, 40, 40).alpha(), 0);
}

// --- Answers ---------------------------------------------------------------

enum class Action { ClickFirst, ClickSecond, KeyN, KeyLowerN, KeyY, KeyZ, Enter, Esc, CloseFrame };

struct AnswerCase {
    const char* label;
    MsgKind kind;
    Action action;
    int answer;  // 0: the box must stay open
};

void perform(MessageBoxWindow& box, Action action) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    switch (action) {
        case Action::ClickFirst:
            QTest::mouseClick(box.first_button(), Qt::LeftButton);
            break;
        case Action::ClickSecond:
            QTest::mouseClick(box.second_button(), Qt::LeftButton);
            break;
        case Action::KeyN:
            QTest::keyClick(focus, Qt::Key_N, Qt::ShiftModifier);
            break;
        case Action::KeyLowerN:
            QTest::keyClick(focus, 'n');
            break;
        case Action::KeyY:
            QTest::keyClick(focus, 'y');
            break;
        case Action::KeyZ:
            QTest::keyClick(focus, 'z');
            break;
        case Action::Enter:
            QTest::keyClick(focus, Qt::Key_Return);
            break;
        case Action::Esc:
            QTest::keyClick(focus, Qt::Key_Escape);
            break;
        case Action::CloseFrame:
            box.close();
            break;
    }
}

class MsgBoxAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MsgBoxAnswers, ButtonsKeysAndFrame) {
    const AnswerCase& c = GetParam();
    MessageBoxWindow box(nullptr, lite(), "Question or note", c.kind, "");
    ASSERT_TRUE(open_and_activate(box));
    ASSERT_EQ(QApplication::focusWidget(), box.first_button());
    perform(box, c.action);
    if (c.answer == 0) {
        EXPECT_TRUE(box.isVisible()) << c.label;
        box.done(0);
    } else {
        EXPECT_FALSE(box.isVisible()) << c.label;
        EXPECT_EQ(box.answer(), c.answer) << c.label;
    }
}

INSTANTIATE_TEST_SUITE_P(
    MsgBoxAnswers, MsgBoxAnswers,
    ::testing::Values(AnswerCase{"yes button", MsgKind::YesNo, Action::ClickFirst, 6},
                      AnswerCase{"no button", MsgKind::YesNo, Action::ClickSecond, 7},
                      AnswerCase{"N on question", MsgKind::YesNo, Action::KeyN, 7},
                      AnswerCase{"n on question", MsgKind::YesNo, Action::KeyLowerN, 7},
                      AnswerCase{"Y on question", MsgKind::YesNo, Action::KeyY, 6},
                      AnswerCase{"Z on question", MsgKind::YesNo, Action::KeyZ, 6},
                      AnswerCase{"Enter on question", MsgKind::YesNo, Action::Enter, 6},
                      AnswerCase{"Esc on question", MsgKind::YesNo, Action::Esc, 7},
                      AnswerCase{"frame close on question", MsgKind::YesNo, Action::CloseFrame, 7},
                      AnswerCase{"OK button", MsgKind::Ok, Action::ClickFirst, 1},
                      AnswerCase{"N on OK box", MsgKind::Ok, Action::KeyN, 7},
                      AnswerCase{"N on error box", MsgKind::Error, Action::KeyN, 7},
                      AnswerCase{"Y on OK box", MsgKind::Ok, Action::KeyY, 1},
                      AnswerCase{"Enter on info box", MsgKind::Information, Action::Enter, 1},
                      AnswerCase{"Esc ignored without No", MsgKind::Ok, Action::Esc, 0},
                      AnswerCase{"frame close on error box", MsgKind::Error, Action::CloseFrame,
                                 1}));

TEST(MsgBoxAnswers, EnterPressesNoOnceTheFocusMovedThere) {
    MessageBoxWindow box(nullptr, lite(), "Overwrite?", MsgKind::YesNo, "");
    ASSERT_TRUE(open_and_activate(box));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), box.second_button());
    QTest::keyClick(box.second_button(), Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.answer(), 7);
}

TEST(MsgBoxAnswers, TextFieldHandsTheFocusToTheFirstButton) {
    MessageBoxWindow box(nullptr, lite(), "Note", MsgKind::YesNo, "");
    ASSERT_TRUE(open_and_activate(box));
    box.text_field()->setFocusPolicy(Qt::StrongFocus);  // even if it could take it
    box.text_field()->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), box.first_button());
    QTest::mouseClick(box.text_field()->viewport(), Qt::LeftButton);
    EXPECT_NE(QApplication::focusWidget(), box.text_field());
    box.done(0);
}

TEST(MsgBoxAnswers, BlockingCallReturnsTheKeyAnswer) {
    when_modal_opens([](QWidget& modal) { QTest::keyClick(&modal, 'y'); });
    EXPECT_EQ(msg_box(nullptr, lite(), "Overwrite the file?", MsgKind::YesNo, ""), 6);
    when_modal_opens([](QWidget& modal) { QTest::keyClick(&modal, 'n'); });
    EXPECT_EQ(msg_box(nullptr, lite(), "Overwrite the file?", MsgKind::YesNo, ""), 7);
    when_modal_opens([](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), "Errors");
        QTest::keyClick(&modal, Qt::Key_Return);
    });
    EXPECT_EQ(msg_box(nullptr, lite(), "Wrong entry!", MsgKind::Error, "Errors"), 1);
}

// --- Clipboard and colours -------------------------------------------------

TEST(MsgBoxClipboard, ClickOnTheTextCopiesItAndKeepsTheBoxOpen) {
    const QString message = "Cannot open C:\\" + QString(60, u'p') + "\\file.hex\r\n";
    for (const bool on_label : {false, true}) {
        MessageBoxWindow box(nullptr, lite(), message, MsgKind::Error, "");
        ASSERT_TRUE(open_and_activate(box));
        QGuiApplication::clipboard()->setText("something else");
        QWidget* target =
            on_label ? static_cast<QWidget*>(box.text_label()) : box.text_field()->viewport();
        QTest::mouseClick(target, Qt::LeftButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), wrap_long_words(message));
        EXPECT_TRUE(box.isVisible());
        box.done(0);
    }
}

TEST(MsgBoxTheme, TakesTheThemeGivenAtEachOpen) {
    const ColorTheme& night = find_theme("Night Vision").colors;
    MessageBoxWindow box(nullptr, night, "Themed", MsgKind::Ok, "");
    EXPECT_EQ(box.palette().color(QPalette::Window), night.window_back);
    EXPECT_EQ(box.text_field()->palette().color(QPalette::Base), night.info_back);
    EXPECT_EQ(box.text_field()->palette().color(QPalette::Text), night.info_text);
    EXPECT_EQ(box.text_label()->palette().color(QPalette::WindowText), night.info_text);

    MessageBoxWindow next(nullptr, lite(), "Themed", MsgKind::Ok, "");
    EXPECT_EQ(next.palette().color(QPalette::Window), lite().window_back);
    EXPECT_EQ(next.text_field()->palette().color(QPalette::Base), lite().info_back);
}

}  // namespace
}  // namespace picprog
