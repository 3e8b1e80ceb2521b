#pragma once

#include <string>
#include <string_view>

namespace picprog {

// Kinds of message box.
enum class MsgKind : int { Ok = 0, YesNo = 4, Error = 16, Warning = 48, Information = 64 };
// Answers of a Yes/No box (an OK box answers 1).
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

// What the chip operations, the engine and the HEX file commands need of a
// window. The main window implements it, and so does the command-line
// tool's console view; tests use a recording fake.
class OperationView {
public:
    virtual ~OperationView() = default;

    // Block / release every command that could touch the buffer or the model.
    virtual void disable() = 0;
    virtual void enable() = 0;
    // Replaces the status line's text.
    virtual void set_status(std::string_view text) = 0;
    // Rebuilds the buffer tables and labels from the memory image.
    virtual void updatedisplay() = 0;
    // Shows a modal message; an empty title means the product title.
    // Returns the answer (1 for OK, kAnswerYes / kAnswerNo for Yes/No).
    virtual int msg_box(std::string_view text, MsgKind kind, std::string_view title) = 0;
    // Asks for a line of text; "" means no answer (Cancel). A view that
    // cannot ask answers "".
    virtual std::string input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) {
        (void)prompt;
        (void)title;
        (void)default_text;
        return {};
    }
    // Lets pending window events run.
    virtual void pump_events() = 0;
    // Ends the program after an unrecoverable error has been shown.
    virtual void fatal_exit() = 0;
};

// The caption of the main window and the default title of every box.
inline constexpr std::string_view kProductTitle = "Quellmark Parallel Port PIC Programmer";

}  // namespace picprog
