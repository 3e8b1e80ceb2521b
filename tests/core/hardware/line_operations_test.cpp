#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/hardware/driver_fixture.h"

namespace picprog {
namespace {

using test_support::DriverFixture;
using Kind = PortAccess::Kind;

class LineOperations : public ::testing::Test, public DriverFixture {};

// The accesses of one flush, with the addresses and written bytes.
void expect_flush(const std::vector<PortAccess>& a, size_t at, int32_t base, uint8_t data,
                  uint8_t control) {
    ASSERT_GE(a.size(), at + 3);
    EXPECT_EQ(a[at].kind, Kind::Write);
    EXPECT_EQ(a[at].address, base);
    EXPECT_EQ(a[at].value, data);
    EXPECT_EQ(a[at + 1].kind, Kind::Write);
    EXPECT_EQ(a[at + 1].address, base + 2);
    EXPECT_EQ(a[at + 1].value, control);
    EXPECT_EQ(a[at + 2].kind, Kind::Read);
    EXPECT_EQ(a[at + 2].address, base + 1);
}

TEST_F(LineOperations, DefaultVddOnWritesDataThenControlThenReadsStatus) {
    driver.vdd_on();
    const auto& a = backend.accesses();
    ASSERT_EQ(a.size(), 3u);
    expect_flush(a, 0, 0x378, 0x04, 0x00);
    EXPECT_EQ(shadow.data, 0x04);
    EXPECT_EQ(pump_calls, 1);
}

TEST_F(LineOperations, FlushStoresTheStatusReadAndWritesOnlyTheLowByte) {
    backend.script_status({0xA8});
    shadow.data = 0x1234;
    shadow.control = -1;
    driver.flush_port();
    expect_flush(backend.accesses(), 0, 888, 0x34, 0xFF);
    EXPECT_EQ(shadow.status, 0xA8);
}

// One line operation under given settings, from a given shadow.
struct LineCase {
    std::string name;
    std::function<void(LineSettings&)> configure;
    void (LineDriver::*operation)();
    PortShadow start;
    int32_t data;
    int32_t control;
};

TEST_F(LineOperations, EachOperationDrivesItsPinThroughBothInversions) {
    const auto keep = [](LineSettings&) {};
    const LineCase cases[] = {
        {"clock_high clears D1 (inverted)", keep, &LineDriver::clock_high, {0xFF, 0, 0}, 0xFD, 0},
        {"clock_low sets D1 (inverted)", keep, &LineDriver::clock_low, {0x00, 0, 0}, 0x02, 0},
        {"dataout_high clears D0 (inverted)",
         keep,
         &LineDriver::dataout_high,
         {0xFF, 0, 0},
         0xFE,
         0},
        {"dataout_low sets D0 (inverted)", keep, &LineDriver::dataout_low, {0x00, 0, 0}, 0x01, 0},
        {"vpp_on sets D3", keep, &LineDriver::vpp_on, {0x00, 0, 0}, 0x08, 0},
        {"vpp_off clears D3", keep, &LineDriver::vpp_off, {0xFF, 0, 0}, 0xF7, 0},
        {"vdd_off clears D2", keep, &LineDriver::vdd_off, {0xFF, 0, 0}, 0xFB, 0},
        {"clock on pin 3 not inverted",
         [](LineSettings& s) { s.clock_inverted = 0; },
         &LineDriver::clock_high,
         {0x00, 0, 0},
         0x02,
         0},
        // The port inverts pin 1: switching the line on clears C0.
        {"vdd_on on pin 1",
         [](LineSettings& s) { s.vdd_pin = 1; },
         &LineDriver::vdd_on,
         {0, 0, 0x0F},
         0,
         0x0E},
        {"vdd_off on pin 1",
         [](LineSettings& s) { s.vdd_pin = 1; },
         &LineDriver::vdd_off,
         {0, 0, 0x00},
         0,
         0x01},
        // Port and circuit inversion cancel out.
        {"vpp_on on pin 14 inverted",
         [](LineSettings& s) {
             s.vpp_pin = 14;
             s.vpp_inverted = 1;
         },
         &LineDriver::vpp_on,
         {0, 0, 0x00},
         0,
         0x02},
        {"vdd_on on pin 16",
         [](LineSettings& s) { s.vdd_pin = 16; },
         &LineDriver::vdd_on,
         {0, 0, 0x00},
         0,
         0x04},
        {"clock_high on pin 17 not inverted",
         [](LineSettings& s) {
             s.clock_pin = 17;
             s.clock_inverted = 0;
         },
         &LineDriver::clock_high,
         {0, 0, 0x0F},
         0,
         0x07},
        // Any non-zero flag inverts.
        {"vdd_on with flag 7",
         [](LineSettings& s) { s.vdd_inverted = 7; },
         &LineDriver::vdd_on,
         {0xFF, 0, 0},
         0xFB,
         0},
        // A pin off the table or an input pin changes nothing but still flushes.
        {"vdd_on on pin 0",
         [](LineSettings& s) { s.vdd_pin = 0; },
         &LineDriver::vdd_on,
         {0x5A, 0, 0x05},
         0x5A,
         0x05},
        {"vpp_on on input pin 10",
         [](LineSettings& s) { s.vpp_pin = 10; },
         &LineDriver::vpp_on,
         {0x5A, 0, 0x05},
         0x5A,
         0x05},
    };
    for (const LineCase& c : cases) {
        settings = LineSettings{};
        c.configure(settings);
        shadow = c.start;
        reset_record();
        (driver.*c.operation)();
        EXPECT_EQ(shadow.data, c.data) << c.name;
        EXPECT_EQ(shadow.control, c.control) << c.name;
        EXPECT_EQ(backend.accesses().size(), 3u) << c.name;
        expect_flush(backend.accesses(), 0, 888, static_cast<uint8_t>(c.data),
                     static_cast<uint8_t>(c.control));
    }
}

TEST_F(LineOperations, ReadDatainFlushesThenAppliesPinAndFlag) {
    struct Case {
        int32_t pin;
        int32_t inverted;
        uint8_t status;
        int32_t expected;
    };
    const Case cases[] = {
        {11, 0, 0x80, 0},
        {11, 1, 0x80, 1},
        {11, 0, 0x00, 1},
        {10, 1, 0x40, 0},
        {10, 1, 0x00, 1},
        {10, 0, 0x40, 1},
        {12, 0, 0x20, 1},
        {13, 0, 0xEF, 0},
        {15, 1, 0x08, 0},
        {15, 0, 0x08, 1},
        // A pin that is no input reads 0 before the flag is applied.
        {2, 0, 0xFF, 0},
        {2, 1, 0xFF, 1},
        {30, 0, 0xFF, 0},
    };
    for (const Case& c : cases) {
        settings.datain_pin = c.pin;
        settings.datain_inverted = c.inverted;
        // The stale shadow holds the opposite of what the port now answers,
        // so reading without a fresh flush would give the wrong level.
        shadow.status = static_cast<uint8_t>(~c.status);
        reset_record();
        backend.script_status({c.status});
        EXPECT_EQ(driver.read_datain(), c.expected)
            << "pin " << c.pin << " flag " << c.inverted << " status " << int{c.status};
        EXPECT_EQ(backend.accesses().size(), 3u);
        EXPECT_EQ(shadow.status, c.status);
    }
}

TEST_F(LineOperations, AllLinesOffSwitchesVddVppClockDataoutInThatOrder) {
    shadow = {0x0C, 0, 0};  // VDD and VPP on, CLOCK and DATA OUT high (inverted)
    driver.all_lines_off();
    const auto writes = backend.writes();
    ASSERT_EQ(writes.size(), 8u);
    const uint8_t data_after[] = {0x08, 0x00, 0x02, 0x03};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(writes[2 * i].value, data_after[i]) << "flush " << i;
    }
    EXPECT_EQ(count(Kind::Read), 4);
}

TEST_F(LineOperations, PowerUpFollowsTheVoltageSequence) {
    struct Case {
        VoltageSequence sequence;
        uint8_t first_data;  // after the first supply is switched on
    };
    for (const Case& c :
         {Case{VoltageSequence::VddFirst, 0x04}, Case{VoltageSequence::VppFirst, 0x08}}) {
        shadow = {};
        reset_record();
        driver.power_up(c.sequence);
        const auto& a = backend.accesses();
        ASSERT_EQ(a.size(), 8u);
        expect_flush(a, 0, 888, c.first_data, 0);
        EXPECT_EQ(a[3].kind, Kind::Sleep);
        EXPECT_EQ(a[3].amount, 50);
        expect_flush(a, 4, 888, 0x0C, 0);
        EXPECT_EQ(a[7].kind, Kind::Sleep);
        EXPECT_EQ(a[7].amount, 50);
        // The second supply changes 50 ms after the first.
        EXPECT_EQ(a[4].time_us - a[0].time_us, 50'000 + 3);
    }
}

TEST_F(LineOperations, PowerUpWithoutASequenceDoesNothing) {
    driver.power_up(VoltageSequence::NotSet);
    driver.power_up(static_cast<VoltageSequence>(3));
    EXPECT_TRUE(backend.accesses().empty());
    EXPECT_EQ(pump_calls, 0);
    EXPECT_EQ(shadow.data, 0);
}

TEST_F(LineOperations, PowerDownRemovesVddThenVpp) {
    shadow = {0x0C, 0, 0};
    driver.power_down();
    const auto& a = backend.accesses();
    ASSERT_EQ(a.size(), 8u);
    expect_flush(a, 0, 888, 0x08, 0);
    EXPECT_EQ(a[3].kind, Kind::Sleep);
    EXPECT_EQ(a[3].amount, 50);
    expect_flush(a, 4, 888, 0x00, 0);
    EXPECT_EQ(a[7].kind, Kind::Sleep);
    EXPECT_EQ(a[7].amount, 50);
}

TEST_F(LineOperations, SettingsChangesApplyAtTheNextOperation) {
    driver.vdd_on();
    settings.port_base = 632;
    settings.vdd_pin = 6;
    reset_record();
    driver.vdd_on();
    const auto& a = backend.accesses();
    ASSERT_EQ(a.size(), 3u);
    // The old pin keeps its level; nothing goes to the old port.
    expect_flush(a, 0, 632, 0x14, 0x00);
}

TEST_F(LineOperations, EventPumpRunsOncePerFlushAndCanBeReplaced) {
    driver.flush_port();
    driver.vdd_on();
    EXPECT_EQ(pump_calls, 2);
    driver.yield();
    EXPECT_EQ(pump_calls, 3);
    EXPECT_EQ(count(Kind::Read), 2);  // yield itself does not touch the port

    int other_calls = 0;
    driver.set_event_pump([&other_calls] { ++other_calls; });
    driver.flush_port();
    EXPECT_EQ(other_calls, 1);
    EXPECT_EQ(pump_calls, 3);

    driver.set_event_pump({});
    driver.flush_port();
    driver.yield();
    EXPECT_EQ(other_calls, 1);
}

TEST_F(LineOperations, SetBackendRoutesLaterAccesses) {
    RecordingBackend other;
    driver.set_backend(other);
    EXPECT_EQ(&driver.backend(), &other);
    driver.vpp_on();
    driver.power_down();
    EXPECT_TRUE(backend.accesses().empty());
    EXPECT_EQ(other.accesses().size(), 3u + 8u);
}

TEST_F(LineOperations, ShortDelayPausesWithoutTouchingThePort) {
    driver.short_delay();
    const auto& a = backend.accesses();
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].kind, Kind::Delay);
    EXPECT_GE(a[0].amount, 1);
    EXPECT_GE(backend.now_us(), 1);
    EXPECT_EQ(pump_calls, 0);
}

}  // namespace
}  // namespace picprog
