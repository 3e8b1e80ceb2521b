#pragma once

#include <string>
#include <vector>

#include "core/engine/operation_view.h"

namespace picprog::test_support {

// An OperationView that records what the core asked of the window.
class RecordingView : public OperationView {
public:
    struct Box {
        std::string text;
        MsgKind kind;
        std::string title;
    };

    void disable() override {
        enabled = false;
        events.push_back("disable");
    }
    void enable() override {
        enabled = true;
        events.push_back("enable");
    }
    void set_status(std::string_view text) override {
        status = std::string(text);
        statuses.push_back(status);
    }
    void updatedisplay() override { events.push_back("updatedisplay"); }
    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override {
        boxes.push_back({std::string(text), kind, std::string(title)});
        events.push_back(enabled ? "msg_box(enabled)" : "msg_box(disabled)");
        return answer;
    }
    std::string input_box(std::string_view prompt, std::string_view, std::string_view) override {
        prompts.emplace_back(prompt);
        return input_answer;
    }
    void pump_events() override { ++pumps; }
    void fatal_exit() override {
        fatal = true;
        events.push_back("fatal_exit");
    }

    bool enabled = true;
    std::string status;
    std::vector<std::string> statuses;
    std::vector<std::string> events;
    std::vector<Box> boxes;
    int pumps = 0;
    bool fatal = false;
    int answer = 1;                    // what msg_box answers
    std::vector<std::string> prompts;  // input boxes asked
    std::string input_answer;          // what input_box answers
};

}  // namespace picprog::test_support
