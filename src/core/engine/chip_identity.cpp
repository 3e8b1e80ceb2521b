#include "core/engine/chip_identity.h"

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

// The read commands of every 14-bit flash part in the database.
constexpr int32_t kLoadConfiguration = 0x00;
constexpr int32_t kReadProgram = 0x04;
constexpr int32_t kIncrement = 0x06;
constexpr int32_t kConfigBase = 0x2000;
constexpr int32_t kDeviceIdAddress = 0x2006;
constexpr int32_t kReleasedLine = 0x3FFF;
constexpr int32_t kBlank = 0x3FFF;

int32_t read_word_in_order(Programmer& p, int32_t address, VoltageSequence order) {
    LineDriver& driver = p.driver();
    driver.power_up(order);
    int32_t steps = address;
    if (address >= kConfigBase) {
        driver.send_command_with_data(kLoadConfiguration, kBlank);
        driver.short_delay();
        steps = address - kConfigBase;
    }
    for (int32_t i = 0; i < steps; ++i) {
        driver.send_command(kIncrement);
        driver.short_delay();
    }
    const int32_t word = driver.send_command_read_data(kReadProgram) & 0x3FFF;
    driver.short_delay();
    driver.power_down();
    return word;
}

VoltageSequence other_order(VoltageSequence order) {
    return order == VoltageSequence::VppFirst ? VoltageSequence::VddFirst
                                              : VoltageSequence::VppFirst;
}

bool answers(int32_t id) {
    return id != kReleasedLine && id != 0;
}

}  // namespace

int32_t read_chip_word(Programmer& programmer, int32_t address) {
    return read_word_in_order(programmer, address, programmer.model.voltage_sequence);
}

ChipIdentity identify_chip(Programmer& programmer) {
    const VoltageSequence first = programmer.model.voltage_sequence;
    ChipIdentity identity;
    identity.raw_id = read_word_in_order(programmer, kDeviceIdAddress, first);
    if (!answers(identity.raw_id)) {
        identity.raw_id = read_word_in_order(programmer, kDeviceIdAddress, other_order(first));
    }
    // A probe in the order the part refuses is expected, not a fault of
    // whatever operation follows.
    (void)programmer.backend().take_violations();
    if (!answers(identity.raw_id)) {
        identity.answer = ChipAnswer::NoChip;
        return identity;
    }
    identity.answer = ChipAnswer::Unknown;
    const DeviceDatabase& database = programmer.database;
    for (int32_t n = 1; n <= database.model_count(); ++n) {
        CurrentModel candidate;
        candidate.index = n;
        select_model(candidate, database);
        const auto& id = candidate.safety.device_id;
        if (!id || (identity.raw_id & id->mask) != id->value) {
            continue;
        }
        if (identity.answer == ChipAnswer::Unknown || n == programmer.model.index) {
            identity.answer = ChipAnswer::Known;
            identity.model = n;
            identity.revision = identity.raw_id & ~id->mask & 0x3FFF;
        }
    }
    return identity;
}

std::string no_chip_text(int32_t raw_id) {
    return "No chip answers: the device ID reads " + hex4h(raw_id) +
           ". Check the socket, the power and the pin settings.";
}

std::string identity_text(const ChipIdentity& identity, const DeviceDatabase& database) {
    switch (identity.answer) {
        case ChipAnswer::NoChip:
            return no_chip_text(identity.raw_id);
        case ChipAnswer::Unknown:
            return "Unknown chip: device ID " + hex4h(identity.raw_id);
        case ChipAnswer::Known:
            break;
    }
    return database.model(identity.model)->name + ", revision " +
           std::to_string(identity.revision) + " (device ID " + hex4h(identity.raw_id) + ")";
}

}  // namespace picprog
