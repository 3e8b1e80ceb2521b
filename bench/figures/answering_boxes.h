#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/mainwindow/message_boxes.h"

namespace picprog::bench {

// Boxes that never open a modal loop, so a figure cannot hang on one: they
// keep what they were asked and answer OK (Yes to a question).
class AnsweringBoxes final : public MessageBoxes {
public:
    int msg_box(QWidget* /*parent*/, const ColorTheme& /*theme*/, std::string_view text,
                MsgKind kind, std::string_view /*title*/) override {
        texts.emplace_back(text);
        return kind == MsgKind::YesNo ? kAnswerYes : 1;
    }
    std::string input_box(QWidget* /*parent*/, const ColorTheme& /*theme*/, std::string_view prompt,
                          std::string_view /*title*/, std::string_view /*default_text*/) override {
        texts.emplace_back(prompt);
        return {};
    }

    std::vector<std::string> texts;
};

}  // namespace picprog::bench
