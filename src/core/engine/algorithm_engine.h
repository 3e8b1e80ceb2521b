#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/devices/current_model.h"
#include "core/engine/instruction.h"
#include "core/engine/operation_view.h"
#include "core/hardware/line_driver.h"
#include "core/memory/memory_image.h"

namespace picprog {

// Mismatches after which a check stops the walk over the memory.
constexpr int32_t kMismatchLimit = 25;

// How a run of an instruction list ended.
enum class RunOutcome {
    Completed,     // the program counter passed the last instruction
    Stopped,       // a stop was requested; the chip was powered down
    ListError,     // the list cannot be run (see error()); powered down
    Unrecognized,  // an unknown instruction: lines off, fatal message shown
};

// Interprets one of the model's instruction lists against the line driver
// and the memory image, one instruction at a time. Its state lives for the
// whole program run: only what a chip operation sets before a run changes
// between runs (the report too is reset only by Blank Check and Verify).
class AlgorithmEngine {
public:
    AlgorithmEngine(LineDriver& driver, MemoryImage& image, const CurrentModel& model)
        : driver_(driver), image_(image), model_(model) {}

    // Copies a list into entries 1..count (entry 0 stays empty) and decodes
    // it. Nothing of the previous list remains.
    void load_instructions(const std::vector<std::string>& list);
    // address := 0, the last addresses := the model's sizes minus one,
    // pc := 1; a new run begins.
    void prepare_run();
    // Executes instructions[pc] and moves pc on. Captions and messages go
    // to `view`. Returns false once the run cannot go on (an error, an
    // unknown instruction or a stop request); outcome() then says why.
    bool execute_instruction(OperationView& view);
    // Runs from pc until the list is done or the run ends early.
    RunOutcome run(OperationView& view);

    // Starts a new mismatch report (header only, count 0).
    void reset_report();
    // Appends one report line; the 25th moves pc to the last instruction.
    void add_mismatch(std::string_view location, std::string_view read_value,
                      std::string_view expected);

    // Asks a run in progress to end before its next instruction, with the
    // chip powered down. Cleared when the next run is prepared.
    void request_stop() { stop_requested_ = true; }
    // Ends a run, powered down and as if stopped, once it has executed
    // `steps` instructions: a guard against a list that never ends, for
    // runs no person watches. 0 (the default) means no limit.
    void set_step_limit(int64_t steps) { step_limit_ = steps; }
    // True when the last run ended at the step limit.
    bool step_limit_reached() const { return step_limit_reached_; }

    bool finished() const { return pc_ > instruction_count_ || outcome_ != RunOutcome::Completed; }
    RunOutcome outcome() const { return outcome_; }
    // What was wrong with the list (ListError only).
    const std::string& error() const { return error_; }

    int32_t pc() const { return pc_; }
    int32_t instruction_count() const { return instruction_count_; }
    int32_t address() const { return address_; }
    int32_t flash_last() const { return flash_last_; }
    int32_t eeprom_last() const { return eeprom_last_; }
    int32_t loop_last() const { return loop_last_; }
    int32_t temp() const { return temp_; }
    int32_t mismatch_count() const { return mismatch_count_; }
    const std::string& mismatch_report() const { return mismatch_report_; }
    const std::vector<std::string>& instructions() const { return texts_; }

private:
    void execute(const Instruction& ins, OperationView& view);
    void caption(OperationView& view, char memory);
    void fixed_caption(OperationView& view, std::string_view text);
    void loop_head(int32_t last);
    void page_condition();
    void calc_extent(OpCode op);
    void fail(OperationView& view, std::string_view reason);
    void unrecognized(OperationView& view);
    void check(OperationView& view, const Instruction& ins);
    // Whether config word `slot` (1 or 2) read from the chip differs from
    // the expected value in the bits the model says are worth comparing.
    bool config_differs(int slot, int32_t read, int32_t expected) const;

    int32_t flash_at(int32_t address) const;
    int32_t eeprom_at(int32_t address) const;
    void store_flash(int32_t address, int32_t value);
    void store_eeprom(int32_t address, int32_t value);

    LineDriver& driver_;
    MemoryImage& image_;
    const CurrentModel& model_;

    std::vector<std::string> texts_{""};
    std::vector<Instruction> decoded_{Instruction{}};
    // For each entry: index of the first later "loop" / "endifpage", or 0.
    std::vector<int32_t> next_loop_{0};
    std::vector<int32_t> next_endifpage_{0};

    int32_t instruction_count_ = 0;
    int32_t pc_ = 0;
    int32_t address_ = 0;
    int32_t flash_last_ = 0;
    int32_t eeprom_last_ = 0;
    int32_t loop_start_ = 0;
    int32_t loop_last_ = 0;
    int32_t temp_ = 0;
    int32_t mismatch_count_ = 0;
    std::string mismatch_report_;
    std::string caption_;

    bool loop_head_in_run_ = false;
    std::atomic<bool> stop_requested_ = false;
    int64_t step_limit_ = 0;
    int64_t steps_ = 0;
    bool step_limit_reached_ = false;
    RunOutcome outcome_ = RunOutcome::Completed;
    std::string error_;
};

}  // namespace picprog
