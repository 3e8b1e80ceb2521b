#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

#include "gui/dialogs/color_theme.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace picprog {

// The program's own one-line input box: a prompt above an entry field that
// opens holding the default text, all selected so that typing replaces it.
// OK (or Enter) answers the entered text unchanged; Cancel, Esc and closing
// through the window frame answer "". The window cannot be resized.
class InputBoxWindow : public QDialog {
    Q_OBJECT
public:
    // Applies `theme`, then lays the box out for `prompt`. An empty `title`
    // gives the product title as caption.
    InputBoxWindow(QWidget* parent, const ColorTheme& theme, const QString& prompt,
                   const QString& title, const QString& default_text);

    // The entered text after OK; "" before OK and after Cancel.
    QString answer() const { return answer_; }

    // The parts of the window, for tests.
    QLabel* prompt_label() const { return prompt_label_; }
    QLineEdit* input_field() const { return input_field_; }
    QPushButton* ok_button() const { return ok_button_; }
    QPushButton* cancel_button() const { return cancel_button_; }

    // Colours the window, the prompt and the entry field from `theme`.
    void settheme(const ColorTheme& theme);

private:
    void build_controls();
    void prepare_display(const QString& default_text);

    QString answer_;
    QLabel* prompt_label_ = nullptr;
    QLineEdit* input_field_ = nullptr;
    QPushButton* ok_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
};

// Shows the input box modally; returns the entered text after OK, "" after
// Cancel (a caller cannot tell Cancel from an empty entry).
QString input_box(QWidget* parent, const ColorTheme& theme, std::string_view prompt,
                  std::string_view title, std::string_view default_text);

}  // namespace picprog
