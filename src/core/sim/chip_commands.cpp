// What each decoded command does to the chip: loads, reads, the address
// counter, and the write and erase cycles with each family's rules.
#include <cmath>
#include <string>
#include <utility>

#include "core/sim/pic_chip.h"

namespace picprog {
namespace {

constexpr int32_t kUserHalfMask = 0x1FFF;
constexpr uint16_t kDataByteMask = 0xFF;

// Flash cells only go from 1 to 0 without an erase; code protection bits
// never go back to 1 without the family's erase, whatever the cycle.
uint16_t programmed_config(const ChipMemory& memory, const FamilyTraits& traits, int32_t address,
                           uint16_t value, bool erase_first) {
    const uint16_t old = memory.config(address);
    const bool rewrite = erase_first || traits.config_rewritable;
    uint16_t result = rewrite ? value : static_cast<uint16_t>(old & value);
    if (memory.is_config_word(address) &&
        (address - kConfig1Address) % traits.config_half_words == 0) {
        const auto protect = static_cast<uint16_t>(traits.cp_mask | traits.cpd_mask);
        result = static_cast<uint16_t>((result & ~protect) | (old & value & protect));
    }
    return result;
}

}  // namespace

bool PicChip::pc_in_config() const {
    return pc_ >= kConfigBase;
}

void PicChip::reset_latches() {
    latches_.fill(kBlankWord);
    latch_loaded_.fill(false);
}

void PicChip::execute(ChipAction action, int64_t now_us) {
    const bool is_begin = action == ChipAction::BeginEraseWrite ||
                          action == ChipAction::BeginWrite || action == ChipAction::BeginExternal ||
                          action == ChipAction::BeginEraseExternal;
    // An armed erase or a set-up pair only counts when a Begin follows it.
    if (!is_begin && action != ChipAction::BulkEraseProgram &&
        action != ChipAction::BulkEraseData) {
        armed_program_erase_ = false;
        armed_data_erase_ = false;
    }
    if (!is_begin && action != ChipAction::EraseSetup1 && action != ChipAction::EraseSetup2) {
        setup_stage_ = 0;
    }
    switch (action) {
        case ChipAction::Increment:
            increment();
            break;
        case ChipAction::BeginEraseWrite:
        case ChipAction::BeginWrite:
        case ChipAction::BeginExternal:
        case ChipAction::BeginEraseExternal:
            begin(action, now_us);
            break;
        case ChipAction::EndProgramming:
            end_programming(now_us);
            break;
        case ChipAction::BulkEraseProgram:
            bulk_erase_program(now_us);
            break;
        case ChipAction::BulkEraseData:
            bulk_erase_data(now_us);
            break;
        case ChipAction::ChipErase:
            chip_erase(now_us);
            break;
        case ChipAction::RowErase:
            row_erase(now_us);
            break;
        case ChipAction::EraseSetup1:
            setup_stage_ = 1;
            break;
        case ChipAction::EraseSetup2:
            setup_stage_ = setup_stage_ == 1 ? 2 : 0;
            break;
        case ChipAction::ResetAddress:
            pc_ = 0;
            break;
        default:
            break;  // codes the family lacks
    }
}

void PicChip::load(ChipAction action, uint16_t word) {
    const int32_t latch = pc_ % variant_.write_latches;
    switch (action) {
        case ChipAction::LoadConfiguration:
            pc_ = kConfigBase;
            last_load_ = LoadTarget::Program;
            if (!traits_->load_config_discards) {
                latches_[static_cast<size_t>(pc_ % variant_.write_latches)] = word;
                latch_loaded_[static_cast<size_t>(pc_ % variant_.write_latches)] = true;
            }
            break;
        case ChipAction::LoadProgram:
            latches_[static_cast<size_t>(latch)] = word;
            latch_loaded_[static_cast<size_t>(latch)] = true;
            last_load_ = LoadTarget::Program;
            break;
        case ChipAction::LoadData:
            data_latch_ = static_cast<uint8_t>(word & kDataByteMask);
            last_load_ = LoadTarget::Data;
            break;
        default:
            break;
    }
}

uint16_t PicChip::read_value(ChipAction action) const {
    if (action == ChipAction::ReadData) {
        if (memory_.eeprom_bytes() == 0 || memory_.data_protected()) {
            return 0;
        }
        return memory_.data(memory_.data_index(pc_));
    }
    if (pc_in_config()) {
        return memory_.config(pc_);
    }
    const int32_t index = memory_.program_index(pc_);
    if (memory_.program_protected_at(index)) {
        // The oscillator calibration stays readable so it can be saved.
        const bool osccal = traits_->has_osccal && index == memory_.flash_words() - 1;
        return osccal ? memory_.program(index) : 0;
    }
    return memory_.program(index);
}

// The PC wraps inside its half: it can never step from config space back
// into user memory.
void PicChip::increment() {
    const int32_t next = (pc_ + 1) & kUserHalfMask;
    pc_ = pc_in_config() ? (kConfigBase | next) : next;
}

void PicChip::begin(ChipAction action, int64_t now_us) {
    const FamilyTimings& t = traits_->timings;
    const bool external =
        action == ChipAction::BeginExternal || action == ChipAction::BeginEraseExternal;
    if (setup_stage_ == 2 && !external) {
        setup_stage_ = 0;
        const int32_t wait_us = t.setup_erase_us > 0 ? t.setup_erase_us : t.bulk_erase_us;
        start_cycle(false, wait_us, now_us, setup_erase_effect(), "erase");
        return;
    }
    const bool runs_armed = action == ChipAction::BeginEraseWrite ||
                            action == ChipAction::BeginWrite ||
                            action == ChipAction::BeginEraseExternal;
    if (runs_armed && (armed_program_erase_ || armed_data_erase_)) {
        Effect program = armed_program_erase_ ? program_erase_effect() : Effect{};
        Effect data = armed_data_erase_ ? data_erase_effect() : Effect{};
        armed_program_erase_ = false;
        armed_data_erase_ = false;
        start_cycle(
            action == ChipAction::BeginEraseExternal, t.bulk_erase_us, now_us,
            [program, data](ChipMemory& memory, ChipStats& stats) {
                if (program) {
                    program(memory, stats);
                }
                if (data) {
                    data(memory, stats);
                }
            },
            "erase");
        return;
    }
    const bool data_target = last_load_ == LoadTarget::Data;
    switch (action) {
        case ChipAction::BeginEraseWrite:
            start_cycle(false, t.erase_write_us, now_us, write_effect(true));
            break;
        case ChipAction::BeginWrite: {
            const int32_t program_us =
                pc_in_config() && t.config_write_us > 0 ? t.config_write_us : t.write_us;
            start_cycle(false, data_target ? t.data_write_us : program_us, now_us,
                        write_effect(data_target && traits_->begin_write_erases_data));
            break;
        }
        case ChipAction::BeginExternal:
            if (pc_in_config() && traits_->external_write_skips_config) {
                // The pulse runs its course but nothing is written.
                reset_latches();
                start_cycle(true, t.external_write_us, now_us, [](ChipMemory&, ChipStats&) {});
            } else {
                start_cycle(true, t.external_write_us, now_us, write_effect(false));
            }
            break;
        case ChipAction::BeginEraseExternal: {
            // A row of program memory or one data byte, chosen by the last load.
            Effect erase;
            if (data_target) {
                const int32_t index = memory_.data_index(pc_);
                erase = [index](ChipMemory& memory, ChipStats& stats) {
                    memory.set_data(index, kBlankByte);
                    ++stats.erases;
                };
            } else if (!pc_in_config() && !memory_.program_protected()) {
                const int32_t words = traits_->row_erase_words;
                const int32_t first = memory_.program_index(pc_) / words * words;
                erase = [first, words](ChipMemory& memory, ChipStats& stats) {
                    memory.erase_program_rows(first, words);
                    ++stats.erases;
                };
            } else {
                erase = [](ChipMemory&, ChipStats&) {};
            }
            start_cycle(true, t.external_erase_us, now_us, std::move(erase), "erase");
            break;
        }
        default:
            break;
    }
}

void PicChip::end_programming(int64_t now_us) {
    if (cycle_.active && cycle_.external) {
        const int64_t pulse = now_us - cycle_.start_us;
        if (pulse < cycle_.duration_us) {
            spoil_cycle("End Programming came", now_us);
        } else {
            // A tenth over the maximum is let through: clocking End
            // Programming in takes tens of microseconds on a slow port, and
            // no PC times a millisecond pulse to the microsecond.
            const int64_t limit = cycle_.max_duration_us + cycle_.max_duration_us / 10;
            if (cycle_.max_duration_us > 0 && pulse > limit) {
                // Silicon takes the write, but outside the part's rated limits.
                ++stats_.pulse_violations;
                violate(ChipRule::PulseTooLong,
                        "End Programming came " + std::to_string(pulse) + " µs after the " +
                            cycle_.what + " began; the pulse may last at most " +
                            std::to_string(cycle_.max_duration_us) + " µs.",
                        now_us);
            }
            commit_cycle();
        }
        discharge_until_us_ = now_us + discharge_us();
    }
    if (traits_->end_resets_latches) {
        reset_latches();
    }
}

// Builds the effect of a programming cycle from what the latches hold now.
// Program memory takes the whole aligned latch block; config space takes
// the loaded latches one word each; a data write replaces its byte.
PicChip::Effect PicChip::write_effect(bool erase_first) {
    if (last_load_ == LoadTarget::Data) {
        const int32_t index = memory_.data_index(pc_);
        const uint8_t value = data_latch_;
        if (index < 0) {
            return [](ChipMemory&, ChipStats&) {};
        }
        if (memory_.data_protected()) {
            ++stats_.blocked_by_protection;
            return [](ChipMemory&, ChipStats&) {};
        }
        // A programming-only cycle can only clear bits, as in program memory.
        return [index, value, erase_first](ChipMemory& memory, ChipStats& stats) {
            memory.set_data(index,
                            erase_first ? value : static_cast<uint8_t>(memory.data(index) & value));
            ++stats.data_bytes_written;
        };
    }
    const int32_t n = variant_.write_latches;
    const auto latches = latches_;
    const auto loaded = latch_loaded_;
    if (!pc_in_config()) {
        reset_latches();
        const int32_t first = memory_.program_index(pc_) / n * n;
        if (memory_.program_protected_at(first)) {
            ++stats_.blocked_by_protection;
            return [](ChipMemory&, ChipStats&) {};
        }
        return [first, n, latches, erase_first](ChipMemory& memory, ChipStats& stats) {
            for (int32_t i = 0; i < n; ++i) {
                const uint16_t value = latches[static_cast<size_t>(i)];
                const uint16_t old = memory.program(first + i);
                memory.set_program(first + i,
                                   erase_first ? value : static_cast<uint16_t>(old & value));
                ++stats.words_written;
            }
        };
    }
    if (!traits_->config_write_keeps_latches) {
        reset_latches();
    }
    const int32_t block = pc_ / n * n;
    const FamilyTraits* traits = traits_;
    const bool whole_row = traits_->config_writes_whole_row;
    return [block, n, latches, loaded, erase_first, whole_row, traits](ChipMemory& memory,
                                                                       ChipStats& stats) {
        for (int32_t i = 0; i < n; ++i) {
            const int32_t address = block + i;
            const bool take = whole_row || loaded[static_cast<size_t>(i)];
            if (!take || !memory.config_writable(address)) {
                continue;
            }
            memory.set_config(address,
                              programmed_config(memory, *traits, address,
                                                latches[static_cast<size_t>(i)], erase_first));
            ++stats.words_written;
        }
    };
}

void PicChip::start_cycle(bool external, int32_t duration_us, int64_t now_us, Effect effect,
                          const char* what) {
    cycle_.active = true;
    cycle_.external = external;
    cycle_.start_us = now_us;
    cycle_.duration_us = static_cast<int64_t>(std::ceil(duration_us * timing_scale_));
    const int32_t max_us = traits_->timings.external_write_max_us;
    const bool write = std::string_view(what) == "write";
    cycle_.max_duration_us = external && write && max_us > 0
                                 ? static_cast<int64_t>(std::ceil(max_us * timing_scale_))
                                 : 0;
    cycle_.what = what;
    cycle_.effect = std::move(effect);
}

void PicChip::commit_cycle() {
    Effect effect = std::move(cycle_.effect);
    cycle_ = Cycle{};
    if (effect) {
        effect(memory_, stats_);
    }
}

void PicChip::spoil_cycle(std::string_view cause, int64_t now_us) {
    const std::string what = cycle_.what;
    const int64_t into = now_us - cycle_.start_us;
    const std::string needs = std::to_string(cycle_.duration_us) + " µs";
    violate(ChipRule::BusyPeriod,
            std::string(cause) + " " + std::to_string(into) + " µs into " +
                (cycle_.external ? "an externally timed " : "a ") + what + " that needs " +
                (cycle_.external ? "at least " : "") + needs + ", so the " + what + " was lost.",
            now_us);
    cycle_ = Cycle{};
    ++stats_.busy_violations;
}

}  // namespace picprog
