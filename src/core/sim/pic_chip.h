#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/sim/chip_families.h"
#include "core/sim/chip_memory.h"
#include "core/sim/chip_stats.h"

namespace picprog {

// Levels at the chip's pins, as the programmer circuit presents them.
struct ChipPins {
    bool vdd = false;
    bool vpp = false;  // MCLR at the programming voltage
    bool clock = false;
    bool data = false;  // level of the DATA line (the chip's own pull-down included)
};

// A 14-bit-word PIC seen from its programming pins: programming-mode entry,
// the 6-bit command shift register, load and read frames, the address
// counter, write latches, program/erase cycles timed against the caller's
// clock, and code protection. Command effects on the memories follow the
// part's family.
class PicChip {
public:
    explicit PicChip(ChipVariant variant);

    const ChipVariant& variant() const { return variant_; }
    const FamilyTraits& traits() const { return *traits_; }

    // Applies new pin levels at time `now_us` (never decreasing). Falling
    // CLOCK edges latch DATA; rising edges move the chip's output.
    void set_pins(const ChipPins& pins, int64_t now_us);
    // True while the chip pulls the DATA line low (it can only pull low).
    bool pulls_data_low() const { return drive_low_; }
    // Completes an internally timed cycle whose time is up.
    void settle(int64_t now_us);

    bool in_programming_mode() const { return programming_; }
    int32_t pc() const { return pc_; }
    // True while a write or erase cycle is running.
    bool busy() const { return cycle_.active; }

    ChipMemory& memory() { return memory_; }
    const ChipMemory& memory() const { return memory_; }
    const ChipStats& stats() const { return stats_; }
    void reset_stats() { stats_ = ChipStats{}; }

    // Multiplies every cycle time (a slow part); 1 is nominal.
    void set_timing_scale(double scale) { timing_scale_ = scale; }
    // Hands over the rules broken since the last call and forgets them.
    RuleViolations take_violations();

private:
    enum class Phase : uint8_t { Command, Load, Read, Skip };
    enum class LoadTarget : uint8_t { Program, Data };
    using Effect = std::function<void(ChipMemory&, ChipStats&)>;

    // A write or erase in progress: its effect lands only if it runs its
    // full time undisturbed.
    struct Cycle {
        bool active = false;
        bool external = false;  // ends at End Programming, not by itself
        int64_t start_us = 0;
        int64_t duration_us = 0;
        int64_t max_duration_us = 0;  // externally timed only; 0 = no limit
        const char* what = "write";   // for the reports: "write" or "erase"
        Effect effect;
    };

    // Serial side (pic_chip.cpp).
    void update_power(const ChipPins& old, const ChipPins& now_pins, int64_t now_us);
    void enter(SupplyOrder order, int64_t now_us);
    void leave(int64_t now_us);
    void on_rising();
    void on_falling(bool data, int64_t now_us);
    void decode(int32_t code, int64_t now_us);
    void reset_frame();

    // Command side (chip_commands.cpp).
    void execute(ChipAction action, int64_t now_us);
    void load(ChipAction action, uint16_t word);
    uint16_t read_value(ChipAction action) const;
    void increment();
    void begin(ChipAction action, int64_t now_us);
    void end_programming(int64_t now_us);
    void bulk_erase_program(int64_t now_us);
    void bulk_erase_data(int64_t now_us);
    void chip_erase(int64_t now_us);
    void row_erase(int64_t now_us);
    Effect write_effect(bool erase_first);
    Effect program_erase_effect() const;
    Effect data_erase_effect() const;
    Effect setup_erase_effect() const;
    Effect chip_erase_effect() const;
    void start_cycle(bool external, int32_t duration_us, int64_t now_us, Effect effect,
                     const char* what = "write");
    void commit_cycle();
    // Drops the running cycle; `cause` says what cut it short.
    void spoil_cycle(std::string_view cause, int64_t now_us);
    // Records a broken rule in plain words, prefixed with the part's name.
    void violate(ChipRule rule, std::string_view text, int64_t now_us);
    // The time the part needs after End Programming, scaled for a slow part.
    int64_t discharge_us() const;
    void reset_latches();
    bool pc_in_config() const;

    ChipVariant variant_;
    const FamilyTraits* traits_;
    ChipMemory memory_;
    ChipStats stats_;

    ChipPins pins_;
    bool programming_ = false;
    bool entry_allowed_ = false;  // CLOCK and DATA were low when VPP rose
    bool drive_low_ = false;
    int64_t vdd_rose_us_ = 0;

    Phase phase_ = Phase::Command;
    ChipAction frame_action_ = ChipAction::None;
    int32_t frame_bits_ = 0;
    int32_t frame_rising_ = 0;
    uint32_t shift_ = 0;
    uint16_t read_word_ = 0;

    int32_t pc_ = 0;
    static constexpr int32_t kMaxLatches = 8;
    std::array<uint16_t, kMaxLatches> latches_{};
    std::array<bool, kMaxLatches> latch_loaded_{};
    uint8_t data_latch_ = kBlankByte;
    LoadTarget last_load_ = LoadTarget::Program;
    bool armed_program_erase_ = false;
    bool armed_data_erase_ = false;
    int32_t setup_stage_ = 0;  // 1 after 01h, 2 after 01h 07h

    Cycle cycle_;
    int64_t discharge_until_us_ = 0;
    int64_t entered_at_us_ = 0;  // when programming mode was last entered
    double timing_scale_ = 1.0;
};

}  // namespace picprog
