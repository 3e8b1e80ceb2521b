#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/key_value_backend.h"

namespace picprog {

// Names of the stored settings.
namespace setting {
inline constexpr std::string_view kLastPath = "Last Path";
inline constexpr std::string_view kMicrocontrollerModel = "Microcontroller Model";
inline constexpr std::string_view kParallelPortAddress = "Parallel Port Address";
inline constexpr std::string_view kInvertVdd = "Invert VDD";
inline constexpr std::string_view kInvertVpp = "Invert VPP";
inline constexpr std::string_view kInvertClock = "Invert CLOCK";
inline constexpr std::string_view kInvertDataOut = "Invert DATAOUT";
inline constexpr std::string_view kInvertDataIn = "Invert DATAIN";
inline constexpr std::string_view kVddPinNum = "VDD Pin Num";
inline constexpr std::string_view kVppPinNum = "VPP Pin Num";
inline constexpr std::string_view kClockPinNum = "CLOCK Pin Num";
inline constexpr std::string_view kDataOutPinNum = "DATAOUT Pin Num";
inline constexpr std::string_view kDataInPinNum = "DATAIN Pin Num";
inline constexpr std::string_view kColorTheme = "Color Theme";
inline constexpr std::string_view kMouseWheelEnabled = "Mouse Wheel Enabled";
inline constexpr std::string_view kSimulatedProgrammer = "Simulated Programmer";
inline constexpr std::string_view kCheckDeviceId = "Check Device ID";
inline constexpr std::string_view kVerifyAfterProgramming = "Verify After Programming";
}  // namespace setting

// The program's persistent settings. Keeps nothing in memory: every read
// goes to the back end, and a read that finds no usable value stores the
// default it was given and answers it. Never fails towards its callers.
class SettingsStore {
public:
    // Longest text a stored string value may hold; a longer one reads as
    // missing (and is replaced by the default).
    static constexpr size_t kMaxStringLength = 254;

    explicit SettingsStore(KeyValueBackend& backend) : backend_(backend) {}

    // The stored text value `name`, or `fallback` (then also stored).
    std::string get_setting(std::string_view name, std::string_view fallback);
    // The stored 32-bit value `name`, or `fallback` (then also stored).
    // "Sub\Name" addresses value Name in sub-key Sub (created when needed);
    // only the first backslash splits.
    int32_t get_setting_dword(std::string_view name, int32_t fallback);
    // Stores `value` as the text value `name`, replacing any earlier value.
    void save_setting(std::string_view name, std::string_view value);

private:
    KeyValueBackend& backend_;
};

}  // namespace picprog
