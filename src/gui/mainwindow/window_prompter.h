#pragma once

#include "gui/dialogs/color_theme.h"
#include "gui/dialogs/prompter.h"
#include "gui/mainwindow/message_boxes.h"

class QWidget;

namespace picprog {

// The main window's message and input boxes for the dialogs and option
// commands: over `parent`, in the theme current at the moment each box
// opens.
class WindowPrompter : public Prompter {
public:
    // All references must outlive the prompter.
    WindowPrompter(MessageBoxes& boxes, QWidget& parent, const ThemeState& theme)
        : boxes_(boxes), parent_(parent), theme_(theme) {}

    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override {
        return boxes_.msg_box(&parent_, theme_.theme, text, kind, title);
    }
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override {
        return boxes_.input_box(&parent_, theme_.theme, prompt, title, default_text);
    }

private:
    MessageBoxes& boxes_;
    QWidget& parent_;
    const ThemeState& theme_;
};

}  // namespace picprog
