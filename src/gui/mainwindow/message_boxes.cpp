#include "gui/mainwindow/message_boxes.h"

#include "gui/dialogs/input_box.h"
#include "gui/dialogs/message_box.h"

namespace picprog {

int ModalMessageBoxes::msg_box(QWidget* parent, const ColorTheme& theme, std::string_view text,
                               MsgKind kind, std::string_view title) {
    return picprog::msg_box(parent, theme, text, kind, title);
}

std::string ModalMessageBoxes::input_box(QWidget* parent, const ColorTheme& theme,
                                         std::string_view prompt, std::string_view title,
                                         std::string_view default_text) {
    return picprog::input_box(parent, theme, prompt, title, default_text).toStdString();
}

}  // namespace picprog
