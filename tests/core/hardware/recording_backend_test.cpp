#include <gtest/gtest.h>

#include "core/hardware/recording_backend.h"

namespace picprog {
namespace {

using Kind = PortAccess::Kind;

TEST(RecordingBackend, RecordsEveryCallAgainstTheVirtualClock) {
    RecordingBackend b;
    b.write(0x378, 0x04);
    b.sleep_ms(50);
    b.read(0x379);
    b.delay_us(7);
    b.write(0x37A, 0x01);
    const auto& a = b.accesses();
    ASSERT_EQ(a.size(), 5u);
    const Kind kinds[] = {Kind::Write, Kind::Sleep, Kind::Read, Kind::Delay, Kind::Write};
    const int64_t times[] = {0, 1, 50'001, 50'002, 50'009};
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].kind, kinds[i]) << i;
        EXPECT_EQ(a[i].time_us, times[i]) << i;
    }
    EXPECT_EQ(a[0].address, 0x378);
    EXPECT_EQ(a[0].value, 0x04);
    EXPECT_EQ(a[1].amount, 50);
    EXPECT_EQ(a[3].amount, 7);
    EXPECT_EQ(b.now_us(), 50'010);

    const auto w = b.writes();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[1].address, 0x37A);
    EXPECT_EQ(w[1].value, 0x01);
}

TEST(RecordingBackend, ServesTheScriptThenRepeatsTheDefault) {
    RecordingBackend b;
    EXPECT_EQ(b.read(0x379), 0x00);
    b.script_status({0x40, 0x80});
    b.script_status(std::vector<uint8_t>{0x08});
    b.set_default_status(0x78);
    EXPECT_EQ(b.read(0x379), 0x40);
    EXPECT_EQ(b.read(0x379), 0x80);
    EXPECT_EQ(b.read(0x379), 0x08);
    EXPECT_EQ(b.read(0x379), 0x78);
    EXPECT_EQ(b.read(0x379), 0x78);
    EXPECT_EQ(b.accesses()[1].value, 0x40);  // the served byte is recorded
}

TEST(RecordingBackend, ClearForgetsCallsButKeepsClockAndScript) {
    RecordingBackend b;
    b.script_status({0x10, 0x20});
    b.read(0x379);
    b.sleep_ms(2);
    b.clear();
    EXPECT_TRUE(b.accesses().empty());
    EXPECT_EQ(b.now_us(), 2'001);
    EXPECT_EQ(b.read(0x379), 0x20);
    EXPECT_EQ(b.accesses()[0].time_us, 2'001);
}

}  // namespace
}  // namespace picprog
