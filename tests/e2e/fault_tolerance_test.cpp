// Faulty hardware on the simulated board, run through the real chip
// operations and the shipped algorithms: differences are always reported,
// nothing hangs, and every operation leaves both supplies off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "core/memory/hex_text.h"
#include "e2e_support.h"

namespace picprog::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class FaultTolerance : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        ASSERT_TRUE(bench.selected());
        std::mt19937 rng(seed_of(GetParam()));
        ImageShape shape;
        shape.flash_words = 96;
        shape.eeprom_bytes = bench.model().eeprom_size > 0 ? 16 : 0;
        bench.image() = random_image(bench.model(), bench.facts(), shape, rng);
    }

    // Runs an operation and checks that the board ends with VDD and VPP off.
    OperationResult run(ChipOperation operation) {
        const OperationResult result = bench.run(operation);
        const TraceLevels levels = bench.sim().levels();
        EXPECT_FALSE(levels.vdd) << "VDD left on";
        EXPECT_FALSE(levels.vpp) << "VPP left on";
        return result;
    }

    Bench bench{GetParam()};
};

// Nothing answers at 2006h (an empty socket reads the released line, a
// DATA IN stuck low reads 0000h): every operation stops before it begins,
// with the no-chip message, and none reports success.
TEST_P(FaultTolerance, NoChipAnsweringStopsEveryOperation) {
    for (const bool empty_socket : {true, false}) {
        SimulatorFaults faults;
        faults.no_chip = empty_socket;
        if (!empty_socket) {
            faults.data_in_stuck = false;
        }
        bench.sim().set_faults(faults);
        for (const ChipOperation op :
             {ChipOperation::ProgramAll, ChipOperation::ReadAll, ChipOperation::EraseAll,
              ChipOperation::BlankCheck, ChipOperation::Verify}) {
            bench.view.boxes.clear();
            const OperationResult result = run(op);
            EXPECT_EQ(result.outcome, OperationOutcome::ChipRefused);
            EXPECT_EQ(result.status, "Operation stopped: no chip answers.");
            ASSERT_EQ(bench.view.boxes.size(), 1u);
            EXPECT_EQ(bench.view.boxes[0].text,
                      std::string("No chip answers: the device ID reads ") +
                          (empty_socket ? "3FFFh" : "0000h") +
                          ". Check the socket, the power and the pin settings.");
            EXPECT_TRUE(bench.view.enabled);
        }
    }
    EXPECT_FALSE(bench.sim().levels().vdd);
    EXPECT_FALSE(bench.sim().levels().vpp);
}

// With the check switched off (a board that cannot read) an empty socket
// still never verifies.
TEST_P(FaultTolerance, AnEmptySocketNeverVerifiesWithoutTheIdCheck) {
    bench.programmer().check_device_id = false;
    SimulatorFaults faults;
    faults.no_chip = true;
    bench.sim().set_faults(faults);
    // Program All "passes" (or, where a calibration word must be read
    // first, stops since it reads 3FFFh); nothing can verify.
    run(ChipOperation::ProgramAll);
    EXPECT_EQ(run(ChipOperation::Verify).outcome, OperationOutcome::Failed);
    ASSERT_EQ(bench.view.boxes.size(), 1u);
    EXPECT_THAT(bench.view.boxes[0].text, StartsWith("Chip verify failed:"));
}

TEST_P(FaultTolerance, AStuckBitIsReportedAtItsWord) {
    run(ChipOperation::EraseAll);
    // A 0 stuck where the image wants a 1.
    int32_t address = 0;
    while (bench.image().flash[static_cast<size_t>(address)] == 0x3FFF ||
           (bench.image().flash[static_cast<size_t>(address)] & 1) == 0) {
        ++address;
    }
    SimulatorFaults faults;
    faults.stuck_bit = StuckBit{address, 0, false};
    bench.sim().set_faults(faults);
    run(ChipOperation::ProgramAll);
    EXPECT_EQ(run(ChipOperation::Verify).outcome, OperationOutcome::Failed);
    ASSERT_EQ(bench.view.boxes.size(), 1u);
    EXPECT_THAT(bench.view.boxes[0].text, HasSubstr("FLASH Word " + hex4h(address) + ","));
    EXPECT_EQ(bench.programmer().engine().mismatch_count(), 1);
}

TEST_P(FaultTolerance, APartSlowerThanItsProgrammingTimeFailsVerify) {
    run(ChipOperation::EraseAll);
    SimulatorFaults faults;
    faults.timing_scale = 4.0;
    bench.sim().set_faults(faults);
    run(ChipOperation::ProgramAll);
    EXPECT_GT(bench.chip().stats().busy_violations, 0);
    EXPECT_EQ(run(ChipOperation::Verify).outcome, OperationOutcome::Failed);
}

// Drops the supply for 2 ms as soon as the FLASH loop reaches its second word.
class SupplyDroppingView : public test_support::RecordingView {
public:
    SimulatedProgrammer* sim = nullptr;
    bool dropped = false;
    void set_status(std::string_view text) override {
        RecordingView::set_status(text);
        if (!dropped && text.starts_with("F:2/")) {
            dropped = true;
            SimulatorFaults faults;
            faults.vdd_drop_at_us = sim->now_us() + 10;
            faults.vdd_drop_length_us = 2000;
            sim->set_faults(faults);
        }
    }
};

TEST_P(FaultTolerance, ASupplyDropDuringProgramAllFailsVerify) {
    SupplyDroppingView view;
    view.sim = &bench.sim();
    program_all(bench.programmer(), view);
    ASSERT_TRUE(view.dropped);
    EXPECT_EQ(run(ChipOperation::Verify).outcome, OperationOutcome::Failed);
}

// A window closed in the middle of a run: the stop request arrives through
// the event pump, as a close event would.
class StoppingView : public test_support::RecordingView {
public:
    AlgorithmEngine* engine = nullptr;
    int captions_left = 10;
    void set_status(std::string_view text) override {
        RecordingView::set_status(text);
        if (--captions_left == 0) {
            engine->request_stop();
        }
    }
};

TEST_P(FaultTolerance, AStoppedRunPowersTheChipDown) {
    StoppingView view;
    view.engine = &bench.programmer().engine();
    const OperationResult result = program_all(bench.programmer(), view);
    EXPECT_EQ(result.outcome, OperationOutcome::Stopped);
    EXPECT_TRUE(view.enabled);
    EXPECT_FALSE(bench.sim().levels().vdd);
    EXPECT_FALSE(bench.sim().levels().vpp);
}

TEST_P(FaultTolerance, AnUnknownInstructionSwitchesEverythingOff) {
    auto& list = bench.programmer().model.lists[static_cast<size_t>(AlgorithmKind::Program)];
    list.insert(list.begin() + 3, "bogus");
    const OperationResult result = bench.run(ChipOperation::ProgramAll);
    EXPECT_EQ(result.outcome, OperationOutcome::Unrecognized);
    EXPECT_TRUE(bench.view.fatal);
    EXPECT_FALSE(bench.sim().levels().vdd);
    EXPECT_FALSE(bench.sim().levels().vpp);
}

INSTANTIATE_TEST_SUITE_P(Families, FaultTolerance,
                         ::testing::Values("PIC16F628A", "PIC16F877A", "PIC16F88", "PIC12F675",
                                           "PIC16F690", "PIC16F887", "PIC16F84A", "PIC16F77"),
                         [](const auto& info) { return param_name(info.param); });

}  // namespace
}  // namespace picprog::e2e
