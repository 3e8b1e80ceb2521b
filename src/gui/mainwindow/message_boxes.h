#pragma once

#include <string>
#include <string_view>

#include "core/engine/operation_view.h"
#include "gui/dialogs/color_theme.h"

class QWidget;

namespace picprog {

// The program's modal message and input boxes as the main window reaches
// them. The window only talks to this interface, so tests can answer the
// boxes without a modal loop.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows `text` and returns the answer: 1 for OK, kAnswerYes / kAnswerNo.
    virtual int msg_box(QWidget* parent, const ColorTheme& theme, std::string_view text,
                        MsgKind kind, std::string_view title) = 0;
    // Asks for one line of text; "" on Cancel.
    virtual std::string input_box(QWidget* parent, const ColorTheme& theme, std::string_view prompt,
                                  std::string_view title, std::string_view default_text) = 0;
};

// The real boxes: the program's own modal message box and input box.
class ModalMessageBoxes : public MessageBoxes {
public:
    int msg_box(QWidget* parent, const ColorTheme& theme, std::string_view text, MsgKind kind,
                std::string_view title) override;
    std::string input_box(QWidget* parent, const ColorTheme& theme, std::string_view prompt,
                          std::string_view title, std::string_view default_text) override;
};

}  // namespace picprog
