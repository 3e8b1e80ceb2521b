// Every shipped model through the real chip operations on its simulated
// part: erase, blank check, program, verify, read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/engine/chip_identity.h"
#include "e2e/e2e_checks.h"

namespace picprog::e2e {
namespace {

constexpr int32_t kIdWords = 4;

class ChipCycle : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { ASSERT_TRUE(bench.selected()) << GetParam(); }

    // Leaves something in every memory the erase must clear: program words
    // (the last one too), data bytes, the user IDs, and the config words
    // with code and data protection on.
    void dirty_the_chip() {
        ChipMemory& memory = bench.chip().memory();
        const FamilyFacts facts = bench.facts();
        const int32_t flash = bench.model().flash_size;
        for (int32_t a = 0; a < flash; a += 37) {
            memory.set_program(a, static_cast<uint16_t>(a & 0x3FFF));
        }
        if (!bench.model().safety.osccal_address) {
            memory.set_program(flash - 1, 0x0123);  // the factory calibration stays
        }
        for (int32_t a = 0; a < bench.model().eeprom_size; a += 5) {
            memory.set_data(a, static_cast<uint8_t>(a));
        }
        for (int32_t i = 0; i < kIdWords; ++i) {
            memory.set_config(0x2000 + i, static_cast<uint16_t>(0x0A50 + i));
        }
        const int32_t calibration_bits = bench.model().safety.config_calibration[0];
        memory.set_config(
            0x2007, static_cast<uint16_t>((memory.config(0x2007) & calibration_bits) |
                                          (0x3FFF & ~facts.protect_bits & ~calibration_bits)));
        if (bench.model().config2_used) {
            memory.set_config(0x2008, 0);
        }
    }

    Bench bench{GetParam()};
    std::mt19937 rng{seed_of(GetParam())};
};

TEST_P(ChipCycle, IdentifyNamesTheModelOfThePartInTheSocket) {
    const ChipIdentity identity = identify_chip(bench.programmer());
    if (!bench.model().safety.device_id) {
        // The 16F83/84 have no device ID: nothing may claim to know them.
        EXPECT_NE(identity.answer, ChipAnswer::Known);
        return;
    }
    EXPECT_EQ(identity.answer, ChipAnswer::Known);
    EXPECT_EQ(identity.model, bench.model().index);
    EXPECT_EQ(identity_text(identity, bench.programmer().database).rfind(GetParam() + ", ", 0), 0U);
}

TEST_P(ChipCycle, EraseAllLeavesABlankChipWithoutUserIds) {
    dirty_the_chip();
    const FamilyTraits& traits = bench.chip().traits();
    const int32_t calibration = traits.calibration_address;
    std::vector<uint16_t> factory_calibration;
    for (int32_t k = 0; calibration != 0 && k < traits.calibration_count; ++k) {
        factory_calibration.push_back(bench.chip().memory().config(calibration + k));
    }

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Passed, "Chip is blank.");

    const ChipMemory& memory = bench.chip().memory();
    for (int32_t i = 0; i < kIdWords; ++i) {
        EXPECT_EQ(memory.config(0x2000 + i), 0x3FFF) << "user ID " << i;
    }
    EXPECT_FALSE(memory.program_protected());
    EXPECT_FALSE(memory.data_protected());
    // The factory calibration in config space survives the erase.
    for (size_t k = 0; k < factory_calibration.size(); ++k) {
        EXPECT_EQ(memory.config(calibration + static_cast<int32_t>(k)), factory_calibration[k]);
    }
    expect_clean_session(bench);
}

TEST_P(ChipCycle, ProgramAllThenVerifyAndReadAllGiveTheImageBack) {
    const CurrentModel& model = bench.model();
    // Sparse images that reach the last word and byte: the loops cover the
    // whole memory while the random part stays small.
    const ImageShape shape{model.flash_size, model.eeprom_size, false, false};
    const MemoryImage written = random_image(model, bench.facts(), shape, rng);
    const MemoryImage image = with_factory_calibration(bench, written);

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    bench.image() = written;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    {
        SCOPED_TRACE("chip cells after Program All");
        expect_same_image(chip_contents(bench), image, model.config2_used);
    }
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Passed, "Chip verified.");

    bench.image().flash.assign(bench.image().flash.size(), 0);
    expect_run(bench, ChipOperation::ReadAll, OperationOutcome::Passed, "Chip read.");
    {
        SCOPED_TRACE("buffer after Read All");
        expect_same_image(bench.image(), image, model.config2_used);
    }
    expect_clean_session(bench);
}

TEST_P(ChipCycle, VerifyFindsAWordTheChipDoesNotHold) {
    const CurrentModel& model = bench.model();
    const ImageShape shape{std::min(model.flash_size, 93), std::min(model.eeprom_size, 16), true,
                           false};
    const MemoryImage image =
        with_factory_calibration(bench, random_image(model, bench.facts(), shape, rng));
    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    bench.image() = image;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    // The extent ends inside a write block, and it leaves the chip's address
    // counter far from a multiple of the EEPROM size: the last block must
    // still be written, and the EEPROM must still start at byte 0.
    expect_same_image(chip_contents(bench), image, model.config2_used);

    bench.image().flash[50] ^= 0x0100;
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Failed, "Chip verify failed.");
    EXPECT_EQ(report_lines(bench), 1);
    ASSERT_FALSE(bench.view.boxes.empty());
    EXPECT_NE(bench.view.boxes.front().text.find("FLASH Word 0032h"), std::string::npos);
    expect_clean_session(bench);
}

TEST_P(ChipCycle, BlankCheckOfAProgrammedChipStopsAt25AndEraseAllClearsIt) {
    const CurrentModel& model = bench.model();
    const ImageShape shape{std::min(model.flash_size, 61), std::min(model.eeprom_size, 8), true,
                           false};
    const MemoryImage image = random_image(model, bench.facts(), shape, rng);
    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    bench.image() = image;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");

    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Failed, "Chip is not blank.");
    EXPECT_EQ(report_lines(bench), kMismatchLimit);
    EXPECT_EQ(bench.programmer().engine().mismatch_count(), kMismatchLimit);
    // The walk stopped early, but the chip was still powered down.
    EXPECT_FALSE(bench.chip().in_programming_mode());

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Passed, "Chip is blank.");
    expect_clean_session(bench);
}

INSTANTIATE_TEST_SUITE_P(AllModels, ChipCycle, ::testing::ValuesIn(shipped_model_names()),
                         [](const auto& info) { return param_name(info.param); });

}  // namespace
}  // namespace picprog::e2e
