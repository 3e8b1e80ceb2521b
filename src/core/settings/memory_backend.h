#pragma once

#include <map>
#include <variant>

#include "core/settings/key_value_backend.h"

namespace picprog {

// Key-value back end held in memory, for tests and for runs that must not
// touch the user's stored settings.
class MemoryBackend : public KeyValueBackend {
public:
    using Value = std::variant<std::string, int32_t>;

    void create_key(std::string_view key_path) override;
    std::optional<std::string> read_string(std::string_view key_path,
                                           std::string_view name) override;
    std::optional<int32_t> read_dword(std::string_view key_path, std::string_view name) override;
    void write_string(std::string_view key_path, std::string_view name,
                      std::string_view value) override;
    void write_dword(std::string_view key_path, std::string_view name, int32_t value) override;

    bool has_key(std::string_view key_path) const;
    // The stored value, whatever its kind; nullopt when missing.
    std::optional<Value> value(std::string_view key_path, std::string_view name) const;
    size_t value_count(std::string_view key_path) const;

private:
    using Key = std::map<std::string, Value, std::less<>>;
    std::map<std::string, Key, std::less<>> keys_;
};

}  // namespace picprog
