#include "core/engine/algorithm_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/engine/engine_fixture.h"
#include "core/engine/frames.h"

namespace picprog {
namespace {

using test_support::EngineFixture;
using test_support::Frames;
using ::testing::HasSubstr;

std::vector<int> traffic_bits(const EngineFixture& f) {
    return test_support::bits_at_falling_edges(f.backend, f.settings);
}

class Engine : public ::testing::Test, public EngineFixture {};

TEST_F(Engine, SendsTheUsedFlashWordsAndStopsAtTheLoop) {
    for (int a = 0; a <= 5; ++a) {
        image.flash[static_cast<size_t>(a)] = 0x100 + a;
    }
    EXPECT_EQ(run("begin,calcflash,setflashloop,s02-flash,s06,loop,end"), RunOutcome::Completed);
    Frames expected;
    for (int a = 0; a <= 5; ++a) {
        expected.load(0x02, 0x100 + a).command(0x06);
    }
    EXPECT_EQ(traffic_bits(*this), expected.bits());
    EXPECT_EQ(engine.address(), 0);
    EXPECT_EQ(engine.pc(), 8);
    // begin and end each wait twice 50 ms.
    EXPECT_EQ(sleeps_of(50), 4);
}

TEST_F(Engine, BlankBufferSendsNothingUnlessRoundedToAPage) {
    run("calcflash,setflashloop,s02-flash,loop");
    EXPECT_TRUE(traffic_bits(*this).empty());
    EXPECT_EQ(engine.flash_last(), -1);

    run("calcflashpage,setflashloop,s02-flash,loop");
    Frames expected;
    for (int a = 0; a < 8; ++a) {
        expected.load(0x02, 0x3FFF);
    }
    EXPECT_EQ(traffic_bits(*this), expected.bits());
}

struct PageCase {
    int32_t page_size;
    int32_t last_used;
    int32_t flash_last;
};

class CalcFlashPage : public ::testing::TestWithParam<PageCase>, public EngineFixture {};

TEST_P(CalcFlashPage, RoundsTheExtentUpToItsPageEnd) {
    model.page_size = GetParam().page_size;
    if (GetParam().last_used >= 0) {
        image.flash[static_cast<size_t>(GetParam().last_used)] = 0;
    }
    run("calcflashpage");
    EXPECT_EQ(engine.flash_last(), GetParam().flash_last);
}

INSTANTIATE_TEST_SUITE_P(Extents, CalcFlashPage,
                         ::testing::Values(PageCase{4, 4, 7}, PageCase{4, 3, 3},
                                           PageCase{8, 13, 15}, PageCase{8, 16, 23},
                                           PageCase{8, -1, 7}, PageCase{1, -1, -1},
                                           PageCase{1, 9, 9}));

TEST_F(Engine, PageBlockRunsAfterEachFullPage) {
    for (int32_t page : {4, 1}) {
        model.page_size = page;
        image.flash[11] = 0;
        backend.clear();
        run("calcflash,setflashloop,s02-flash,ifpage,s08,wprog,endifpage,s06,loop");
        Frames expected;
        for (int a = 0; a <= 11; ++a) {
            expected.load(0x02, a == 11 ? 0 : 0x3FFF);
            if ((a + 1) % page == 0) {
                expected.command(0x08);
            }
            expected.command(0x06);
        }
        EXPECT_EQ(traffic_bits(*this), expected.bits()) << "page size " << page;
        EXPECT_EQ(sleeps_of(model.programming_time), 12 / page) << "page size " << page;
    }
}

TEST_F(Engine, CaptionsShowTheLocationAndTheLoopsLastAddress) {
    model.flash_size = 2048;
    image.blank_image(model);
    run("setflashloop,s02-flash,loop,checkblankconfig2");
    ASSERT_GE(view.statuses.size(), 2049u);
    EXPECT_EQ(view.statuses[0], "F:1/2048");
    EXPECT_EQ(view.statuses[2047], "F:2048/2048");
    EXPECT_EQ(view.status, "CONF2:");
    run("seteepromloop,eeprom=s05,loop");
    EXPECT_EQ(view.statuses[view.statuses.size() - 16], "E:1/16");
}

TEST_F(Engine, EepromReadsKeepTheLowByteOnly) {
    backend.set_word(0x1234);
    run("eeprom=s05,flash=s04,config1=s04");
    EXPECT_EQ(image.eeprom[0], 0x34);
    EXPECT_EQ(image.flash[1], 0x1234);  // one address counter serves both
    EXPECT_EQ(image.config[1], 0x1234);
}

TEST_F(Engine, BlankChecksUseTheRightBlankValues) {
    engine.reset_report();
    backend.set_word(0x3FFF);
    run("temp=s05,checkblankeeprom,temp=s04,checkblankflash");
    EXPECT_EQ(engine.mismatch_count(), 0);

    model.config_erased[1] = 0x1FFF;
    backend.set_word(0x1FFF);
    run("temp=s04,checkblankconfig1");
    EXPECT_EQ(engine.mismatch_count(), 0);

    backend.set_word(0x3FFF);
    run("temp=s04,checkblankconfig1");
    EXPECT_EQ(engine.mismatch_report(),
              "Memory Location,   Read Value,   Expected,\r\n"
              "CONF Word 2007h,   3FFFh,   1FFFh,\r\n");
}

TEST_F(Engine, ChecksReportTheStartingAddress) {
    engine.reset_report();
    image.flash[0] = 0x3FFF;
    image.flash[1] = 0x0012;
    image.eeprom[1] = 0x00;
    backend.set_word(0x3F00);
    run("temp=s04,checkflash,temp=s04,checkflash");
    EXPECT_EQ(engine.address(), 2);
    run("temp=s05,checkeeprom,temp=s05,checkeeprom");
    EXPECT_EQ(engine.mismatch_report(),
              "Memory Location,   Read Value,   Expected,\r\n"
              "FLASH Word 0000h,   3F00h,   3FFFh,\r\n"
              "FLASH Word 0001h,   3F00h,   0012h,\r\n"
              "EEPROM Byte 0000h,   00h,   FFh,\r\n");
}

TEST_F(Engine, TheTwentyFifthMismatchRunsTheLastInstructionNext) {
    model.flash_size = 64;
    image.blank_image(model);
    for (int a = 0; a < 30; ++a) {
        image.flash[static_cast<size_t>(a)] = 0;
    }
    engine.reset_report();
    run("begin,setflashloop,temp=s04,checkflash,loop,end");
    EXPECT_EQ(engine.mismatch_count(), 25);
    EXPECT_EQ(engine.address(), 25);  // the walk stopped at the 25th word
    EXPECT_EQ(sleeps_of(50), 4);      // "end" still powered the chip down
    Frames expected;
    for (int a = 0; a < 25; ++a) {
        expected.read(0x04);
    }
    EXPECT_EQ(traffic_bits(*this), expected.bits());

    // A count already past the limit never stops a run.
    run("setflashloop,temp=s04,checkflash,loop");
    EXPECT_EQ(engine.mismatch_count(), 55);
}

TEST_F(Engine, BadFieldsClockNothingButTheRowCompletes) {
    image.flash[0] = 0x1111;
    run("s2-flash,flash=s4");
    EXPECT_TRUE(traffic_bits(*this).empty());
    EXPECT_EQ(engine.address(), 2);
    EXPECT_EQ(image.flash[1], 0);
    // No loop ran yet, so the last address shown is the fresh 0 (+1).
    EXPECT_EQ(view.statuses, (std::vector<std::string>{"F:1/1", "F:2/1"}));
}

TEST_F(Engine, ConstantDataMustFitFourteenBits) {
    run("s00-3FFF");
    EXPECT_EQ(traffic_bits(*this), Frames().load(0x00, 0x3FFF).bits());
    backend.clear();
    run("s00-4000,s0G");
    EXPECT_TRUE(traffic_bits(*this).empty());
}

TEST_F(Engine, WaitsRoundHalvesToEvenAndIgnoreNegativeTimes) {
    run("w2.5,w3.5,w10,w,w-5,wprog");
    std::vector<int32_t> sleeps;
    for (const PortAccess& a : backend.accesses()) {
        if (a.kind == PortAccess::Kind::Sleep) {
            sleeps.push_back(a.amount);
        }
    }
    EXPECT_EQ(sleeps, (std::vector<int32_t>{2, 4, 10, 5}));
}

TEST_F(Engine, AnUnknownInstructionSwitchesTheLinesOffAndEndsTheProgram) {
    EXPECT_EQ(run("begin,,end"), RunOutcome::Unrecognized);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              "Unrecognized symbolic instruction ''.\r\nThe program must end.");
    EXPECT_EQ(view.boxes[0].kind, MsgKind::Error);
    EXPECT_TRUE(view.fatal);
    // VDD and VPP are off before the message: the last data write has both
    // supply bits clear (pins 4 and 5), and "end" never ran.
    const auto writes = backend.writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[writes.size() - 2].value & 0x0C, 0);
    EXPECT_EQ(engine.pc(), 2);
    EXPECT_FALSE(engine.execute_instruction(view));
}

struct ListErrorCase {
    const char* list;
    int32_t page_size;
    const char* position;
};

class BrokenList : public ::testing::TestWithParam<ListErrorCase>, public EngineFixture {};

TEST_P(BrokenList, StopsPowersDownAndNamesTheInstruction) {
    model.page_size = GetParam().page_size;
    image.flash[3] = 0;
    EXPECT_EQ(run(GetParam().list), RunOutcome::ListError);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].kind, MsgKind::Error);
    EXPECT_THAT(view.boxes[0].text, HasSubstr(GetParam().position));
    EXPECT_FALSE(view.fatal);
    // Powered down: the last two waits are the power-down's.
    EXPECT_EQ(sleeps_of(50), 4);
    EXPECT_EQ(shadow.data & 0x0C, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, BrokenList,
    ::testing::Values(ListErrorCase{"begin,setflashloop,s02-flash", 8, "instruction 2 'setflashloop'"},
                      ListErrorCase{"begin,s02-flash,ifpage,s08,loop", 1, "instruction 3 'ifpage'"},
                      ListErrorCase{"begin,calcflashpage", 0, "instruction 2 'calcflashpage'"},
                      ListErrorCase{"begin,s02-flash,ifpage,endifpage", -1,
                                    "instruction 3 'ifpage'"},
                      ListErrorCase{"begin,loop", 8, "instruction 2 'loop'"}));

TEST_F(Engine, LocationsOutsideTheBufferReadAsBlankAndDropReads) {
    model.flash_size = 10;
    model.page_size = 8;
    image.blank_image(model);
    image.flash[9] = 0;
    run("calcflashpage,setflashloop,s02-flash,loop");
    EXPECT_EQ(engine.flash_last(), 15);
    Frames expected;
    for (int a = 0; a <= 15; ++a) {
        expected.load(0x02, a == 9 ? 0 : 0x3FFF);
    }
    EXPECT_EQ(traffic_bits(*this), expected.bits());

    backend.set_word(0x0123);
    model.eeprom_size = 2;
    image.blank_image(model);
    run("eeprom=s05,eeprom=s05,eeprom=s05,flash=s04");  // addresses 0..3
    EXPECT_EQ(image.eeprom, (std::vector<int32_t>{0x23, 0x23}));
    EXPECT_EQ(image.flash[3], 0x0123);
}

TEST_F(Engine, StateOtherThanTheCountersCarriesOverBetweenRuns) {
    engine.reset_report();
    backend.set_word(0);
    run("temp=s04,checkblankflash");
    EXPECT_EQ(engine.mismatch_count(), 1);
    EXPECT_EQ(engine.temp(), 0);
    run("checkblankconfig1");  // temp is still 0 from the last run
    EXPECT_EQ(engine.mismatch_count(), 2);
}

TEST_F(Engine, AStopRequestPowersDownBeforeTheNextInstruction) {
    engine.load_instructions(split_instructions("begin,s06,s06,end"));
    engine.prepare_run();
    EXPECT_TRUE(engine.execute_instruction(view));
    engine.request_stop();
    EXPECT_FALSE(engine.execute_instruction(view));
    EXPECT_EQ(engine.outcome(), RunOutcome::Stopped);
    EXPECT_TRUE(traffic_bits(*this).empty());
    EXPECT_EQ(shadow.data & 0x0C, 0);
}

}  // namespace
}  // namespace picprog
