#include "core/trial/model_trial.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <utility>

#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/hardware/null_backend.h"
#include "core/memory/hex_text.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog {
namespace {

// Differences from the Read All comparison listed before the rest is counted.
constexpr int32_t kListedDifferences = 3;
// Instructions an operation may run per location of the model, and on top.
constexpr int64_t kStepsPerLocation = 200;
constexpr int64_t kStepsBase = 200000;
// Config bits the test image clears: the oscillator selection, implemented
// on every 14-bit part and harmless to the chip.
constexpr int32_t kConfigBitsCleared = 0x0003;

// Collects what an operation tells the user, without a window.
class TrialView final : public OperationView {
public:
    void disable() override {}
    void enable() override {}
    void set_status(std::string_view) override {}
    void updatedisplay() override {}
    int msg_box(std::string_view text, MsgKind kind, std::string_view) override {
        if (kind == MsgKind::Error) {
            last_error = text;
        }
        return kind == MsgKind::YesNo ? kAnswerNo : 1;
    }
    void pump_events() override {}
    void fatal_exit() override {}

    std::string last_error;
};

// Words and bytes that differ from their neighbours and from the blank value,
// so a skipped increment, a lost latch or a missed write shows.
int32_t test_word(int32_t address) {
    const int32_t word = (address * 0x2B5 + 0x1A3) & 0x3FFF;
    return word == kBlankFlashWord ? 0 : word;
}

int32_t test_byte(int32_t address) {
    const int32_t byte = (address * 37 + 5) & 0xFF;
    return byte == kBlankEepromByte ? 0 : byte;
}

std::string one_line(std::string_view text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r') {
            continue;
        }
        line += c == '\n' ? ' ' : c;
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

// "N differences, the first: FLASH Word 0004h reads 0F2Ch, expected 0C77h;
// ..." from an engine report (a header line, then one line per location).
std::string mismatch_summary(std::string_view report) {
    std::vector<std::string> lines;
    size_t start = report.find("\r\n");
    while (start != std::string_view::npos && start + 2 < report.size()) {
        const size_t end = report.find("\r\n", start + 2);
        std::string line(report.substr(start + 2, end - start - 2));
        // "Location,   read,   expected," -> "Location reads read, expected expected"
        const size_t first = line.find(",   ");
        const size_t second = line.find(",   ", first + 4);
        if (first != std::string::npos && second != std::string::npos) {
            line = line.substr(0, first) + " reads " + line.substr(first + 4, second - first - 4) +
                   ", expected " + line.substr(second + 4, line.size() - second - 5);
        }
        lines.push_back(line);
        start = end;
    }
    // The engine stops looking at its mismatch limit.
    const bool capped = static_cast<int32_t>(lines.size()) >= kMismatchLimit;
    std::string text = std::to_string(lines.size()) + (capped ? " or more" : "") +
                       (lines.size() == 1 ? " difference: " : " differences, the first: ");
    for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(kListedDifferences); ++i) {
        text += (i == 0 ? "" : "; ") + lines[i];
    }
    return text;
}

// Each distinct rule broken once, with how often: a loop breaks the same
// rule at every location, and one line says that as well as five hundred.
std::vector<std::string> violation_summary(const RuleViolations& violations) {
    std::vector<std::pair<std::string, int64_t>> distinct;
    for (const RuleViolation& v : violations.listed) {
        auto same = std::find_if(distinct.begin(), distinct.end(),
                                 [&](const auto& d) { return d.first == v.text; });
        if (same == distinct.end()) {
            distinct.emplace_back(v.text, 1);
        } else {
            ++same->second;
        }
    }
    const int64_t unlisted = violations.total - static_cast<int64_t>(violations.listed.size());
    std::vector<std::string> lines;
    for (const auto& [text, times] : distinct) {
        lines.push_back(times > 1 ? text + " (" + std::to_string(times) + " times)" : text);
    }
    if (unlisted > 0) {
        lines.push_back(std::to_string(unlisted) + " more chip rule violations");
    }
    return lines;
}

class Trial {
public:
    Trial(const DeviceDatabase& database, int32_t number)
        : programmer_(std::make_unique<NullBackend>()) {
        // The device-ID check looks the answer up among all models.
        programmer_.database = database;
        programmer_.select(number);
        auto board = std::make_unique<SimulatedProgrammer>(chip_for_model(programmer_.model));
        board_ = board.get();
        programmer_.set_backend(std::move(board));
        programmer_.clock = [board = board_] { return static_cast<double>(board->now_us()) / 1e6; };
        programmer_.driver().all_lines_off();
        const CurrentModel& m = programmer_.model;
        step_limit_ =
            kStepsBase + kStepsPerLocation * (int64_t{m.flash_size} + int64_t{m.eeprom_size});
        programmer_.engine().set_step_limit(step_limit_);
    }

    ModelTrial run() {
        step(ChipOperation::EraseAll, "Erase All");
        step(ChipOperation::BlankCheck, "Blank Check");
        // The erased configuration as this chip reads it is the base of
        // the test image's configuration words.
        step(ChipOperation::ReadAll, "Read All after the erase");
        const MemoryImage erased = programmer_.image;
        // The file holds nothing useful at the calibration word: the chip's
        // own calibration must come back whatever the file says.
        programmer_.image = test_image(erased);
        step(ChipOperation::ProgramAll, "Program All");
        step(ChipOperation::Verify, "Verify");
        step(ChipOperation::ReadAll, "Read All");
        compare(with_calibration_of(erased, test_image(erased)), "Read All");
        // Only a chip that holds something shows whether the erase works.
        step(ChipOperation::EraseAll, "Erase All of the programmed chip");
        step(ChipOperation::BlankCheck, "Blank Check after that erase");
        if (programmer_.model.safety.keeps_calibration()) {
            step(ChipOperation::ReadAll, "Read All after that erase");
            MemoryImage kept = programmer_.image;
            compare(with_calibration_of(erased, kept), "Calibration after that erase");
        }
        trial_.verdict = trial_.problems.empty() ? TrialVerdict::Clean : TrialVerdict::Failed;
        return std::move(trial_);
    }

private:
    MemoryImage test_image(const MemoryImage& erased) const {
        MemoryImage image = erased;
        for (size_t i = 0; i < image.flash.size(); ++i) {
            image.flash[i] = test_word(static_cast<int32_t>(i));
        }
        for (size_t i = 0; i < image.eeprom.size(); ++i) {
            image.eeprom[i] = test_byte(static_cast<int32_t>(i));
        }
        image.config[1] = erased.config[1] & ~kConfigBitsCleared & 0x3FFF;
        return image;
    }

    // `image` with the calibration word and bits `chip` holds.
    MemoryImage with_calibration_of(const MemoryImage& chip, MemoryImage image) const {
        const SafetyKeys& keys = programmer_.model.safety;
        if (keys.osccal_address) {
            const auto at = static_cast<size_t>(*keys.osccal_address);
            image.flash[at] = chip.flash[at];
        }
        for (size_t i = 0; i < 2; ++i) {
            const int32_t bits = keys.config_calibration[i];
            image.config[i + 1] = (image.config[i + 1] & ~bits) | (chip.config[i + 1] & bits);
        }
        return image;
    }

    void step(ChipOperation operation, std::string_view name) {
        TrialView view;
        const OperationResult result = run_chip_operation(programmer_, operation, view);
        const std::string prefix = std::string(name) + ": ";
        if (programmer_.engine().step_limit_reached()) {
            trial_.problems.push_back(prefix + "did not finish (stopped after " +
                                      std::to_string(step_limit_) + " instructions)");
        } else if (result.outcome == OperationOutcome::Failed) {
            trial_.problems.push_back(prefix +
                                      mismatch_summary(programmer_.engine().mismatch_report()));
        } else if (result.outcome != OperationOutcome::Passed) {
            trial_.problems.push_back(prefix + (view.last_error.empty()
                                                    ? std::string("did not run to its end")
                                                    : one_line(view.last_error)));
        }
        for (const std::string& line : violation_summary(result.violations)) {
            trial_.problems.push_back(prefix + line);
        }
    }

    void compare(const MemoryImage& wanted, std::string_view name) {
        const MemoryImage& got = programmer_.image;
        const std::string prefix = std::string(name) + ": ";
        int32_t differences = 0;
        auto differ = [&](const std::string& where, const std::string& read,
                          const std::string& expected) {
            if (++differences <= kListedDifferences) {
                trial_.problems.push_back(prefix + where + " reads " + read + ", expected " +
                                          expected);
            }
        };
        for (size_t i = 0; i < wanted.flash.size() && i < got.flash.size(); ++i) {
            if (got.flash[i] != wanted.flash[i]) {
                differ("FLASH word " + hex4h(static_cast<int32_t>(i)), hex4h(got.flash[i]),
                       hex4h(wanted.flash[i]));
            }
        }
        for (size_t i = 0; i < wanted.eeprom.size() && i < got.eeprom.size(); ++i) {
            if (got.eeprom[i] != wanted.eeprom[i]) {
                differ("EEPROM byte " + hex4h(static_cast<int32_t>(i)), hex2h(got.eeprom[i]),
                       hex2h(wanted.eeprom[i]));
            }
        }
        const int32_t words = programmer_.model.config2_used ? 2 : 1;
        for (int32_t w = 1; w <= words; ++w) {
            const auto slot = static_cast<size_t>(w);
            if (got.config[slot] != wanted.config[slot]) {
                differ("CONF word " + hex4h(kConfig1Address + w - 1), hex4h(got.config[slot]),
                       hex4h(wanted.config[slot]));
            }
        }
        if (differences > kListedDifferences) {
            trial_.problems.push_back(prefix + std::to_string(differences - kListedDifferences) +
                                      " more differences");
        }
    }

    Programmer programmer_;
    SimulatedProgrammer* board_ = nullptr;
    int64_t step_limit_ = 0;
    ModelTrial trial_;
};

}  // namespace

ModelTrial try_model(const DeviceDatabase& database, int32_t number) {
    const DeviceModel* model = database.model(number);
    if (model == nullptr || !is_simulated_part(model->name)) {
        return ModelTrial{TrialVerdict::NotSimulated, {}};
    }
    return Trial(database, number).run();
}

}  // namespace picprog
