#pragma once

#include <string>
#include <vector>

#include "core/devices/current_model.h"
#include "core/engine/operation_view.h"
#include "core/hexfile/hex_checksum.h"

namespace picprog::testing {

// A model shape for the reader and writer; only the fields they read.
inline CurrentModel make_model(int32_t flash_size, int32_t eeprom_size, bool config2_used,
                               int32_t config1_erased = 0x3FFF, int32_t config2_erased = 0x3FFF) {
    CurrentModel model;
    model.flash_size = flash_size;
    model.eeprom_size = eeprom_size;
    model.config2_used = config2_used;
    model.config_erased = {0, config1_erased, config2_erased};
    return model;
}

// ":" + body + its correct checksum.
inline std::string record(const std::string& body) {
    return ":" + body + hex_checksum(body);
}

// Records what the HEX commands ask of the window, in order.
class RecordingView : public OperationView {
  public:
    struct Box {
        std::string text;
        MsgKind kind;
        std::string title;
    };

    void disable() override { events.push_back("disable"); }
    void enable() override { events.push_back("enable"); }
    void set_status(std::string_view text) override {
        status = text;
        events.push_back("status");
    }
    void updatedisplay() override { events.push_back("updatedisplay"); }
    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override {
        boxes.push_back({std::string(text), kind, std::string(title)});
        events.push_back("msg_box");
        return answer;
    }
    void pump_events() override {}
    void fatal_exit() override { events.push_back("fatal_exit"); }

    int answer = 1;  // what every msg_box answers
    std::string status;
    std::vector<Box> boxes;
    std::vector<std::string> events;
};

}  // namespace picprog::testing
