#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/hardware/driver_fixture.h"

namespace picprog {
namespace {

using test_support::bits_at_falling_edges;
using test_support::DriverFixture;
using test_support::lsb_first;
using test_support::wire_states;
using test_support::WireState;
using Kind = PortAccess::Kind;

// The frames must mean the same to the chip whichever way the circuit
// inverts CLOCK and DATA OUT, so every decoding test runs under both.
LineSettings plain_lines() {
    LineSettings s;
    s.clock_inverted = 0;
    s.dataout_inverted = 0;
    return s;
}

class SerialFrames : public ::testing::TestWithParam<LineSettings>, public DriverFixture {
  protected:
    void SetUp() override {
        settings = GetParam();
        driver.all_lines_off();
        reset_record();
    }
    std::vector<int> latched() const { return bits_at_falling_edges(backend, settings); }
};

std::vector<int> concat(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST_P(SerialFrames, CommandBitGoesOutWhileClockIsHighAndIsLatchedOnTheFall) {
    driver.send_command(0x01);
    const std::vector<WireState> expected = {
        {1, 0}, {1, 1}, {0, 1},                          // bit 0 = 1
        {1, 1}, {1, 0}, {0, 0},                          // bit 1 = 0
        {1, 0}, {1, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 0},  // bits 2, 3
        {1, 0}, {1, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 0},  // bits 4, 5
        {0, 0},                                          // DATA OUT left low
    };
    EXPECT_EQ(wire_states(backend, settings), expected);
}

TEST_P(SerialFrames, SendCommandClocksSixBitsLsbFirst) {
    for (int32_t command : {0x00, 0x2A, 0x15, 0x3F, 0x02, 0x20}) {
        reset_record();
        driver.send_command(command);
        EXPECT_EQ(latched(), lsb_first(command, 6)) << "command " << command;
        EXPECT_EQ(wire_states(backend, settings).back(), (WireState{0, 0}));
    }
}

TEST_P(SerialFrames, LoadCommandOf2With0HasOneHighBit) {
    driver.send_command_with_data(2, 0);
    std::vector<int> expected(22, 0);
    expected[1] = 1;
    EXPECT_EQ(latched(), expected);
}

TEST_P(SerialFrames, SendCommandWithDataFramesTheWordBetweenStartAndStop) {
    struct Case {
        int32_t command;
        int32_t data;
    };
    for (const Case& c : {Case{0x02, 0x3FFF}, Case{0x03, 0x00A5}, Case{0x00, 0x2AAA},
                          Case{0x3F, 0x1234}, Case{0x2A, 0x2001}}) {
        driver.dataout_high();  // start and stop must be driven low, not inherited
        reset_record();
        driver.send_command_with_data(c.command, c.data);
        EXPECT_EQ(latched(), concat({lsb_first(c.command, 6), {0}, lsb_first(c.data, 14), {0}}))
            << "command " << c.command << " data " << c.data;
        EXPECT_EQ(wire_states(backend, settings).back(), (WireState{0, 0}));
    }
}

TEST_P(SerialFrames, ReadFrameReleasesDataOutForAllSixteenClocks) {
    driver.send_command_read_data(0x04);
    // DATA OUT stays high over the start, data and stop clocks, then is
    // pulled low once the frame is over.
    EXPECT_EQ(latched(), concat({lsb_first(0x04, 6), std::vector<int>(16, 1)}));
    EXPECT_EQ(wire_states(backend, settings).back(), (WireState{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Inversions, SerialFrames, ::testing::Values(LineSettings{}, plain_lines()),
                         [](const auto& info) {
                             return info.param.clock_inverted ? std::string("DefaultInverted")
                                                              : std::string("NotInverted");
                         });

class FrameTraffic : public ::testing::Test, public DriverFixture {};

// Status bytes seen by one read frame: six command bits (three flushes each)
// and the start clock (three flushes) come first; then for each data bit the
// flush that raises CLOCK, the flush that samples, and the flush that lowers
// CLOCK. Every byte but the sample says the opposite of the bit, so a sample
// taken from any other flush gives a wrong word.
std::vector<uint8_t> read_frame_script(int32_t word) {
    constexpr uint8_t kDatainOne = 0x00;  // S6 clear: pin 10 low, flag 1 reads 1
    constexpr uint8_t kDatainZero = 0x40;
    std::vector<uint8_t> script(21, kDatainOne);
    for (int i = 0; i < 14; ++i) {
        const bool one = ((word >> i) & 1) != 0;
        const uint8_t sample = one ? kDatainOne : kDatainZero;
        const uint8_t other = one ? kDatainZero : kDatainOne;
        script.insert(script.end(), {other, sample, other});
    }
    return script;
}

TEST_F(FrameTraffic, ReadFrameDecodesSamplesLsbFirst) {
    for (int32_t word : {0x2AAA, 0x1555, 0x0001, 0x2000, 0x1234, 0x0000}) {
        backend.script_status(read_frame_script(word));
        backend.set_default_status(0x40);  // stop clock and after: DATA IN 0
        EXPECT_EQ(driver.send_command_read_data(0x04), word) << "word " << word;
        backend.set_default_status(0x00);
    }
}

TEST_F(FrameTraffic, ReadFrameOfAllOnesIsFullWord) {
    backend.set_default_status(0x00);  // DATA IN reads 1 at every sample
    EXPECT_EQ(driver.send_command_read_data(0x04), 0x3FFF);
    backend.set_default_status(0x40);
    EXPECT_EQ(driver.send_command_read_data(0x04), 0);
}

// Every line change is one flush (three accesses, one pump) and every yield
// is one more pump; read_datain adds a flush without a yield.
TEST_F(FrameTraffic, FramesFlushAndYieldAsOften) {
    struct Case {
        std::string name;
        std::function<void(LineDriver&)> frame;
        int flushes;
        int pumps;
    };
    const Case cases[] = {
        {"send_command", [](LineDriver& d) { d.send_command(0x06); }, 19, 38},
        {"send_command_with_data", [](LineDriver& d) { d.send_command_with_data(0x02, 0x155); }, 66,
         132},
        {"send_command_read_data", [](LineDriver& d) { d.send_command_read_data(0x04); }, 66, 118},
    };
    for (const Case& c : cases) {
        reset_record();
        c.frame(driver);
        EXPECT_EQ(count(Kind::Read), c.flushes) << c.name;
        EXPECT_EQ(count(Kind::Write), 2 * c.flushes) << c.name;
        EXPECT_EQ(pump_calls, c.pumps) << c.name;
        EXPECT_EQ(count(Kind::Delay) + count(Kind::Sleep), 0) << c.name;
    }
}

TEST_F(FrameTraffic, OutOfRangeFramesTouchNothing) {
    struct Case {
        std::string name;
        std::function<int32_t(LineDriver&)> frame;
    };
    const auto command = [](int32_t c) {
        return [c](LineDriver& d) {
            d.send_command(c);
            return 0;
        };
    };
    const auto load = [](int32_t c, int32_t data) {
        return [c, data](LineDriver& d) {
            d.send_command_with_data(c, data);
            return 0;
        };
    };
    const auto read = [](int32_t c) {
        return [c](LineDriver& d) { return d.send_command_read_data(c); };
    };
    const Case cases[] = {
        {"command 64", command(64)},          {"command -1", command(-1)},
        {"load data 4000h", load(0, 0x4000)}, {"load data -1", load(0, -1)},
        {"load command 64", load(64, 0)},     {"load command -1", load(-1, 0x3FFF)},
        {"read command -1", read(-1)},        {"read command 64", read(64)},
    };
    backend.set_default_status(0x00);  // a frame that ran would read 3FFFh
    for (const Case& c : cases) {
        shadow = {0x5A, 0x11, 0xA5};
        EXPECT_EQ(c.frame(driver), 0) << c.name;
        EXPECT_TRUE(backend.accesses().empty()) << c.name;
        EXPECT_EQ(pump_calls, 0) << c.name;
        EXPECT_EQ(shadow.data, 0x5A) << c.name;
        EXPECT_EQ(shadow.control, 0xA5) << c.name;
        EXPECT_EQ(shadow.status, 0x11) << c.name;
    }
}

TEST_F(FrameTraffic, BoundaryValuesAreSent) {
    driver.send_command(63);
    driver.send_command_with_data(0, 0x3FFF);
    driver.send_command_read_data(0);
    EXPECT_EQ(count(Kind::Read), 19 + 66 + 66);
}

}  // namespace
}  // namespace picprog
