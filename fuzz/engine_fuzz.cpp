// Runs an arbitrary instruction list against the simulated programmer with
// a generic chip, for a bounded number of steps. Whatever the list says, the
// engine must neither crash nor touch memory outside the image.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/engine/algorithm_engine.h"
#include "core/engine/programmer.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace {

constexpr int kMaxSteps = 4000;

class SilentView : public picprog::OperationView {
public:
    void disable() override {}
    void enable() override {}
    void set_status(std::string_view) override {}
    void updatedisplay() override {}
    int msg_box(std::string_view, picprog::MsgKind, std::string_view) override { return 1; }
    void pump_events() override {}
    void fatal_exit() override {}
};

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    picprog::GenericChipShape shape;
    shape.flash_words = 64;
    shape.eeprom_bytes = 16;
    picprog::Programmer programmer(
        std::make_unique<picprog::SimulatedProgrammer>(picprog::generic_chip(shape)));
    programmer.model.flash_size = 64 - (data[0] & 7);  // also sizes off a page multiple
    programmer.model.eeprom_size = (data[0] >> 3) & 16;
    programmer.model.page_size = static_cast<int8_t>(data[1]) % 10;
    programmer.model.programming_time = 1;
    programmer.model.config_erased = {0, 0x3FFF, 0x3FFF};
    programmer.model.voltage_sequence = picprog::VoltageSequence::VddFirst;
    programmer.image.blank_image(programmer.model);

    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    picprog::AlgorithmEngine& engine = programmer.engine();
    engine.load_instructions(picprog::split_instructions(text));
    engine.prepare_run();
    SilentView view;
    for (int step = 0; step < kMaxSteps && engine.pc() <= engine.instruction_count(); ++step) {
        if (!engine.execute_instruction(view)) {
            break;
        }
    }
    require(programmer.image.flash.size() == static_cast<size_t>(programmer.model.flash_size));
    for (int32_t byte : programmer.image.eeprom) {
        require(byte >= 0 && byte <= 0xFF);
    }
    return 0;
}
