#pragma once

#include <string>
#include <string_view>

#include "core/engine/operation_view.h"

namespace picprog::bench {

// A window that is not there: no display, no event loop. It answers Yes to
// every question (so a save may overwrite its own earlier output) and keeps
// the last status line and the number of boxes, so a figure can refuse a
// run that did not do what it was meant to.
class QuietView final : public OperationView {
public:
    void disable() override {}
    void enable() override {}
    void set_status(std::string_view text) override { status.assign(text); }
    void updatedisplay() override {}
    int msg_box(std::string_view text, MsgKind kind, std::string_view /*title*/) override {
        ++boxes;
        last_box.assign(text);
        return kind == MsgKind::YesNo ? kAnswerYes : 1;
    }
    void pump_events() override {}
    void fatal_exit() override {}

    std::string status;
    int boxes = 0;
    std::string last_box;
};

}  // namespace picprog::bench
