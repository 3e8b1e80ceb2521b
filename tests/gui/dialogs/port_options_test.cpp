#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/port_options.h"
#include "scripted_prompter.h"

namespace picprog {
namespace {

using testing::ScriptedPrompter;

struct PortCase {
    const char* label;
    int32_t base_before;
    std::optional<std::string> answer;  // nullopt: no prompt expected
    std::string expected_default;       // prompt default when asked
    int32_t base_after;
    bool wrong_entry;
    std::optional<std::string> status;
};

class PortOptionsPortNumber : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortOptionsPortNumber, AnswersSetStoreAndReport) {
    const PortCase& c = GetParam();
    MemoryBackend store;
    SettingsStore settings(store);
    LineSettings lines;
    lines.port_base = c.base_before;
    ScriptedPrompter prompter;
    if (c.answer) {
        prompter.answers.push_back(*c.answer);
    }

    const std::optional<std::string> status = change_port_number(lines, settings, prompter);

    if (c.answer) {
        ASSERT_EQ(prompter.questions.size(), 1u);
        EXPECT_EQ(prompter.questions[0].prompt,
                  "Please select programmer Parallel Port Number [1-3].");
        EXPECT_EQ(prompter.questions[0].title, kProductTitle);
        EXPECT_EQ(prompter.questions[0].default_text, c.expected_default);
    } else {
        EXPECT_TRUE(prompter.questions.empty());
    }
    EXPECT_EQ(lines.port_base, c.base_after);
    // The address is stored whatever the answer was.
    EXPECT_EQ(store.value("", setting::kParallelPortAddress),
              MemoryBackend::Value(std::to_string(c.base_after)));
    if (c.wrong_entry) {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "Wrong entry!");
        EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);
        EXPECT_EQ(prompter.messages[0].title, kProductTitle);
    } else {
        EXPECT_TRUE(prompter.messages.empty());
    }
    EXPECT_EQ(status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    PortOptions, PortOptionsPortNumber,
    ::testing::Values(PortCase{"port2_to_3", 632, "3", "2", 956, false, "Parallel port 3 ready"},
                      PortCase{"port1_to_2", 888, "2", "1", 632, false, "Parallel port 2 ready"},
                      PortCase{"port3_to_1", 956, "1", "3", 888, false, "Parallel port 1 ready"},
                      PortCase{"cancelled", 632, "", "2", 632, false, "Parallel port 2 ready"},
                      PortCase{"leading_blank", 888, " 1", "1", 888, true, "Parallel port 1 ready"},
                      PortCase{"lpt1", 632, "LPT1", "2", 632, true, "Parallel port 2 ready"},
                      PortCase{"four", 888, "4", "1", 888, true, "Parallel port 1 ready"},
                      PortCase{"unknown_address_not_asked", 1234, std::nullopt, "", 1234, false,
                               std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

struct TimeCase {
    const char* label;
    std::string answer;
    int32_t expected;  // programming time afterwards
    bool wrong_entry;
};

constexpr int32_t kTimeBefore = 7;

class PortOptionsProgrammingTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(PortOptionsProgrammingTime, TakesOneToThirtyRoundedHalfToEven) {
    const TimeCase& c = GetParam();
    CurrentModel model;
    model.programming_time = kTimeBefore;
    ScriptedPrompter prompter;
    prompter.answers.push_back(c.answer);

    change_programming_time(model, prompter);

    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].prompt, "Enter new programming time in ms [1-30].");
    EXPECT_EQ(prompter.questions[0].title, kProductTitle);
    EXPECT_EQ(prompter.questions[0].default_text, std::to_string(kTimeBefore));
    EXPECT_EQ(model.programming_time, c.expected);
    EXPECT_EQ(prompter.messages.size(), c.wrong_entry ? 1u : 0u);
    if (c.wrong_entry && !prompter.messages.empty()) {
        EXPECT_EQ(prompter.messages[0].text, "Wrong entry!");
        EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(PortOptions, PortOptionsProgrammingTime,
                         ::testing::Values(TimeCase{"five", "5", 5, false},
                                           TimeCase{"half_down_to_even", "2.5", 2, false},
                                           TimeCase{"half_up_to_even", "29.5", 30, false},
                                           TimeCase{"thirty", "30", 30, false},
                                           TimeCase{"one", "1", 1, false},
                                           TimeCase{"with_unit", "10 ms", 10, false},
                                           TimeCase{"above_by_fraction", "30.4", 7, true},
                                           TimeCase{"below_one", "0.9", 7, true},
                                           TimeCase{"zero", "0", 7, true},
                                           TimeCase{"not_a_number", "abc", 7, true},
                                           TimeCase{"cancelled", "", 7, false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(PortOptionsPinout, IsTabSeparatedWithCrLfAfterEveryLine) {
    const std::string text = pinout_text();
    EXPECT_TRUE(text.starts_with("Parallel Port Pinout:\r\n\r\nPin\tBit\tDirection\r\n"));
    EXPECT_NE(text.find("\r\n1\t\\C0\tOutput\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n11\t\\S7\tInput\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n18-25\tGND\t-\r\n\r\nSymbol '\\' is used"), std::string::npos);
    EXPECT_TRUE(
        text.ends_with("Status register - Base address + 1\r\n"
                       "Control register - Base address + 2\r\n"));
    // No bare line feed anywhere: every line ends in CR LF.
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "at " << i;
            ++lines;
        }
    }
    // Title, empty, header, 18 pin rows, 11 note lines.
    EXPECT_EQ(lines, 1u + 1u + 1u + 18u + 11u);
}

}  // namespace
}  // namespace picprog
