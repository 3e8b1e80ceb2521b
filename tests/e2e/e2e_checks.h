#pragma once

// Checks shared by the end-to-end tests.

#include <gtest/gtest.h>

#include <string>

#include "core/memory/hex_text.h"
#include "e2e/e2e_support.h"

namespace picprog::e2e {

inline SupplyOrder supply_order_of(VoltageSequence sequence) {
    return sequence == VoltageSequence::VppFirst ? SupplyOrder::VppFirst : SupplyOrder::VddFirst;
}

// Every entry into programming mode used the model's supply order, none was
// refused, and no command arrived while a write or erase was still running
// or right after an End Programming.
inline void expect_clean_session(Bench& bench) {
    const ChipStats& stats = bench.chip().stats();
    EXPECT_FALSE(stats.entries.empty());
    const SupplyOrder wanted = supply_order_of(bench.model().voltage_sequence);
    for (size_t i = 0; i < stats.entries.size(); ++i) {
        EXPECT_EQ(stats.entries[i], wanted) << "entry " << i;
    }
    EXPECT_EQ(stats.rejected_entries, 0);
    EXPECT_EQ(stats.busy_violations, 0);
    EXPECT_EQ(stats.discharge_violations, 0);
    EXPECT_EQ(stats.pulse_violations, 0);
}

// Runs an operation and expects it to end with `outcome` and a status line
// that starts with `status`.
inline void expect_run(Bench& bench, ChipOperation operation, OperationOutcome outcome,
                       const std::string& status) {
    const OperationResult result = bench.run(operation);
    EXPECT_EQ(result.outcome, outcome) << result.status;
    EXPECT_TRUE(result.violations.empty()) << violations_text(result.violations);
    EXPECT_EQ(result.status.rfind(status, 0), 0U) << result.status;
    if (outcome == OperationOutcome::Passed) {
        EXPECT_TRUE(bench.view.boxes.empty())
            << (bench.view.boxes.empty() ? "" : bench.view.boxes.front().text);
    }
}

// Compares two images location by location; reports the first difference of
// each memory only, so a broken algorithm does not flood the output.
inline void expect_same_image(const MemoryImage& actual, const MemoryImage& expected,
                              bool config2) {
    ASSERT_EQ(actual.flash.size(), expected.flash.size());
    ASSERT_EQ(actual.eeprom.size(), expected.eeprom.size());
    for (size_t a = 0; a < expected.flash.size(); ++a) {
        if (actual.flash[a] != expected.flash[a]) {
            ADD_FAILURE() << "FLASH " << hex4h(static_cast<int32_t>(a)) << ": "
                          << hex4h(actual.flash[a]) << " instead of " << hex4h(expected.flash[a]);
            break;
        }
    }
    for (size_t a = 0; a < expected.eeprom.size(); ++a) {
        if (actual.eeprom[a] != expected.eeprom[a]) {
            ADD_FAILURE() << "EEPROM " << hex4h(static_cast<int32_t>(a)) << ": "
                          << hex2h(actual.eeprom[a]) << " instead of " << hex2h(expected.eeprom[a]);
            break;
        }
    }
    EXPECT_EQ(hex4h(actual.config[1]), hex4h(expected.config[1]));
    if (config2) {
        EXPECT_EQ(hex4h(actual.config[2]), hex4h(expected.config[2]));
    }
}

// What the chip's cells hold, read straight from the simulation (not through
// any algorithm).
inline MemoryImage chip_contents(Bench& bench) {
    MemoryImage image;
    image.blank_image(bench.model());
    const ChipMemory& memory = bench.chip().memory();
    for (size_t a = 0; a < image.flash.size(); ++a) {
        image.flash[a] = memory.program(static_cast<int32_t>(a));
    }
    for (size_t a = 0; a < image.eeprom.size(); ++a) {
        image.eeprom[a] = memory.data(static_cast<int32_t>(a));
    }
    image.config[1] = memory.config(0x2007);
    if (bench.model().config2_used) {
        image.config[2] = memory.config(0x2008);
    }
    return image;
}

// `image` as the chip in the bench holds it after Program All: the chip's
// own factory calibration (word and config bits) in place of the file's.
inline MemoryImage with_factory_calibration(Bench& bench, MemoryImage image) {
    const SafetyKeys& keys = bench.model().safety;
    const ChipMemory& memory = bench.chip().memory();
    if (keys.osccal_address) {
        image.flash[static_cast<size_t>(*keys.osccal_address)] =
            memory.program(*keys.osccal_address);
    }
    for (int32_t i = 0; i < 2; ++i) {
        const int32_t bits = keys.config_calibration[static_cast<size_t>(i)];
        int32_t& word = image.config[static_cast<size_t>(i + 1)];
        word = (word & ~bits) | (memory.config(0x2007 + i) & bits);
    }
    return image;
}

// Number of difference lines in the message box a check operation showed.
inline int report_lines(const Bench& bench) {
    if (bench.view.boxes.empty()) {
        return 0;
    }
    const std::string& text = bench.view.boxes.front().text;
    int lines = 0;
    for (const char* prefix : {"\nFLASH Word ", "\nEEPROM Byte ", "\nCONF Word "}) {
        for (size_t at = text.find(prefix); at != std::string::npos;
             at = text.find(prefix, at + 1)) {
            ++lines;
        }
    }
    return lines;
}

}  // namespace picprog::e2e
