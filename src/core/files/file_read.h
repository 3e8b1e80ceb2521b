#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace picprog {

// The most the programs read of one kind of file. Each cap lies far above
// any real file of its kind, so only a wrong file (a disk image, a log, a
// device renamed) meets it, and it is refused before it can fill the memory.
struct ReadLimit {
    std::uintmax_t max_bytes = 0;
    std::string_view kind;  // "a HEX file", for the message
};

inline constexpr std::uintmax_t kMebibyte = std::uintmax_t{1} << 20;
// The largest model (8192 words, 256 bytes of EEPROM) saves to about 50 KB;
// files of larger chips, whose extra data is warned about, stay well below.
inline constexpr ReadLimit kHexFileLimit{16 * kMebibyte, "a HEX file"};
// The shipped database is about 27 KB for dozens of models.
inline constexpr ReadLimit kDeviceDatabaseLimit{16 * kMebibyte, "a device database"};
// A simulated chip of the largest model is about 60 KB of text.
inline constexpr ReadLimit kChipStateLimit{16 * kMebibyte, "a simulated chip's state file"};
// A dozen short values; even hand-edited files stay below a few KB.
inline constexpr ReadLimit kSettingsFileLimit{1 * kMebibyte, "a settings file"};

enum class FileReadStatus {
    Ok,
    Unreadable,  // missing, no permission, a folder, a read error: the system's reason
    NotRegular,  // a device, a named pipe or a socket: never read
    TooLarge,    // larger than the cap of its kind: never read whole
};

struct FileReadResult {
    bool ok = false;
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string bytes;   // the whole file when ok
    std::string reason;  // why not, in words that name the size or the kind of file
};

// Reads a whole regular file of at most limit.max_bytes. Never throws and
// never blocks on a named pipe: a missing file, a folder, a device, a file
// over the cap (or one that grows past it while read) answers ok == false
// with the reason, and nothing of the file.
FileReadResult read_whole_file(const std::string& path, const ReadLimit& limit);

}  // namespace picprog
