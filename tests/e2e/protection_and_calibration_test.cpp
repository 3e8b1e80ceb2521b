// Code protection set by Program All and lifted by Erase All, a used chip
// programmed over, on every model; and the 12F629 family's factory
// calibration, which Erase All and Program All keep.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "e2e/e2e_checks.h"

namespace picprog::e2e {
namespace {

using ::testing::HasSubstr;

constexpr int32_t kOscCalAddress = 0x3FF;
constexpr uint16_t kRetlwMask = 0x3C00;
constexpr uint16_t kRetlw = 0x3400;
constexpr uint16_t kBandGapBits = 0x3000;

class CodeProtection : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { ASSERT_TRUE(bench.selected()) << GetParam(); }

    MemoryImage small_image(bool protect) {
        const CurrentModel& model = bench.model();
        const ImageShape shape{std::min(model.flash_size, 48), std::min(model.eeprom_size, 8), true,
                               protect};
        return random_image(model, bench.facts(), shape, rng);
    }

    Bench bench{GetParam()};
    std::mt19937 rng{seed_of(GetParam())};
};

TEST_P(CodeProtection, ProgramAllOverAProtectedChipGivesExactlyTheNewImage) {
    const MemoryImage a = small_image(true);
    bench.image() = a;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    EXPECT_TRUE(bench.chip().memory().program_protected());
    // A protected part hides its program memory, so Verify cannot pass.
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Failed, "Chip verify failed.");

    // Program B straight over A: Program All erases first, lifting the
    // protection, so the chip holds B alone (FLASH, EEPROM and config).
    const MemoryImage b = small_image(false);
    const MemoryImage expected = with_factory_calibration(bench, b);
    bench.view.boxes.clear();
    bench.image() = b;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Passed, "Chip verified.");
    expect_same_image(chip_contents(bench), expected, bench.model().config2_used);
    bench.image().flash.assign(bench.image().flash.size(), 0);
    expect_run(bench, ChipOperation::ReadAll, OperationOutcome::Passed, "Chip read.");
    expect_same_image(bench.image(), expected, bench.model().config2_used);

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    EXPECT_FALSE(bench.chip().memory().program_protected());
    EXPECT_FALSE(bench.chip().memory().data_protected());
    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Passed, "Chip is blank.");
    expect_clean_session(bench);
}

INSTANTIATE_TEST_SUITE_P(AllModels, CodeProtection, ::testing::ValuesIn(shipped_model_names()),
                         [](const auto& info) { return param_name(info.param); });

std::vector<std::string> models_with_osccal() {
    std::vector<std::string> names;
    for (const std::string& name : shipped_model_names()) {
        if (family_traits(chip_for_model(name).family).has_osccal) {
            names.push_back(name);
        }
    }
    return names;
}

class FactoryCalibration : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { ASSERT_TRUE(bench.selected()) << GetParam(); }

    Bench bench{GetParam()};
    std::mt19937 rng{seed_of(GetParam())};
};

TEST_P(FactoryCalibration, EraseAllAndProgramAllKeepIt) {
    const uint16_t osccal = bench.chip().memory().program(kOscCalAddress);
    const uint16_t band_gap = bench.chip().memory().config(0x2007) & kBandGapBits;
    ASSERT_EQ(osccal & kRetlwMask, kRetlw) << "a new part holds a RETLW at 3FFh";
    ASSERT_NE(band_gap, kBandGapBits) << "the factory value differs from the erased one";

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    EXPECT_EQ(bench.chip().memory().program(kOscCalAddress), osccal);
    EXPECT_EQ(bench.chip().memory().config(0x2007) & kBandGapBits, band_gap);
    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Passed, "Chip is blank.");

    // A file as compilers write it: 3FFFh at 3FFh, band-gap bits 11 and the
    // unimplemented bits 11-9 set (BoostC writes 3FC4h for the 12F675).
    MemoryImage image;
    image.blank_image(bench.model());
    std::uniform_int_distribution<int32_t> word(0, 0x3FFE);
    for (int32_t a = 0; a < 40; ++a) {
        image.flash[static_cast<size_t>(a)] = word(rng);
    }
    image.config[1] = 0x3FC4;
    bench.image() = image;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    EXPECT_EQ(bench.chip().memory().program(kOscCalAddress), osccal);
    EXPECT_EQ(bench.chip().memory().config(0x2007) & kBandGapBits, band_gap);
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Passed, "Chip verified.");
    expect_run(bench, ChipOperation::ReadAll, OperationOutcome::Passed, "Chip read.");
    EXPECT_EQ(bench.image().flash[kOscCalAddress], osccal);
    EXPECT_EQ(bench.image().config[1] & kBandGapBits, band_gap);
    expect_clean_session(bench);
}

// A chip whose calibration word was lost earlier: nothing happens until the
// user gives the value to write back.
TEST_P(FactoryCalibration, LostCalibrationIsRestoredOnlyFromTheUsersValue) {
    ChipMemory& memory = bench.chip().memory();
    memory.set_program(kOscCalAddress, 0x3FFF);
    memory.set_program(5, 0x0123);

    bench.view.input_answer = "";
    const OperationResult cancelled = bench.run(ChipOperation::EraseAll);
    EXPECT_EQ(cancelled.outcome, OperationOutcome::ChipRefused);
    EXPECT_EQ(cancelled.status, "Operation stopped: the calibration word was not restored.");
    ASSERT_EQ(bench.view.prompts.size(), 1u);
    EXPECT_THAT(bench.view.prompts[0], HasSubstr("03FFh reads 3FFFh"));
    EXPECT_EQ(memory.program(5), 0x0123) << "nothing erased";

    bench.view.input_answer = "3FFF";
    EXPECT_EQ(bench.run(ChipOperation::EraseAll).outcome, OperationOutcome::ChipRefused);
    EXPECT_EQ(memory.program(5), 0x0123) << "not a RETLW: refused";

    bench.view.input_answer = "3480h";
    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    EXPECT_EQ(memory.program(kOscCalAddress), 0x3480);
    EXPECT_EQ(memory.program(5), 0x3FFF);
}

INSTANTIATE_TEST_SUITE_P(OscCalParts, FactoryCalibration, ::testing::ValuesIn(models_with_osccal()),
                         [](const auto& info) { return param_name(info.param); });

}  // namespace
}  // namespace picprog::e2e
