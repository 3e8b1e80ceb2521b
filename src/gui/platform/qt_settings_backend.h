#pragma once

#include <QString>

#include "core/settings/key_value_backend.h"

namespace picprog {

// The per-user settings store of the desktop: the registry key
// HKEY_CURRENT_USER\Software\Quellmark Parallel Port PIC Programmer on
// Windows, an INI file in the user's configuration folder elsewhere.
//
// Each call opens the store, does its one read or write and closes it again
// (writes are flushed before returning), so a value changed by another
// program is seen at the next read. Text values and 32-bit values are kept
// apart: in the registry as REG_SZ and REG_DWORD; in the INI file a 32-bit
// value is written "dword:" and eight hex digits, the way a .reg export shows
// it, and a text that itself starts with one of the markers is escaped with
// "string:". A read of the other kind answers "missing".
class QtSettingsBackend : public KeyValueBackend {
public:
    // The platform's own location (registry key or INI file).
    QtSettingsBackend();
    // An INI file at `ini_path` on every platform (tests, portable use).
    explicit QtSettingsBackend(QString ini_path);

    void create_key(std::string_view key_path) override;
    std::optional<std::string> read_string(std::string_view key_path,
                                           std::string_view name) override;
    std::optional<int32_t> read_dword(std::string_view key_path, std::string_view name) override;
    void write_string(std::string_view key_path, std::string_view name,
                      std::string_view value) override;
    void write_dword(std::string_view key_path, std::string_view name, int32_t value) override;

    // Where the values live: the registry path or the INI file's path.
    QString location() const { return location_; }

private:
    QString location_;
    bool native_registry_ = false;
};

// The INI file used off Windows: "quellmark-picprog.ini" in the user's
// configuration folder (for example ~/.config/quellmark-picprog/).
QString default_settings_ini_path();

}  // namespace picprog
