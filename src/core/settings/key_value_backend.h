#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace picprog {

// A per-user store of named text and 32-bit values, grouped in keys. The
// empty key path is the program's own key; "Sub" is a sub-key below it.
// A missing value is std::nullopt, which is distinct from an empty text.
// Implementations never throw and never report failures: a refused write is
// simply lost.
class KeyValueBackend {
public:
    virtual ~KeyValueBackend() = default;

    virtual void create_key(std::string_view key_path) = 0;
    // The stored text value; nullopt when missing or not a text value.
    virtual std::optional<std::string> read_string(std::string_view key_path,
                                                   std::string_view name) = 0;
    // The stored 32-bit value; nullopt when missing or not a 32-bit value.
    virtual std::optional<int32_t> read_dword(std::string_view key_path,
                                              std::string_view name) = 0;
    virtual void write_string(std::string_view key_path, std::string_view name,
                              std::string_view value) = 0;
    virtual void write_dword(std::string_view key_path, std::string_view name,
                             int32_t value) = 0;
};

}  // namespace picprog
