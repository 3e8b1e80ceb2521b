#include <gtest/gtest.h>

#include <string>

#include "core/hardware/pin_table.h"

namespace picprog {
namespace {

enum class Reg { None, Data, Control };

// How each pin reacts to pin_high: which shadow register and bit it touches,
// and whether a high level sets (plain pins) or clears (pins the port inverts)
// that bit.
struct OutputRow {
    int32_t pin;
    Reg reg;
    int32_t mask;
    bool high_sets_bit;
};

constexpr OutputRow kOutputRows[] = {
    {1, Reg::Control, 0x01, false},
    {2, Reg::Data, 0x01, true},
    {3, Reg::Data, 0x02, true},
    {4, Reg::Data, 0x04, true},
    {5, Reg::Data, 0x08, true},
    {6, Reg::Data, 0x10, true},
    {7, Reg::Data, 0x20, true},
    {8, Reg::Data, 0x40, true},
    {9, Reg::Data, 0x80, true},
    {14, Reg::Control, 0x02, false},
    {16, Reg::Control, 0x04, true},
    {17, Reg::Control, 0x08, false},
    // Inputs, ground and numbers off the connector drive nothing.
    {10, Reg::None, 0, true},
    {11, Reg::None, 0, true},
    {12, Reg::None, 0, true},
    {13, Reg::None, 0, true},
    {15, Reg::None, 0, true},
    {18, Reg::None, 0, true},
    {25, Reg::None, 0, true},
    {0, Reg::None, 0, true},
    {26, Reg::None, 0, true},
    {-1, Reg::None, 0, true},
    {888, Reg::None, 0, true},
};

PortShadow shadow_with(int32_t fill) {
    return PortShadow{fill, 0x5A, fill};
}

// The shadow expected after driving `row`'s pin to `high` from `start`.
PortShadow expected_after(const OutputRow& row, PortShadow start, bool high) {
    if (row.reg == Reg::None) {
        return start;
    }
    int32_t& reg = row.reg == Reg::Data ? start.data : start.control;
    if (high == row.high_sets_bit) {
        reg |= row.mask;
    } else {
        reg &= ~row.mask;
    }
    return start;
}

void expect_shadow(const PortShadow& actual, const PortShadow& expected, const std::string& what) {
    EXPECT_EQ(actual.data, expected.data) << what;
    EXPECT_EQ(actual.control, expected.control) << what;
    EXPECT_EQ(actual.status, expected.status) << what << " (status is never written)";
}

TEST(PinTable, PinHighAndLowChangeOnlyThePinsOwnBit) {
    for (const OutputRow& row : kOutputRows) {
        for (int32_t fill : {0x00, 0xFF}) {
            for (bool high : {true, false}) {
                PortShadow shadow = shadow_with(fill);
                if (high) {
                    pin_high(shadow, row.pin);
                } else {
                    pin_low(shadow, row.pin);
                }
                expect_shadow(shadow, expected_after(row, shadow_with(fill), high),
                              "pin " + std::to_string(row.pin) + (high ? " high" : " low") +
                                  " from " + std::to_string(fill));
            }
        }
    }
}

TEST(PinTable, ReadStatusPinGivesTheElectricalLevel) {
    struct Row {
        int32_t pin;
        int32_t status;
        int32_t level;
    };
    const Row rows[] = {
        {10, 0x40, 1},
        {10, 0xBF, 0},
        {12, 0x20, 1},
        {12, 0xDF, 0},
        {13, 0x10, 1},
        {13, 0xEF, 0},
        {15, 0x08, 1},
        {15, 0xF7, 0},
        // The port inverts pin 11: S7 set means the pin is low.
        {11, 0x80, 0},
        {11, 0x7F, 1},
        // Outputs, ground and unknown pins read 0 whatever the status holds.
        {2, 0xFF, 0},
        {1, 0xFF, 0},
        {16, 0xFF, 0},
        {20, 0xFF, 0},
        {0, 0xFF, 0},
        {26, 0xFF, 0},
        {-5, 0xFF, 0},
        {0, 0x00, 0},
    };
    for (const Row& row : rows) {
        PortShadow shadow{0, row.status, 0};
        EXPECT_EQ(read_status_pin(shadow, row.pin), row.level)
            << "pin " << row.pin << " status " << row.status;
    }
}

TEST(PinTable, PinNamesFollowTheConnector) {
    const std::string names[] = {"",   "\\C0", "D0",   "D1", "D2", "D3",   "D4", "D5", "D6",
                                 "D7", "S6",   "\\S7", "S5", "S4", "\\C1", "S3", "C2", "\\C3"};
    for (int32_t pin = 0; pin <= 17; ++pin) {
        EXPECT_EQ(pin_name(pin), names[pin]) << "pin " << pin;
    }
    for (int32_t pin = 18; pin <= 25; ++pin) {
        EXPECT_EQ(pin_name(pin), "Gnd") << "pin " << pin;
    }
    for (int32_t pin : {26, -1, 100, 888}) {
        EXPECT_EQ(pin_name(pin), "") << "pin " << pin;
    }
}

}  // namespace
}  // namespace picprog
