#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace picprog {

// The five kinds of algorithm a model names, in the order the file's keys and
// the model's lists use them.
enum class AlgorithmKind { Erase = 0, Program = 1, Read = 2, BlankCheck = 3, Verify = 4 };

constexpr int kAlgorithmKinds = 5;
// Slots 0 to 20 of each kind.
constexpr int kAlgorithmSlots = 21;
// Models used from a database; the loader skips the rest with a message.
// The Select Microcontroller dialog adds columns beyond 70, so this is only
// a bound against a runaway file.
constexpr int kMaxModels = 200;

// One algorithm slot: the text as written in the file (case and blanks
// untouched); the empty text when the slot was never defined.
struct AlgorithmDef {
    AlgorithmKind kind = AlgorithmKind::Erase;
    int number = 0;
    std::string text;
};

// One model record. Every field is the text written after its key, kept as
// written (trailing blanks too); conversion happens in select_model.
struct DeviceModel {
    std::string name;
    std::string flash;
    std::string eeprom;
    std::string configerased;
    std::string config2used;
    std::string voltageseq;
    std::string progtime;
    std::string pagesize;
    // Optional chip-safety keys; empty when the file does not give them.
    std::string deviceid;    // "1060 3FE0": device ID at 2006h and the mask without revision
    std::string configmask;  // "21FF [3FFF]": implemented bits of 2007h [and 2008h]
    std::string osccal;      // "3FF": program word holding the RETLW oscillator calibration
    std::string configcal;   // "3000 [0000]": calibration bits of 2007h [and 2008h]
    std::string calwords;    // "2008 [2009 ...]": config-space calibration words, never erased
    // A caution the programs show when the model is chosen and before an
    // operation, such as a programming voltage below what the board applies.
    std::string warning;
    // Algorithm texts copied from their slots, indexed by AlgorithmKind.
    std::array<std::string, kAlgorithmKinds> algorithms;

    const std::string& algorithm(AlgorithmKind kind) const {
        return algorithms[static_cast<size_t>(kind)];
    }
};

// The loaded database: the algorithm tables and the models in file order
// (model number n is models[n - 1]).
struct DeviceDatabase {
    std::array<std::array<AlgorithmDef, kAlgorithmSlots>, kAlgorithmKinds> algorithm_slots;
    std::vector<DeviceModel> models;

    int32_t model_count() const { return static_cast<int32_t>(models.size()); }
    // Model by 1-based number; nullptr outside 1..model_count().
    const DeviceModel* model(int32_t number) const;
};

}  // namespace picprog
