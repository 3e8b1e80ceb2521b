#include "cli/console_view.h"

#include "cli/progress_bar.h"

namespace picprog {

ConsoleView::ConsoleView(const Console& console, std::ostream& messages)
    : console_(console), messages_(messages) {}

ConsoleView::~ConsoleView() {
    finish_progress();
}

void ConsoleView::set_status(std::string_view text) {
    status_ = text;
    if (!console_.err_is_terminal) {
        return;
    }
    std::string key = progress_key(text);
    if (key == drawn_key_) {
        return;
    }
    drawn_key_ = std::move(key);
    const std::string line = progress_line(text);
    console_.err << '\r' << line;
    if (line.size() < drawn_width_) {
        // Wipe what is left of a longer earlier line.
        console_.err << std::string(drawn_width_ - line.size(), ' ') << '\r' << line;
    }
    console_.err.flush();
    drawn_width_ = line.size();
}

void ConsoleView::finish_progress() {
    if (drawn_width_ == 0) {
        return;
    }
    console_.err << '\r' << std::string(drawn_width_, ' ') << '\r';
    console_.err.flush();
    drawn_width_ = 0;
    drawn_key_.clear();
}

int ConsoleView::msg_box(std::string_view text, MsgKind kind, std::string_view title) {
    (void)title;
    if (kind == MsgKind::YesNo && questions_ == Questions::YesSilently) {
        return kAnswerYes;
    }
    finish_progress();
    if (kind == MsgKind::YesNo) {
        const bool yes = questions_ == Questions::YesForced;
        messages_ << plain_line_ends(text)
                  << (yes ? " Yes (--force).\n" : " No: give --force to go on anyway.\n");
        messages_.flush();
        return yes ? kAnswerYes : kAnswerNo;
    }
    ++messages_shown_;
    std::string body = plain_line_ends(text);
    if (body.empty() || body.back() != '\n') {
        body += '\n';
    }
    messages_ << body << '\n';
    messages_.flush();
    return 1;
}

std::string ConsoleView::input_box(std::string_view prompt, std::string_view title,
                                   std::string_view default_text) {
    (void)title;
    (void)default_text;
    finish_progress();
    messages_ << plain_line_ends(prompt) << ' '
              << (input_answer_.empty() ? input_hint_ : input_answer_) << '\n';
    messages_.flush();
    return input_answer_;
}

std::string plain_line_ends(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace picprog
