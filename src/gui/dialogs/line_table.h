#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/hardware/line_settings.h"
#include "core/settings/settings_store.h"

namespace picprog {

// What the hardware dialogs need to know about one programmer line.
struct LineInfo {
    std::string_view title;  // as the captions write it: "VDD", ..., "DATA OUT", "DATA IN"
    int32_t LineSettings::*pin;
    int32_t LineSettings::*inverted;
    std::string_view pin_setting;     // "VDD Pin Num", ...
    std::string_view invert_setting;  // "Invert VDD", ...
};

constexpr int kLineCount = 5;

// The five lines in the order the hardware dialogs list them.
inline constexpr std::array<LineInfo, kLineCount> kLines = {{
    {"VDD", &LineSettings::vdd_pin, &LineSettings::vdd_inverted, setting::kVddPinNum,
     setting::kInvertVdd},
    {"VPP", &LineSettings::vpp_pin, &LineSettings::vpp_inverted, setting::kVppPinNum,
     setting::kInvertVpp},
    {"CLOCK", &LineSettings::clock_pin, &LineSettings::clock_inverted, setting::kClockPinNum,
     setting::kInvertClock},
    {"DATA OUT", &LineSettings::dataout_pin, &LineSettings::dataout_inverted,
     setting::kDataOutPinNum, setting::kInvertDataOut},
    {"DATA IN", &LineSettings::datain_pin, &LineSettings::datain_inverted, setting::kDataInPinNum,
     setting::kInvertDataIn},
}};

// Index of DATA IN in kLines, the one input line.
constexpr int kDataInLine = 4;

}  // namespace picprog
