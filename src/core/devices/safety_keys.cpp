#include "core/devices/safety_keys.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace picprog {
namespace {

constexpr int32_t kWordMask = 0x3FFF;
constexpr int32_t kConfigSpaceFirst = 0x2000;
constexpr int32_t kConfigSpaceLast = 0x20FF;
constexpr int32_t kFirstConfigWord = 0x2007;

// Words of hexadecimal digits separated by blanks ("1060 3FE0", a trailing
// "h" allowed on each); nullopt when any word is not one.
std::optional<std::vector<int32_t>> hex_words(std::string_view text) {
    std::vector<int32_t> words;
    size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            break;
        }
        size_t end = text.find_first_of(" \t", at);
        std::string_view word = text.substr(at, end == std::string_view::npos ? end : end - at);
        at = end;
        if (word.size() > 1 && (word.back() == 'h' || word.back() == 'H')) {
            word.remove_suffix(1);
        }
        int32_t value = 0;
        const auto [ptr, error] =
            std::from_chars(word.data(), word.data() + word.size(), value, 16);
        if (word.empty() || word.size() > 4 || error != std::errc{} ||
            ptr != word.data() + word.size()) {
            return std::nullopt;
        }
        words.push_back(value);
        if (end == std::string_view::npos) {
            break;
        }
    }
    return words;
}

class KeyReader {
public:
    explicit KeyReader(SafetyKeysParse& out) : out_(out) {}

    // The key's words when it is given as `least` to `most` hexadecimal
    // words; nullopt (with a problem when given) otherwise.
    std::optional<std::vector<int32_t>> words(std::string_view key, const std::string& text,
                                              size_t least, size_t most, std::string_view form) {
        if (text.find_first_not_of(" \t") == std::string::npos) {
            return std::nullopt;
        }
        auto parsed = hex_words(text);
        if (!parsed || parsed->size() < least || parsed->size() > most) {
            problem(key, text, form);
            return std::nullopt;
        }
        return parsed;
    }

    void problem(std::string_view key, const std::string& text, std::string_view why) {
        out_.problems.push_back(std::string(key) + " \"" + text +
                                "\" ignored: " + std::string(why));
    }

private:
    SafetyKeysParse& out_;
};

}  // namespace

int32_t SafetyKeys::compare_mask(int slot) const {
    const auto index = static_cast<size_t>(slot == 2 ? 1 : 0);
    const int32_t address = kFirstConfigWord + static_cast<int32_t>(index);
    if (std::find(calibration_words.begin(), calibration_words.end(), address) !=
        calibration_words.end()) {
        return 0;
    }
    return config_mask[index] & ~config_calibration[index] & kWordMask;
}

SafetyKeysParse parse_safety_keys(const DeviceModel& model, int32_t flash_words) {
    SafetyKeysParse out;
    KeyReader reader(out);
    SafetyKeys& keys = out.keys;

    if (auto id = reader.words("deviceid:", model.deviceid, 2, 2,
                               "it takes the device ID and its mask, such as 1060 3FE0")) {
        const int32_t value = (*id)[0];
        const int32_t mask = (*id)[1];
        if (value > kWordMask || mask > kWordMask || mask == 0 || (value & ~mask) != 0) {
            reader.problem("deviceid:", model.deviceid,
                           "the ID must be 14 bits with no bit outside the mask");
        } else {
            keys.device_id = DeviceIdKey{value, mask};
        }
    }
    if (auto mask = reader.words("configmask:", model.configmask, 1, 2,
                                 "it takes the implemented bits of 2007h [and 2008h], such "
                                 "as 21FF")) {
        if (std::any_of(mask->begin(), mask->end(), [](int32_t w) { return w > kWordMask; })) {
            reader.problem("configmask:", model.configmask, "a mask has 14 bits");
        } else {
            keys.config_mask[0] = (*mask)[0];
            keys.config_mask[1] = mask->size() > 1 ? (*mask)[1] : kWordMask;
        }
    }
    if (auto address = reader.words("osccal:", model.osccal, 1, 1,
                                    "it takes the program word address, such as 3FF")) {
        if ((*address)[0] >= flash_words) {
            reader.problem("osccal:", model.osccal, "the address is beyond the model's FLASH");
        } else {
            keys.osccal_address = (*address)[0];
        }
    }
    if (auto bits = reader.words("configcal:", model.configcal, 1, 2,
                                 "it takes the calibration bits of 2007h [and 2008h], such as "
                                 "3000")) {
        if (std::any_of(bits->begin(), bits->end(), [](int32_t w) { return w > kWordMask; })) {
            reader.problem("configcal:", model.configcal, "calibration bits are 14 bits");
        } else {
            keys.config_calibration[0] = (*bits)[0];
            keys.config_calibration[1] = bits->size() > 1 ? (*bits)[1] : 0;
        }
    }
    if (auto words = reader.words("calwords:", model.calwords, 1, 8,
                                  "it takes config-space addresses, such as 2008")) {
        if (std::any_of(words->begin(), words->end(),
                        [](int32_t w) { return w < kConfigSpaceFirst || w > kConfigSpaceLast; })) {
            reader.problem("calwords:", model.calwords,
                           "the addresses lie in config space, 2000 to 20FF");
        } else {
            keys.calibration_words = *words;
        }
    }
    return out;
}

}  // namespace picprog
