#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/console.h"
#include "core/engine/operation_view.h"

namespace picprog {

// The command-line tool's window: the engine's captions drive a one-line
// progress bar on standard error (only on a terminal), message boxes become
// text on a stream, and Yes/No questions are answered without asking, since
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
    // Prints the text with plain line ends, then a blank line. Yes/No
    // questions (the overwrite question of a save) answer Yes: the tool's
    // output file is named on its command line, so replacing it is the
    // request itself.
    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override;
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
};

// CR LF and lone CR line ends as the line ends of a text stream.
std::string plain_line_ends(std::string_view text);

}  // namespace picprog
