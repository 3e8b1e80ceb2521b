#pragma once

// End-to-end helpers: the shipped device database, a programmer wired to a
// simulated board holding the model's part, the facts each family must
// satisfy (taken from the chips' programming documents, not from the
// database or the simulator), and random images within a model's sizes.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/devices/device_loader.h"
#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"
#include "support/recording_view.h"

namespace picprog::e2e {

#ifdef PICPROG_SANITIZED_TESTS
inline constexpr bool kEveryModel = false;
#else
inline constexpr bool kEveryModel = true;
#endif

inline std::string shipped_database_path() {
    return std::string(PICPROG_SOURCE_DIR) + "/data/picprogdevices.txt";
}

// The shipped file, loaded once per test program.
inline const DatabaseLoadResult& shipped_database() {
    static const DatabaseLoadResult kResult = load_device_database(shipped_database_path());
    return kResult;
}

// Names of the shipped models in file order (empty when the file is missing,
// which the database tests report). The sanitizer build takes the first
// model of each family only: memory faults do not depend on a part's sizes,
// and the plain build still runs every model.
inline std::vector<std::string> shipped_model_names() {
    std::vector<std::string> names;
    std::vector<Family> families;
    for (const DeviceModel& model : shipped_database().database.models) {
        const Family family = chip_for_model(model.name).family;
        const bool first_of_family =
            std::find(families.begin(), families.end(), family) == families.end();
        families.push_back(family);
        if (kEveryModel || first_of_family) {
            names.push_back(model.name);
        }
    }
    return names;
}

// 1-based number of a shipped model, 0 when absent.
inline int32_t model_number(const std::string& name) {
    const auto& models = shipped_database().database.models;
    for (size_t i = 0; i < models.size(); ++i) {
        if (models[i].name == name) {
            return static_cast<int32_t>(i + 1);
        }
    }
    return 0;
}

// What a family's parts demand of a database entry.
struct FamilyFacts {
    // The supply that must rise first; nullopt when either order enters.
    std::optional<VoltageSequence> required_order;
    int32_t page_size = 1;        // write-latch block the program algorithm uses
    int32_t min_progtime_ms = 0;  // longest programming-cycle time, rounded up
    uint16_t config1_mask = 0;    // implemented bits of 2007h
    uint16_t config1_erased = 0;  // 2007h right after a full erase
    uint16_t config2_mask = 0;    // implemented bits of 2008h (two-word parts)
    uint16_t config2_erased = 0;
    uint16_t protect_bits = 0;  // CP and CPD bits of 2007h: 0 protects
};

inline FamilyFacts facts_of(Family family) {
    using V = VoltageSequence;
    switch (family) {
        case Family::F84A:
            return {V::VddFirst, 1, 8, 0x3FFF, 0x3FFF, 0, 0, 0x3FF0};
        case Family::F62XA:
            return {V::VppFirst, 1, 4, 0x21FF, 0x3FFF, 0, 0, 0x2100};
        case Family::F87XA:
            return {V::VddFirst, 8, 8, 0x2FCF, 0x3FFF, 0, 0, 0x2100};
        case Family::F87_88:
            return {std::nullopt, 4, 2, 0x3FFF, 0x3FFF, 0x0003, 0x3FFF, 0x2100};
        case Family::F629:
            return {V::VppFirst, 1, 3, 0x31FF, 0x31FF, 0, 0, 0x0180};
        case Family::F690:
            // VPP first enters whatever the config, so it is the one to use.
            return {V::VppFirst, 4, 3, 0x0FFF, 0x3FFF, 0, 0, 0x00C0};
        case Family::F88X:
            return {V::VppFirst, 4, 3, 0x3FFF, 0x3FFF, 0x0700, 0x3FFF, 0x00C0};
        case Family::F716:
            return {V::VddFirst, 4, 2, 0x20CF, 0x3FFF, 0, 0, 0x2000};
        case Family::F7X:
            return {V::VddFirst, 2, 1, 0x005F, 0x3FFF, 0, 0, 0x0010};
        case Family::F87X:
            return {V::VddFirst, 1, 8, 0x3BFF, 0x3FFF, 0, 0, 0x3130};
        case Family::F72X:
            // VPP first enters whatever the config; TPINT 2.5 ms.
            return {V::VppFirst, 8, 3, 0x377F, 0x3FFF, 0x0030, 0x3FFF, 0x0040};
        case Family::F7X7:
            return {V::VddFirst, 2, 1, 0x39FF, 0x3FFF, 0x0043, 0x3FFF, 0x2000};
        case Family::F683:
            return {V::VppFirst, 4, 3, 0x0FFF, 0x3FFF, 0, 0, 0x00C0};
        case Family::F635:
        case Family::F91X:
            return {V::VppFirst, 4, 3, 0x1FFF, 0x3FFF, 0, 0, 0x00C0};
        case Family::F61X:
            return {V::VppFirst, 1, 3, 0x03FF, 0x3FFF, 0, 0, 0x0040};
        case Family::F785:
            return {V::VppFirst, 4, 3, 0x0FFF, 0x3FFF, 0, 0, 0x00C0};
        case Family::F83_84:
            return {V::VddFirst, 1, 20, 0x3FFF, 0x3FFF, 0, 0, 0x3FF0};
        case Family::F62X:
            return {V::VppFirst, 1, 13, 0x3DFF, 0x3FFF, 0, 0, 0x3D00};
        case Family::F818:
            // VDD first would need MCLR within 250 us of VDD, which the
            // power-up's settling time cannot give.
            return {V::VppFirst, 4, 2, 0x3FFF, 0x3FFF, 0, 0, 0x2100};
        case Family::Generic:
            break;
    }
    return {};
}

// The chip's answer for a config word written with `value`: unimplemented
// bits read as they do after an erase.
inline int32_t read_back(int32_t value, uint16_t mask, uint16_t erased) {
    return (value & mask) | (erased & ~mask & 0x3FFF);
}

// A programmer on the default settings, wired to a simulated board whose
// socket holds the part named by one of the shipped models.
class Bench {
public:
    explicit Bench(const std::string& model_name) {
        auto board = std::make_unique<SimulatedProgrammer>(chip_for_model(model_name));
        sim_ = board.get();
        programmer_ = std::make_unique<Programmer>(std::move(board));
        programmer_->database = shipped_database().database;
        selected_ = programmer_->select(model_number(model_name));
        programmer_->driver().all_lines_off();
    }

    bool selected() const { return selected_; }
    Programmer& programmer() { return *programmer_; }
    SimulatedProgrammer& sim() { return *sim_; }
    PicChip& chip() { return sim_->chip(); }
    const CurrentModel& model() const { return programmer_->model; }
    MemoryImage& image() { return programmer_->image; }
    Family family() const { return sim_->chip().variant().family; }
    FamilyFacts facts() const { return facts_of(family()); }

    OperationResult run(ChipOperation operation) {
        view.boxes.clear();
        return run_chip_operation(*programmer_, operation, view);
    }

    test_support::RecordingView view;

private:
    SimulatedProgrammer* sim_ = nullptr;
    std::unique_ptr<Programmer> programmer_;
    bool selected_ = false;
};

// Shape of a random image.
struct ImageShape {
    int32_t flash_words = 0;  // words from address 0 that may hold data
    int32_t eeprom_bytes = 0;
    bool dense = false;    // every word random, or a sparse scatter
    bool protect = false;  // CP and CPD on in 2007h
};

// A random image inside the shape: sparse images scatter about 1/16 of the
// words (at least 40) and always use the shape's last word and byte, so the
// algorithms' extents reach them. Config words are random with protection
// as asked and are given as the family reads them back.
inline MemoryImage random_image(const CurrentModel& model, const FamilyFacts& facts,
                                const ImageShape& shape, std::mt19937& rng) {
    MemoryImage image;
    image.blank_image(model);
    std::uniform_int_distribution<int32_t> word(0, 0x3FFE);
    std::uniform_int_distribution<int32_t> byte(0, 0xFE);
    auto fill = [&](std::vector<int32_t>& memory, int32_t used, auto& values) {
        if (used <= 0) {
            return;
        }
        if (shape.dense) {
            for (int32_t a = 0; a < used; ++a) {
                memory[static_cast<size_t>(a)] = values(rng);
            }
            return;
        }
        std::uniform_int_distribution<int32_t> where(0, used - 1);
        const int32_t count = std::max(40, used / 16);
        for (int32_t i = 0; i < count; ++i) {
            memory[static_cast<size_t>(where(rng))] = values(rng);
        }
        memory[static_cast<size_t>(used - 1)] = values(rng);
    };
    fill(image.flash, shape.flash_words, word);
    fill(image.eeprom, shape.eeprom_bytes, byte);

    std::uniform_int_distribution<int32_t> any(0, 0x3FFF);
    int32_t config1 = any(rng);
    config1 = shape.protect ? (config1 & ~facts.protect_bits) : (config1 | facts.protect_bits);
    image.config[1] = read_back(config1, facts.config1_mask, facts.config1_erased);
    if (model.config2_used) {
        image.config[2] = read_back(any(rng), facts.config2_mask, facts.config2_erased);
    }
    return image;
}

inline uint32_t seed_of(const std::string& name) {
    uint32_t seed = 2166136261U;
    for (char c : name) {
        seed = (seed ^ static_cast<uint8_t>(c)) * 16777619U;
    }
    return seed;
}

// Test names may hold only letters, digits and underscores.
inline std::string param_name(const std::string& name) {
    std::string out;
    for (char c : name) {
        out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return out;
}

}  // namespace picprog::e2e
