#include "core/settings/settings_store.h"

namespace picprog {
namespace {

// The program's own key; sub-keys are named relative to it.
constexpr std::string_view kRootKey{};

}  // namespace

std::string SettingsStore::get_setting(std::string_view name, std::string_view fallback) {
    backend_.create_key(kRootKey);
    const auto stored = backend_.read_string(kRootKey, name);
    if (stored && stored->size() <= kMaxStringLength) {
        return *stored;
    }
    backend_.write_string(kRootKey, name, fallback);
    return std::string(fallback);
}

int32_t SettingsStore::get_setting_dword(std::string_view name, int32_t fallback) {
    std::string_view key_path = kRootKey;
    std::string_view value_name = name;
    const size_t backslash = name.find('\\');
    if (backslash != std::string_view::npos) {
        key_path = name.substr(0, backslash);
        value_name = name.substr(backslash + 1);
    }
    backend_.create_key(kRootKey);
    if (key_path != kRootKey) {
        backend_.create_key(key_path);
    }
    if (const auto stored = backend_.read_dword(key_path, value_name)) {
        return *stored;
    }
    backend_.write_dword(key_path, value_name, fallback);
    return fallback;
}

void SettingsStore::save_setting(std::string_view name, std::string_view value) {
    backend_.create_key(kRootKey);
    backend_.write_string(kRootKey, name, value);
}

}  // namespace picprog
