#include "core/sim/pic_chip.h"

#include <cmath>
#include <string>
#include <utility>

namespace picprog {
namespace {

constexpr int32_t kCommandBits = 6;
// Start bit, 14 data bits, stop bit.
constexpr int32_t kFrameClocks = 16;
// The chip drives data bit i on rising edge i + 2 of the frame and lets go
// of the line on the 16th.
constexpr int32_t kFirstDrivenEdge = 2;
constexpr int32_t kLastDrivenEdge = 15;
constexpr int32_t kCommandMask = (1 << kCommandBits) - 1;

bool is_load(ChipAction action) {
    return action == ChipAction::LoadConfiguration || action == ChipAction::LoadProgram ||
           action == ChipAction::LoadData;
}

bool is_read(ChipAction action) {
    return action == ChipAction::ReadProgram || action == ChipAction::ReadData;
}

// Codes that carry a data frame on some family. A family that lacks one of
// them still has to sit out its 16 clocks, or the data bits would be taken
// for commands.
bool carries_data(int32_t code) {
    switch (static_cast<IcspCommand>(code)) {
        case IcspCommand::LoadConfiguration:
        case IcspCommand::LoadProgram:
        case IcspCommand::LoadData:
        case IcspCommand::ReadProgram:
        case IcspCommand::ReadData:
            return true;
        default:
            return false;
    }
}

// Violations listed in full; the rest are only counted.
constexpr size_t kListedViolations = 20;

bool order_accepted(EntryOrder wanted, SupplyOrder seen) {
    switch (wanted) {
        case EntryOrder::VddFirst:
            return seen != SupplyOrder::VppFirst;
        case EntryOrder::VppFirst:
            return seen != SupplyOrder::VddFirst;
        case EntryOrder::Either:
            return true;
    }
    return true;
}

}  // namespace

PicChip::PicChip(ChipVariant variant)
    : variant_(std::move(variant)),
      traits_(&family_traits(variant_.family)),
      memory_(variant_, *traits_) {
    reset_latches();
}

void PicChip::set_pins(const ChipPins& pins, int64_t now_us) {
    settle(now_us);
    const ChipPins old = pins_;
    pins_ = pins;
    const bool was_programming = programming_;
    update_power(old, pins, now_us);
    if (!programming_ || !was_programming) {
        return;
    }
    if (pins.clock && !old.clock) {
        on_rising();
    } else if (!pins.clock && old.clock) {
        on_falling(pins.data, now_us);
    }
}

void PicChip::settle(int64_t now_us) {
    if (cycle_.active && !cycle_.external && now_us - cycle_.start_us >= cycle_.duration_us) {
        commit_cycle();
    }
}

// Programming mode needs MCLR raised to VIHH while CLOCK and DATA are low;
// VDD may come before or after it. The mode ends when either supply drops.
void PicChip::update_power(const ChipPins& old, const ChipPins& now_pins, int64_t now_us) {
    const bool vpp_rose = now_pins.vpp && !old.vpp;
    const bool vdd_rose = now_pins.vdd && !old.vdd;
    if (programming_ && (!now_pins.vdd || !now_pins.vpp)) {
        settle(now_us);
        leave(now_us);
    }
    if (vdd_rose) {
        vdd_rose_us_ = now_us;
    }
    if (!now_pins.vpp) {
        entry_allowed_ = false;
    }
    if (vpp_rose) {
        entry_allowed_ = !now_pins.clock && !now_pins.data;
    }
    if (programming_ || !now_pins.vpp || !now_pins.vdd || !entry_allowed_ ||
        !(vpp_rose || vdd_rose)) {
        return;
    }
    const SupplyOrder order = vpp_rose && vdd_rose ? SupplyOrder::Together
                              : vpp_rose           ? SupplyOrder::VddFirst
                                                   : SupplyOrder::VppFirst;
    if (!order_accepted(traits_->entry, order)) {
        ++stats_.rejected_entries;
        entry_allowed_ = false;
        violate(ChipRule::EntryOrder,
                order == SupplyOrder::VppFirst
                    ? "VPP rose before VDD; the chip enters programming mode only when VDD is "
                      "on before VPP rises."
                    : "VDD rose before VPP; the chip enters programming mode only when VPP rises "
                      "before VDD.",
                now_us);
        return;
    }
    const int32_t window = traits_->vdd_first_window_us;
    if (order == SupplyOrder::VddFirst && window > 0 && now_us - vdd_rose_us_ > window) {
        // The part ran its own code before MCLR rose and may hold the
        // programming pins; entry is not reliable.
        ++stats_.rejected_entries;
        entry_allowed_ = false;
        violate(ChipRule::EntryOrder,
                "VDD rose before VPP by " + std::to_string(now_us - vdd_rose_us_) +
                    " µs; with VDD first the chip needs MCLR at VIHH within " +
                    std::to_string(window) + " µs.",
                now_us);
        return;
    }
    enter(order, now_us);
}

void PicChip::enter(SupplyOrder order, int64_t now_us) {
    programming_ = true;
    entered_at_us_ = now_us;
    pc_ = 0;
    reset_latches();
    data_latch_ = kBlankByte;
    last_load_ = LoadTarget::Program;
    armed_program_erase_ = false;
    armed_data_erase_ = false;
    setup_stage_ = 0;
    discharge_until_us_ = 0;
    reset_frame();
    stats_.entries.push_back(order);
}

// Losing a supply in the middle of a cycle loses the cycle.
void PicChip::leave(int64_t now_us) {
    if (cycle_.active) {
        spoil_cycle("the supply went off", now_us);
    }
    programming_ = false;
    reset_frame();
}

void PicChip::reset_frame() {
    phase_ = Phase::Command;
    frame_action_ = ChipAction::None;
    frame_bits_ = 0;
    frame_rising_ = 0;
    shift_ = 0;
    drive_low_ = false;
}

void PicChip::on_rising() {
    if (phase_ != Phase::Read) {
        return;
    }
    ++frame_rising_;
    if (frame_rising_ >= kFirstDrivenEdge && frame_rising_ <= kLastDrivenEdge) {
        const int32_t bit = frame_rising_ - kFirstDrivenEdge;
        drive_low_ = ((read_word_ >> bit) & 1U) == 0;
    } else {
        drive_low_ = false;
    }
}

void PicChip::on_falling(bool data, int64_t now_us) {
    switch (phase_) {
        case Phase::Command:
            if (frame_bits_ == 0 && now_us - entered_at_us_ < traits_->timings.entry_hold_us) {
                // Reported once per entry; what the part makes of the bits
                // is not defined, so they are taken as sent.
                violate(ChipRule::EntryHold,
                        "a command was clocked in " + std::to_string(now_us - entered_at_us_) +
                            " µs after entering programming mode; the chip needs CLOCK and "
                            "DATA held low for at least " +
                            std::to_string(traits_->timings.entry_hold_us) + " µs first.",
                        now_us);
                entered_at_us_ = now_us - traits_->timings.entry_hold_us;
            }
            shift_ |= static_cast<uint32_t>(data) << frame_bits_;
            if (++frame_bits_ == kCommandBits) {
                const auto code = static_cast<int32_t>(shift_ & kCommandMask);
                reset_frame();
                decode(code, now_us);
            }
            return;
        case Phase::Load:
        case Phase::Skip:
            shift_ |= static_cast<uint32_t>(data) << frame_bits_;
            if (++frame_bits_ == kFrameClocks) {
                // The start and stop positions are don't-cares.
                const auto word = static_cast<uint16_t>((shift_ >> 1) & kWordMask);
                const ChipAction action = frame_action_;
                const bool skip = phase_ == Phase::Skip;
                reset_frame();
                if (!skip) {
                    load(action, word);
                }
            }
            return;
        case Phase::Read:
            if (++frame_bits_ == kFrameClocks) {
                reset_frame();
            }
            return;
    }
}

void PicChip::decode(int32_t code, int64_t now_us) {
    ++stats_.commands[static_cast<size_t>(code)];
    const ChipAction action = traits_->actions[static_cast<size_t>(code)];
    if (now_us < discharge_until_us_) {
        // The programming voltage inside the part has not discharged yet:
        // the command is lost (its data frame still has to be clocked out).
        ++stats_.discharge_violations;
        const int64_t since_end = now_us - (discharge_until_us_ - discharge_us());
        violate(ChipRule::DischargeTime,
                "a command came " + std::to_string(since_end) +
                    " µs after End Programming; the chip needs at least " +
                    std::to_string(discharge_us()) + " µs.",
                now_us);
        if (carries_data(code)) {
            phase_ = Phase::Skip;
        }
        return;
    }
    // Anything but End Programming during a running cycle disturbs it.
    if (cycle_.active && !(cycle_.external && action == ChipAction::EndProgramming)) {
        spoil_cycle("a command came", now_us);
    }
    if (is_load(action)) {
        phase_ = Phase::Load;
        frame_action_ = action;
    } else if (is_read(action)) {
        phase_ = Phase::Read;
        read_word_ = read_value(action);
    } else if (action == ChipAction::None && carries_data(code)) {
        phase_ = Phase::Skip;
    } else {
        execute(action, now_us);
    }
}

int64_t PicChip::discharge_us() const {
    return static_cast<int64_t>(std::ceil(traits_->timings.discharge_us * timing_scale_));
}

void PicChip::violate(ChipRule rule, std::string_view text, int64_t now_us) {
    RuleViolations& v = stats_.violations;
    ++v.total;
    if (v.listed.size() < kListedViolations) {
        v.listed.push_back(
            RuleViolation{rule, "PIC" + variant_.name + ": " + std::string(text), now_us});
    }
}

RuleViolations PicChip::take_violations() {
    RuleViolations taken = std::move(stats_.violations);
    stats_.violations = RuleViolations{};
    return taken;
}

}  // namespace picprog
