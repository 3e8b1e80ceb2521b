// Code protection set by Program All and lifted by Erase All, on every
// model; and the 12F629 family's factory calibration, which the erase
// destroys and which survives only when the user programs it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "e2e/e2e_checks.h"

namespace picprog::e2e {
namespace {

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

TEST_P(CodeProtection, ProgramAllProtectsTheChipAndEraseAllLiftsIt) {
    const MemoryImage protected_image = small_image(true);
    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    bench.image() = protected_image;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    EXPECT_TRUE(bench.chip().memory().program_protected());
    // A protected part hides its program memory, so Verify cannot pass.
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Failed, "Chip verify failed.");

    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    EXPECT_FALSE(bench.chip().memory().program_protected());
    EXPECT_FALSE(bench.chip().memory().data_protected());
    expect_run(bench, ChipOperation::BlankCheck, OperationOutcome::Passed, "Chip is blank.");

    // The chip takes a new program after that.
    bench.image() = small_image(false);
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Passed, "Chip verified.");
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

TEST_P(FactoryCalibration, SurvivesWhenTheReadWordsAreProgrammedBack) {
    const uint16_t osccal = bench.chip().memory().program(kOscCalAddress);
    const uint16_t band_gap = bench.chip().memory().config(0x2007) & kBandGapBits;
    ASSERT_EQ(osccal & kRetlwMask, kRetlw) << "a new part holds a RETLW at 3FFh";

    expect_run(bench, ChipOperation::ReadAll, OperationOutcome::Passed, "Chip read.");
    MemoryImage image = bench.image();
    EXPECT_EQ(image.flash[kOscCalAddress], osccal);
    EXPECT_EQ(image.config[1] & kBandGapBits, band_gap);

    // The erase cannot keep them: the file says so, and the user keeps them.
    expect_run(bench, ChipOperation::EraseAll, OperationOutcome::Passed, "Chip erased.");
    EXPECT_EQ(bench.chip().memory().program(kOscCalAddress), 0x3FFF);
    EXPECT_EQ(bench.chip().memory().config(0x2007) & kBandGapBits, kBandGapBits);

    // A user program in the read image, with 3FFh and the BG bits kept.
    std::uniform_int_distribution<int32_t> word(0, 0x3FFE);
    for (int32_t a = 0; a < 40; ++a) {
        image.flash[static_cast<size_t>(a)] = word(rng);
    }
    image.config[1] = (image.config[1] & kBandGapBits) | 0x0184;
    bench.image() = image;
    expect_run(bench, ChipOperation::ProgramAll, OperationOutcome::Passed, "Chip programmed.");
    EXPECT_EQ(bench.chip().memory().program(kOscCalAddress), osccal);
    EXPECT_EQ(bench.chip().memory().config(0x2007) & kBandGapBits, band_gap);
    expect_run(bench, ChipOperation::Verify, OperationOutcome::Passed, "Chip verified.");
    expect_clean_session(bench);
}

INSTANTIATE_TEST_SUITE_P(OscCalParts, FactoryCalibration, ::testing::ValuesIn(models_with_osccal()),
                         [](const auto& info) { return param_name(info.param); });

}  // namespace
}  // namespace picprog::e2e
