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

TEST(EntryOrder, ChipRefusesTheWrongOrderAndSaysWhichRuleItBroke) {
    struct Case {
        const char* part;
        VoltageSequence order;
        bool enters;
    };
    const Case cases[] = {
        {"16F628A", VoltageSequence::VddFirst, false},
        {"16F628A", VoltageSequence::VppFirst, true},
        {"12F675", VoltageSequence::VddFirst, false},
        {"16F84A", VoltageSequence::VppFirst, false},
        {"16F690", VoltageSequence::VddFirst, true},
        {"16F690", VoltageSequence::VppFirst, true},
        {"16F84", VoltageSequence::VppFirst, false},
        {"16F628", VoltageSequence::VddFirst, false},
        {"16F819", VoltageSequence::VppFirst, true},
        // VDD first with the power-up's settling time is far over 250 us.
        {"16F819", VoltageSequence::VddFirst, false},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        s.enter(c.order);
        EXPECT_EQ(s.sim.chip().in_programming_mode(), c.enters) << c.part;
        EXPECT_EQ(s.sim.chip().stats().rejected_entries, c.enters ? 0 : 1) << c.part;
        const RuleViolations v = s.sim.take_violations();
        ASSERT_EQ(v.total, c.enters ? 0 : 1) << c.part;
        if (!c.enters) {
            EXPECT_EQ(v.listed[0].rule, ChipRule::EntryOrder);
            EXPECT_EQ(v.listed[0].text.rfind(std::string("PIC") + c.part + ": ", 0), 0U);
            EXPECT_NE(
                v.listed[0].text.find(c.order == VoltageSequence::VddFirst ? "VDD rose before VPP"
                                                                           : "VPP rose before VDD"),
                std::string::npos);
        }
        EXPECT_TRUE(s.sim.take_violations().empty()) << "taken once only";
    }
}

// The 16F818/819 must not run its own code first: with VDD first, MCLR has
// to reach VIHH within 250 us.
TEST(EntryOrder, VddFirstOn819OnlyWithMclrInsideTheWindow) {
    for (const auto& [delay_us, enters] : {std::pair{200, true}, {300, false}}) {
        PicChip chip(chip_for_model("16F819", GenericChipShape{}));
        chip.set_pins({.vdd = true}, 1000);
        chip.set_pins({.vdd = true, .vpp = true}, 1000 + delay_us);
        EXPECT_EQ(chip.in_programming_mode(), enters) << delay_us;
        const RuleViolations v = chip.take_violations();
        EXPECT_EQ(v.total, enters ? 0 : 1) << delay_us;
    }
}

}  // namespace
}  // namespace picprog::simtest
