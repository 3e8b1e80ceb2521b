// The shipped device database as a file: it loads cleanly, its models are
// the parts the simulator knows with their real sizes, and every list is
// one the engine can run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "core/engine/algorithm_check.h"
#include "core/memory/decimal_text.h"
#include "e2e/e2e_support.h"

namespace picprog::e2e {
namespace {

using ::testing::IsEmpty;

constexpr int32_t kShippedModels = 71;

std::string describe(const std::vector<LoadDiagnostic>& diagnostics) {
    std::string text;
    for (const LoadDiagnostic& d : diagnostics) {
        text += "line " + std::to_string(d.line) + ": " + d.reason + "\n";
    }
    return text;
}

Family family_of(const DeviceModel& model) {
    return chip_for_model(model.name).family;
}

TEST(ShippedDatabase, LoadsWithoutAnyDiagnostic) {
    const DatabaseLoadResult& result = shipped_database();
    ASSERT_EQ(result.status, DatabaseLoadStatus::Ok) << result.error;
    EXPECT_TRUE(result.diagnostics.empty()) << describe(result.diagnostics);
    EXPECT_EQ(result.database.model_count(), kShippedModels);
}

TEST(ShippedDatabase, UsesCrLfLineEnds) {
    // A file with LF-only line ends reads as one line; a stray lone LF would
    // glue two lines together.
    const DatabaseLoadResult& result = shipped_database();
    for (const DeviceModel& model : result.database.models) {
        EXPECT_EQ(model.name.find('\n'), std::string::npos) << model.name;
        EXPECT_EQ(model.name.find(' '), std::string::npos) << model.name;
        EXPECT_EQ(model.name.rfind("PIC", 0), 0U) << model.name;
    }
}

TEST(ShippedDatabase, EveryModelIsAPartTheSimulatorKnowsOnce) {
    std::set<std::string> seen;
    for (const DeviceModel& model : shipped_database().database.models) {
        EXPECT_NE(family_of(model), Family::Generic) << model.name;
        EXPECT_TRUE(seen.insert(model.name).second) << "twice: " << model.name;
    }
}

TEST(ShippedDatabase, ModelsAreGroupedByFamilyThenOrderedBySize) {
    const auto& models = shipped_database().database.models;
    std::set<Family> finished;
    for (size_t i = 0; i < models.size(); ++i) {
        const Family family = family_of(models[i]);
        if (i > 0 && family_of(models[i - 1]) != family) {
            finished.insert(family_of(models[i - 1]));
        }
        EXPECT_FALSE(finished.contains(family)) << models[i].name << " is apart from its family";
        if (i > 0 && family_of(models[i - 1]) == family) {
            EXPECT_LE(leading_number(models[i - 1].flash), leading_number(models[i].flash))
                << models[i - 1].name << " before " << models[i].name;
        }
    }
}

TEST(ShippedDatabase, AFamilySharesEachAlgorithmAndFamiliesDiffer) {
    std::map<Family, std::array<std::string, kAlgorithmKinds>> by_family;
    for (const DeviceModel& model : shipped_database().database.models) {
        const auto [it, inserted] = by_family.emplace(family_of(model), model.algorithms);
        if (!inserted) {
            EXPECT_EQ(it->second, model.algorithms) << model.name;
        }
    }
    // Families whose programming documents give the same commands, latches
    // and waits may share the 16F690 family's lists; any other sharing is a
    // family given another's lists by mistake.
    const std::set<Family> shares_690 = {Family::F690, Family::F683, Family::F635, Family::F91X,
                                         Family::F785};
    std::set<std::string> signatures;
    size_t expected = 0;
    bool counted_690 = false;
    for (const auto& [family, algorithms] : by_family) {
        signatures.insert(algorithms[static_cast<size_t>(AlgorithmKind::Program)] +
                          algorithms[static_cast<size_t>(AlgorithmKind::Erase)]);
        if (!shares_690.contains(family) || !counted_690) {
            ++expected;
            counted_690 = counted_690 || shares_690.contains(family);
        }
    }
    EXPECT_EQ(signatures.size(), expected);
}

class ShippedModel : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedModel, SizesAndConfigWordsAreThoseOfThePart) {
    Bench bench(GetParam());
    ASSERT_TRUE(bench.selected());
    const ChipVariant& part = bench.chip().variant();
    const FamilyFacts facts = bench.facts();
    const CurrentModel& model = bench.model();
    EXPECT_EQ(model.flash_size, part.flash_words);
    EXPECT_EQ(model.eeprom_size, part.eeprom_bytes);
    EXPECT_EQ(model.config2_used, part.config_words == 2);
    EXPECT_EQ(model.config_erased[1], facts.config1_erased);
    EXPECT_EQ(model.config_erased[2], model.config2_used ? facts.config2_erased : 0x3FFF);
}

TEST_P(ShippedModel, PowerUpOrderPageSizeAndProgrammingTimeSuitThePart) {
    Bench bench(GetParam());
    ASSERT_TRUE(bench.selected());
    const FamilyFacts facts = bench.facts();
    const CurrentModel& model = bench.model();
    ASSERT_NE(model.voltage_sequence, VoltageSequence::NotSet);
    if (facts.required_order) {
        EXPECT_EQ(model.voltage_sequence, *facts.required_order);
    }
    EXPECT_EQ(model.page_size, facts.page_size);
    EXPECT_GE(model.programming_time, facts.min_progtime_ms);
}

// Highest programming voltage a family's parts take, in volts, where it is
// below the about 13 V a classic parallel-port programmer applies.
std::optional<int32_t> low_vpp_limit(Family family) {
    switch (family) {
        case Family::F72X:
            return 9;
        default:
            return std::nullopt;
    }
}

TEST_P(ShippedModel, PartThatCannotTakeTheBoardsVppCarriesAWarning) {
    Bench bench(GetParam());
    ASSERT_TRUE(bench.selected());
    const std::string& warning = bench.model().warning;
    if (const auto limit = low_vpp_limit(bench.family())) {
        EXPECT_THAT(warning, ::testing::HasSubstr(std::to_string(*limit) + " V"));
        EXPECT_THAT(warning, ::testing::HasSubstr("13 V"));
    }
}

TEST_P(ShippedModel, EveryListRunsAndEndsPoweredDown) {
    Bench bench(GetParam());
    ASSERT_TRUE(bench.selected());
    const CurrentModel& model = bench.model();
    for (int kind = 0; kind < kAlgorithmKinds; ++kind) {
        const auto& list = model.list(static_cast<AlgorithmKind>(kind));
        SCOPED_TRACE("algorithm kind " + std::to_string(kind));
        EXPECT_THAT(check_instruction_list(list, model.page_size), IsEmpty());
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list.front(), "begin");
        // The 25th difference jumps to the last instruction: it must power down.
        EXPECT_EQ(list.back(), "end");
    }
}

TEST_P(ShippedModel, WritesOnlyWhereTheModelHasMemory) {
    Bench bench(GetParam());
    ASSERT_TRUE(bench.selected());
    const CurrentModel& model = bench.model();
    for (int kind = 0; kind < kAlgorithmKinds; ++kind) {
        for (const std::string& instruction : model.list(static_cast<AlgorithmKind>(kind))) {
            if (model.eeprom_size == 0) {
                EXPECT_EQ(instruction.find("eeprom"), std::string::npos) << instruction;
            }
            if (!model.config2_used) {
                EXPECT_EQ(instruction.find("config2"), std::string::npos) << instruction;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, ShippedModel, ::testing::ValuesIn(shipped_model_names()),
                         [](const auto& info) { return param_name(info.param); });

}  // namespace
}  // namespace picprog::e2e
