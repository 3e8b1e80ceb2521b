// Which cells each family's erase commands clear, and what stops them. The
// effect is decided when the command arrives (PC, CP and CPD as they are
// then) and lands when the cycle completes.
#include <cstdio>
#include <string>

#include "core/sim/pic_chip.h"

namespace picprog {
namespace {

std::string hex_address(int32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%04Xh", static_cast<unsigned>(address));
    return text;
}

int32_t row_erase_time(const FamilyTimings& t) {
    return t.row_erase_us > 0 ? t.row_erase_us : t.bulk_erase_us;
}

bool erases_config_with_program(Family family) {
    switch (family) {
        case Family::F62XA:
        case Family::F629:
        case Family::F690:
        case Family::F88X:
        case Family::F716:
        case Family::F72X:
        case Family::F683:
        case Family::F635:
        case Family::F91X:
        case Family::F61X:
        case Family::F785:
        case Family::Generic:
            return true;
        default:
            return false;
    }
}

// Families whose Bulk Erase Data refuses to run while CPD protects the data.
bool data_erase_honours_cpd(Family family) {
    switch (family) {
        case Family::F84A:
        case Family::F87XA:
        case Family::F87_88:
        case Family::F629:
        case Family::F690:
        case Family::F88X:
        case Family::F683:
        case Family::F635:
        case Family::F91X:
        case Family::F785:
        case Family::F62X:
        case Family::F818:
            return true;
        default:
            return false;
    }
}

// Families whose Row Erase in config space erases the user IDs (whatever
// code protection says) instead of being ignored.
bool row_erase_clears_ids(Family family) {
    return family == Family::F72X;
}

// The last config-space address at which a bulk or row erase is defined
// on the families that give one; 0 = any address.
int32_t last_defined_config_erase_address(Family family) {
    return family == Family::F72X ? 0x2008 : 0;
}

// Families whose Bulk Erase Data also refuses while code protection is on.
bool data_erase_honours_cp(Family family) {
    return family == Family::F62X;
}

// Families where 01h-07h-Begin is defined only at 2007h (elsewhere it does
// nothing).
bool setup_erase_only_at_config_word(Family family) {
    return family == Family::F62X;
}

}  // namespace

void PicChip::bulk_erase_program(int64_t now_us) {
    if (traits_->bulk_erase_armed) {
        // The armed erase is refused outright on a protected part.
        if (memory_.program_protected()) {
            ++stats_.blocked_by_protection;
        } else {
            armed_program_erase_ = true;
        }
        return;
    }
    const int32_t last = last_defined_config_erase_address(traits_->family);
    const int32_t offset = (pc_ - kConfigBase) % traits_->config_half_words;
    if (last != 0 && pc_in_config() && offset > last - kConfigBase) {
        // Modelled as the worst case: the calibration words at the PC go too.
        violate(ChipRule::EraseAddress,
                "Bulk Erase came with the address at " + hex_address(pc_) +
                    "; the chip defines it only up to " + hex_address(last) +
                    ", and the factory calibration may be lost.",
                now_us);
    }
    start_cycle(false, traits_->timings.bulk_erase_us, now_us, program_erase_effect(), "erase");
}

void PicChip::bulk_erase_data(int64_t now_us) {
    if ((data_erase_honours_cpd(traits_->family) && memory_.data_protected()) ||
        (data_erase_honours_cp(traits_->family) && memory_.program_protected())) {
        ++stats_.blocked_by_protection;
        return;
    }
    if (traits_->bulk_erase_armed) {
        armed_data_erase_ = true;
        return;
    }
    start_cycle(false, traits_->timings.bulk_erase_us, now_us, data_erase_effect(), "erase");
}

void PicChip::chip_erase(int64_t now_us) {
    start_cycle(false, traits_->timings.chip_erase_us, now_us, chip_erase_effect(), "erase");
}

void PicChip::row_erase(int64_t now_us) {
    if (pc_in_config() && row_erase_clears_ids(traits_->family)) {
        const int32_t last = last_defined_config_erase_address(traits_->family);
        if ((pc_ - kConfigBase) % traits_->config_half_words <= last - kConfigBase) {
            start_cycle(
                false, row_erase_time(traits_->timings), now_us,
                [](ChipMemory& memory, ChipStats& stats) {
                    memory.erase_user_ids();
                    ++stats.erases;
                },
                "erase");
        }
        return;
    }
    if (memory_.program_protected()) {
        ++stats_.blocked_by_protection;
        return;
    }
    if (pc_in_config()) {
        return;
    }
    const int32_t words = traits_->row_erase_words;
    const int32_t first = memory_.program_index(pc_) / words * words;
    start_cycle(
        false, row_erase_time(traits_->timings), now_us,
        [first, words](ChipMemory& memory, ChipStats& stats) {
            memory.erase_program_rows(first, words);
            ++stats.erases;
        },
        "erase");
}

// Bulk Erase Program. With the PC in config space the user IDs go too; on
// the families that erase the config word, a set CPD takes the data with it
// (so protected data never survives unprotected); the calibration word goes
// only when the PC points at one of them (then all of them go).
PicChip::Effect PicChip::program_erase_effect() const {
    const bool ids = pc_in_config() && traits_->family != Family::F87XA;
    const bool config = erases_config_with_program(traits_->family);
    const bool data = config && memory_.data_protected();
    const int32_t cal = traits_->calibration_address;
    const bool calibration = cal != 0 && pc_ >= cal && pc_ < cal + traits_->calibration_count;
    return [ids, config, data, calibration](ChipMemory& memory, ChipStats& stats) {
        memory.erase_program();
        if (config) {
            memory.erase_config_words();
        }
        if (data) {
            memory.erase_data();
        }
        if (ids) {
            memory.erase_user_ids();
        }
        if (calibration) {
            memory.erase_calibration();
        }
        ++stats.erases;
    };
}

PicChip::Effect PicChip::data_erase_effect() const {
    return [](ChipMemory& memory, ChipStats& stats) {
        memory.erase_data();
        ++stats.erases;
    };
}

// Chip Erase clears everything but the IDs, and those too when the PC is in
// config space.
PicChip::Effect PicChip::chip_erase_effect() const {
    const bool ids = pc_in_config();
    return [ids](ChipMemory& memory, ChipStats& stats) {
        memory.erase_program();
        memory.erase_data();
        memory.erase_config_words();
        if (ids) {
            memory.erase_user_ids();
        }
        ++stats.erases;
    };
}

// The 01h-07h-Begin sequence. Pointing at the config word makes it the full
// erase that also lifts code protection; otherwise it erases the memory of
// the last load, and only when that memory is not protected.
PicChip::Effect PicChip::setup_erase_effect() const {
    if (pc_ == kConfig1Address) {
        const bool ids = traits_->family == Family::F87X;
        return [ids](ChipMemory& memory, ChipStats& stats) {
            memory.erase_program();
            memory.erase_data();
            memory.erase_config_words();
            if (ids) {
                memory.erase_user_ids();
            }
            ++stats.erases;
        };
    }
    if (setup_erase_only_at_config_word(traits_->family)) {
        return [](ChipMemory&, ChipStats&) {};
    }
    if (last_load_ == LoadTarget::Data) {
        if (memory_.data_protected()) {
            return [](ChipMemory&, ChipStats& stats) { ++stats.blocked_by_protection; };
        }
        return data_erase_effect();
    }
    if (memory_.program_protected()) {
        return [](ChipMemory&, ChipStats& stats) { ++stats.blocked_by_protection; };
    }
    return [](ChipMemory& memory, ChipStats& stats) {
        memory.erase_program();
        ++stats.erases;
    };
}

}  // namespace picprog
