#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

#include "core/engine/operation_view.h"
#include "gui/dialogs/color_theme.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace picprog {

// Which picture a message box shows.
enum class MsgIcon { None, Ok, Question, Error, Information };

// The program's own message box: an icon, the message (wrapped by
// wrap_long_words, centred when it is a single line), and OK or Yes/No.
// The window sizes itself to the message, cannot be resized, and answers:
//   OK / Yes button, Enter, "Y", "Z"  -> 6 for a YesNo box, else 1;
//   No button, "N" (in every kind), Esc (YesNo box only) -> 7;
//   closed through the window frame   -> 7 for a YesNo box, else 1.
// A click on the message puts its wrapped text on the clipboard and leaves
// the box open. Construct it, then exec() (or open() in tests).
class MessageBoxWindow : public QDialog {
    Q_OBJECT
public:
    // Applies `theme`, then lays the box out for `text` and `kind`. An empty
    // `title` gives the product title as caption.
    MessageBoxWindow(QWidget* parent, const ColorTheme& theme, const QString& text, MsgKind kind,
                     const QString& title);

    // The answer code; before any button was pressed it is what closing
    // through the frame would answer.
    int answer() const { return answer_; }
    MsgIcon shown_icon() const { return icon_; }

    // The parts of the window, for tests and screenshots.
    QLabel* text_label() const { return text_label_; }
    QTextEdit* text_field() const { return text_field_; }
    QLabel* icon_label() const { return icon_label_; }
    // "OK", or "Yes" for a question.
    QPushButton* first_button() const { return first_button_; }
    // "No"; hidden unless the box asks a question.
    QPushButton* second_button() const { return second_button_; }

    // Colours the window and the message from `theme`.
    void settheme(const ColorTheme& theme);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void build_controls();
    void prepare_display();
    void press_first();
    void press_second();
    void copy_text_to_clipboard() const;
    // Handles the keys the window sees before its controls; true when used.
    bool handle_preview_key(const QKeyEvent& key);

    QString message_;
    MsgKind kind_;
    MsgIcon icon_ = MsgIcon::None;
    int answer_;
    QLabel* icon_label_ = nullptr;
    QLabel* text_label_ = nullptr;
    QTextEdit* text_field_ = nullptr;
    QPushButton* first_button_ = nullptr;
    QPushButton* second_button_ = nullptr;
};

// Shows `text` modally in a message box of `kind` with caption `title`
// (product title when empty) and returns the answer: 1 for OK, 6 for Yes,
// 7 for No (see MessageBoxWindow for keys and closing).
int msg_box(QWidget* parent, const ColorTheme& theme, std::string_view text, MsgKind kind,
            std::string_view title);

}  // namespace picprog
