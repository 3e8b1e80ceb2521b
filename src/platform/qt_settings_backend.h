#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/settings/key_value_backend.h"

class QSettings;

namespace picprog {

// Called once, with a sentence for the user, when the settings file is
// ignored for this run.
using SettingsWarning = std::function<void(std::string_view text)>;

struct QtSettingsOptions {
    // Writes wait for flush() or the end of the back end: a run that only
    // reads and creates defaults then writes the file once. Otherwise each
    // write reaches the store before the call returns.
    bool hold_writes = false;
    SettingsWarning warn;
};

// The per-user settings store of both programs: the registry key
// HKEY_CURRENT_USER\Software\Quellmark Parallel Port PIC Programmer on
// Windows, an INI file in the user's configuration folder elsewhere.
//
// The store is read when it is first used. Later reads look again only when
// the file changed on disk (a value changed by another program is seen),
// and never while writes are held. Text values and 32-bit values are kept
// apart: in the registry as REG_SZ and REG_DWORD; in the INI file a 32-bit
// value is written "dword:" and eight hex digits, the way a .reg export
// shows it, and a text that itself starts with one of the markers is
// escaped with "string:". A read of the other kind answers "missing".
//
// An INI file that is not a regular file (a folder, a FIFO, a device) or is
// larger than kMaxSettingsFileBytes is never read nor written: every read
// answers "missing", so the callers use their defaults, writes are dropped,
// and the warning is given once. A symbolic link to a regular file is
// followed, and a write replaces the link's target and keeps its mode.
class QtSettingsBackend : public KeyValueBackend {
public:
    // The platform's own location (registry key or INI file).
    explicit QtSettingsBackend(QtSettingsOptions options = {});
    // An INI file at `ini_path` on every platform (the command-line tool,
    // tests, portable use).
    explicit QtSettingsBackend(QString ini_path, QtSettingsOptions options = {});
    // Writes what is still held.
    ~QtSettingsBackend() override;
    QtSettingsBackend(const QtSettingsBackend&) = delete;
    QtSettingsBackend& operator=(const QtSettingsBackend&) = delete;

    void create_key(std::string_view key_path) override;
    std::optional<std::string> read_string(std::string_view key_path,
                                           std::string_view name) override;
    std::optional<int32_t> read_dword(std::string_view key_path, std::string_view name) override;
    void write_string(std::string_view key_path, std::string_view name,
                      std::string_view value) override;
    void write_dword(std::string_view key_path, std::string_view name, int32_t value) override;

    // From now on writes wait for flush().
    void hold_writes() { held_ = true; }
    // Writes every held value with one write of the store; later writes go
    // out at once again.
    void flush();

    // Where the values live: the registry path or the INI file's path.
    QString location() const { return location_; }
    // Why the INI file is ignored this run; empty while it is used (or not
    // yet looked at).
    const std::string& ignored_reason() const { return ignored_reason_; }

private:
    // The open store, or nullptr when the file is ignored.
    QSettings* store();
    void written();

    QString location_;
    bool native_registry_ = false;
    QtSettingsOptions options_;
    bool held_ = false;
    bool checked_ = false;
    bool pending_ = false;
    std::string ignored_reason_;
    std::unique_ptr<QSettings> settings_;
};

// A settings file above this size is not a file this program wrote (a few
// hundred bytes are usual): reading it would only stall the start.
inline constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

// The INI file used off Windows: "quellmark-picprog.ini" in the user's
// configuration folder (for example ~/.config/quellmark-picprog/).
QString default_settings_ini_path();

// Why the INI file at `path` must not be used, or "" when it may: it is
// missing (it will be created), or a regular file (or a link to one) of at
// most kMaxSettingsFileBytes.
std::string settings_file_problem(const QString& path);

}  // namespace picprog
