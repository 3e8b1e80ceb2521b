#pragma once

#include <deque>
#include <string>
#include <vector>

#include "gui/dialogs/prompter.h"

namespace picprog::testing {

// Answers input boxes from a script ("" once it runs out) and records every
// box it was asked to show.
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        std::string text;
        MsgKind kind;
        std::string title;
    };
    struct Question {
        std::string prompt;
        std::string title;
        std::string default_text;
    };

    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override {
        messages.push_back({std::string(text), kind, std::string(title)});
        return 1;
    }
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override {
        questions.push_back({std::string(prompt), std::string(title), std::string(default_text)});
        if (answers.empty()) {
            return {};
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;
    std::vector<Message> messages;
    std::vector<Question> questions;
};

}  // namespace picprog::testing
