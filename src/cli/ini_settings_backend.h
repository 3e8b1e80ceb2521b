#pragma once

#include <filesystem>

#include "core/settings/key_value_backend.h"

namespace picprog {

// The settings store's back end for the command-line tool: the same INI
// file, in the same form, that the desktop program keeps through QSettings,
// so both see one set of settings. Text and 32-bit values are kept apart the
// way the desktop program keeps them: a 32-bit value is written "dword:"
// and eight hex digits, and a text that itself begins with "dword:" or
// "string:" is stored behind "string:". A value of the other kind reads as
// missing. The empty key path is the top level; a sub-key is an INI group.
//
// Each call reads the file afresh and each write replaces it whole through
// a temporary file, so a half-written file is never left behind. A file
// that cannot be read counts as empty; a refused write is lost, as the
// store's contract allows.
class IniSettingsBackend : public KeyValueBackend {
public:
    explicit IniSettingsBackend(std::filesystem::path file) : file_(std::move(file)) {}

    void create_key(std::string_view key_path) override;
    std::optional<std::string> read_string(std::string_view key_path,
                                           std::string_view name) override;
    std::optional<int32_t> read_dword(std::string_view key_path, std::string_view name) override;
    void write_string(std::string_view key_path, std::string_view name,
                      std::string_view value) override;
    void write_dword(std::string_view key_path, std::string_view name, int32_t value) override;

    const std::filesystem::path& file() const { return file_; }

private:
    std::optional<std::string> read_raw(std::string_view key_path, std::string_view name) const;
    void write_raw(std::string_view key_path, std::string_view name, std::string_view stored);

    std::filesystem::path file_;
};

}  // namespace picprog
