#include "gui/dialogs/port_options.h"

#include <array>
#include <string_view>

#include "core/memory/decimal_text.h"

namespace picprog {
namespace {

constexpr auto kWrongEntry = "Wrong entry!";
constexpr auto kPortPrompt = "Please select programmer Parallel Port Number [1-3].";
constexpr auto kTimePrompt = "Enter new programming time in ms [1-30].";
constexpr double kMinProgrammingTimeMs = 1.0;
constexpr double kMaxProgrammingTimeMs = 30.0;

// The answer that picks each port, and its base address.
struct KnownPort {
    std::string_view answer;
    int32_t base;
};
constexpr std::array<KnownPort, 3> kPorts = {{{"1", 888}, {"2", 632}, {"3", 956}}};

const KnownPort* port_by_base(int32_t base) {
    for (const KnownPort& port : kPorts) {
        if (port.base == base) {
            return &port;
        }
    }
    return nullptr;
}

const KnownPort* port_by_answer(std::string_view answer) {
    for (const KnownPort& port : kPorts) {
        if (port.answer == answer) {
            return &port;
        }
    }
    return nullptr;
}

constexpr std::string_view kCrLf = "\r\n";

// Pin, register bit ("\" marks the port's own inversion), direction.
constexpr std::array<std::array<std::string_view, 3>, 19> kPinRows = {{
    {"Pin", "Bit", "Direction"}, {"1", "\\C0", "Output"}, {"2", "D0", "Output"},
    {"3", "D1", "Output"},       {"4", "D2", "Output"},   {"5", "D3", "Output"},
    {"6", "D4", "Output"},       {"7", "D5", "Output"},   {"8", "D6", "Output"},
    {"9", "D7", "Output"},       {"10", "S6", "Input"},   {"11", "\\S7", "Input"},
    {"12", "S5", "Input"},       {"13", "S4", "Input"},   {"14", "\\C1", "Output"},
    {"15", "S3", "Input"},       {"16", "C2", "Output"},  {"17", "\\C3", "Output"},
    {"18-25", "GND", "-"},
}};

constexpr std::array<std::string_view, 11> kPinoutNotes = {
    "",
    "Symbol '\\' is used for inverted pin-bit connection.",
    "Directions are defined from the viewpoint of the PC.",
    "",
    "LPT1 base address: 0x378",
    "LPT2 base address: 0x278",
    "LPT3 base address: 0x3BC",
    "",
    "Data register - Base address + 0",
    "Status register - Base address + 1",
    "Control register - Base address + 2",
};

}  // namespace

std::optional<std::string> change_port_number(LineSettings& lines, SettingsStore& settings,
                                              Prompter& prompter) {
    std::string answer;
    if (const KnownPort* current = port_by_base(lines.port_base); current != nullptr) {
        answer = prompter.input_box(kPortPrompt, kProductTitle, current->answer);
    }
    if (!answer.empty()) {
        if (const KnownPort* chosen = port_by_answer(answer); chosen != nullptr) {
            lines.port_base = chosen->base;
        } else {
            prompter.msg_box(kWrongEntry, MsgKind::Error, kProductTitle);
        }
    }
    settings.save_setting(setting::kParallelPortAddress, std::to_string(lines.port_base));
    if (const KnownPort* now = port_by_base(lines.port_base); now != nullptr) {
        return "Parallel port " + std::string(now->answer) + " ready";
    }
    return std::nullopt;
}

void change_programming_time(CurrentModel& model, Prompter& prompter) {
    const std::string answer =
        prompter.input_box(kTimePrompt, kProductTitle, std::to_string(model.programming_time));
    if (answer.empty()) {
        return;
    }
    const double value = leading_decimal(answer);
    if (value < kMinProgrammingTimeMs || value > kMaxProgrammingTimeMs) {
        prompter.msg_box(kWrongEntry, MsgKind::Error, kProductTitle);
        return;
    }
    // leading_number rounds the same leading number halves to even.
    model.programming_time = leading_number(answer);
}

std::string pinout_text() {
    std::string text = "Parallel Port Pinout:";
    text += kCrLf;
    text += kCrLf;
    for (const auto& row : kPinRows) {
        text += row[0];
        text += '\t';
        text += row[1];
        text += '\t';
        text += row[2];
        text += kCrLf;
    }
    for (std::string_view note : kPinoutNotes) {
        text += note;
        text += kCrLf;
    }
    return text;
}

void show_pinout(Prompter& prompter) {
    prompter.msg_box(pinout_text(), MsgKind::Ok, kProductTitle);
}

}  // namespace picprog
