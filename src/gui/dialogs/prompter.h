#pragma once

#include <string>
#include <string_view>

#include "core/engine/operation_view.h"

namespace picprog {

// The message box and input box as the option commands and the hardware
// dialogs use them. The window that owns them supplies the parent and the
// colours; tests answer from a script without a modal loop.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows `text` modally; 1 for OK, kAnswerYes / kAnswerNo for a question.
    virtual int msg_box(std::string_view text, MsgKind kind, std::string_view title) = 0;
    // Asks for one line of text; "" when cancelled (or left empty).
    virtual std::string input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) = 0;
};

}  // namespace picprog
