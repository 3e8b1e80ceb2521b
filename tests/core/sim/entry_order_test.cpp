// Supply order at entry, as the line driver's power-up produces it for each
// family's model.

#include <gtest/gtest.h>

#include <string>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

class EntryOrderRecorded : public ::testing::TestWithParam<FamilyRecipe> {};

TEST_P(EntryOrderRecorded, PowerUpInTheFamilyOrderIsRecordedAsSuch) {
    Session s(GetParam().part);
    s.enter(GetParam().entry);
    ASSERT_TRUE(s.sim.chip().in_programming_mode());
    ASSERT_EQ(s.sim.chip().stats().entries.size(), 1U);
    const SupplyOrder expected = GetParam().entry == VoltageSequence::VppFirst
                                     ? SupplyOrder::VppFirst
                                     : SupplyOrder::VddFirst;
    EXPECT_EQ(s.sim.chip().stats().entries[0], expected);
    s.leave();
    EXPECT_FALSE(s.sim.chip().in_programming_mode());
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, EntryOrderRecorded, ::testing::ValuesIn(family_recipes()),
                         [](const auto& info) { return std::string("PIC") + info.param.part; });

TEST(EntryOrder, StrictChipRefusesTheWrongOrderOnly) {
    struct Case {
        const char* part;
        VoltageSequence order;
        bool enters;
    };
    const Case cases[] = {
        {"16F628A", VoltageSequence::VddFirst, false}, {"16F628A", VoltageSequence::VppFirst, true},
        {"12F675", VoltageSequence::VddFirst, false},  {"16F84A", VoltageSequence::VppFirst, false},
        {"16F690", VoltageSequence::VddFirst, true},   {"16F690", VoltageSequence::VppFirst, true},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        s.sim.chip().set_strict_entry(true);
        s.enter(c.order);
        EXPECT_EQ(s.sim.chip().in_programming_mode(), c.enters) << c.part;
        EXPECT_EQ(s.sim.chip().stats().rejected_entries, c.enters ? 0 : 1) << c.part;
    }
}

// Without strictness a VPP-first part still enters VDD-first (as real
// parts with an ordinary config do), and the order shows in the record.
TEST(EntryOrder, LenientChipEntersAndRecordsTheOrderSeen) {
    Session s("16F628A");
    s.enter(VoltageSequence::VddFirst);
    EXPECT_TRUE(s.sim.chip().in_programming_mode());
    s.reenter(VoltageSequence::VppFirst);
    const std::vector<SupplyOrder> expected = {SupplyOrder::VddFirst, SupplyOrder::VppFirst};
    EXPECT_EQ(s.sim.chip().stats().entries, expected);
}

}  // namespace
}  // namespace picprog::simtest
