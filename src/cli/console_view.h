#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "cli/console.h"
#include "core/engine/operation_view.h"

namespace picprog {

// The command-line tool's window: the engine's captions drive a one-line
// progress bar on standard error (only on a terminal), message boxes become
// text on a stream, and questions are answered from the command line, since
// a script cannot answer them.
class ConsoleView : public OperationView {
public:
    // Messages go to `messages` (normally console.err; the dump command
    // prints them with its results instead).
    ConsoleView(const Console& console, std::ostream& messages);
    ~ConsoleView() override;
    ConsoleView(const ConsoleView&) = delete;
    ConsoleView& operator=(const ConsoleView&) = delete;

    // Nothing to block or refresh: a console has no buttons or tables.
    void disable() override {}
    void enable() override {}
    void updatedisplay() override {}
    void pump_events() override {}

    void set_status(std::string_view text) override;
    // How Yes/No questions are answered, since a script cannot answer them.
    enum class Questions {
        YesSilently,  // the overwrite question of a save: the file named on the
                      // command line is the request itself
        YesForced,    // the chip checks with --force: printed, answered Yes
        No,           // the chip checks without --force: printed, answered No
    };
    void set_questions(Questions policy) { questions_ = policy; }
    // What input boxes answer (the --osccal value), and the hint printed
    // when there is none.
    void set_input_answer(std::string answer, std::string hint) {
        input_answer_ = std::move(answer);
        input_hint_ = std::move(hint);
    }
    // Prints the text with plain line ends, then a blank line; questions
    // are answered as set_questions says.
    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override;
    // Prints the prompt and answers the value set by set_input_answer.
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override;
    // Records the request; the command returns at once and main() ends the
    // program with the usage-error status, so that files are still closed.
    void fatal_exit() override { fatal_requested_ = true; }

    // Removes the progress line, if one is drawn.
    void finish_progress();

    const std::string& status() const { return status_; }
    bool fatal_requested() const { return fatal_requested_; }
    // Message boxes shown so far.
    int messages_shown() const { return messages_shown_; }

private:
    Console console_;
    std::ostream& messages_;
    std::string status_;
    std::string drawn_key_;
    size_t drawn_width_ = 0;
    bool fatal_requested_ = false;
    int messages_shown_ = 0;
    Questions questions_ = Questions::YesSilently;
    std::string input_answer_;
    std::string input_hint_;
};

// CR LF and lone CR line ends as the line ends of a text stream.
std::string plain_line_ends(std::string_view text);

}  // namespace picprog
