#include "core/settings/memory_backend.h"

namespace picprog {

void MemoryBackend::create_key(std::string_view key_path) {
    keys_.try_emplace(std::string(key_path));
}

std::optional<std::string> MemoryBackend::read_string(std::string_view key_path,
                                                      std::string_view name) {
    const auto stored = value(key_path, name);
    if (!stored || !std::holds_alternative<std::string>(*stored)) {
        return std::nullopt;
    }
    return std::get<std::string>(*stored);
}

std::optional<int32_t> MemoryBackend::read_dword(std::string_view key_path,
                                                 std::string_view name) {
    const auto stored = value(key_path, name);
    if (!stored || !std::holds_alternative<int32_t>(*stored)) {
        return std::nullopt;
    }
    return std::get<int32_t>(*stored);
}

void MemoryBackend::write_string(std::string_view key_path, std::string_view name,
                                 std::string_view text) {
    keys_[std::string(key_path)][std::string(name)] = std::string(text);
}

void MemoryBackend::write_dword(std::string_view key_path, std::string_view name,
                                int32_t number) {
    keys_[std::string(key_path)][std::string(name)] = number;
}

bool MemoryBackend::has_key(std::string_view key_path) const {
    return keys_.find(key_path) != keys_.end();
}

std::optional<MemoryBackend::Value> MemoryBackend::value(std::string_view key_path,
                                                         std::string_view name) const {
    const auto key = keys_.find(key_path);
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto found = key->second.find(name);
    if (found == key->second.end()) {
        return std::nullopt;
    }
    return found->second;
}

size_t MemoryBackend::value_count(std::string_view key_path) const {
    const auto key = keys_.find(key_path);
    return key == keys_.end() ? 0 : key->second.size();
}

}  // namespace picprog
