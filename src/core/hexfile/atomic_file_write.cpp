#include "core/hexfile/atomic_file_write.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace picprog {
namespace {

constexpr size_t kWriteChunkBytes = 4096;
// Stale temporary files from a crash must not block a save: try a few names.
constexpr int kTemporaryNameAttempts = 16;
constexpr std::string_view kTemporarySuffix = ".part";

std::string errno_reason(int error) {
    return std::generic_category().message(error);
}

bool flush_to_disk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Creates a temporary file that did not exist before ("x": exclusive), so
// we never write into someone else's file.
std::FILE* create_temporary(const std::string& path, std::string& temporary, int& error) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = path + std::string(kTemporarySuffix);
        if (attempt > 0) {
            temporary += std::to_string(attempt);
        }
        errno = 0;
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (file != nullptr) {
            return file;
        }
        error = errno;
        if (error != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

// Writes everything in chunks, asking the fault hook before each one.
FileWriteResult write_all(std::FILE* file, std::string_view contents, const WriteFaultHook& fault) {
    FileWriteResult result;
    for (size_t done = 0; done < contents.size();) {
        if (fault) {
            result.reason = fault(done);
            if (!result.reason.empty()) {
                return result;
            }
        }
        const std::string_view chunk = contents.substr(done, kWriteChunkBytes);
        errno = 0;
        const size_t written = std::fwrite(chunk.data(), 1, chunk.size(), file);
        if (written != chunk.size()) {
            result.reason = errno_reason(errno != 0 ? errno : EIO);
            return result;
        }
        done += written;
    }
    errno = 0;
    if (!flush_to_disk(file)) {
        result.reason = errno_reason(errno != 0 ? errno : EIO);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace

FileWriteResult write_file_atomically(const std::string& path, std::string_view contents,
                                      const WriteFaultHook& fault) {
    std::string temporary;
    int error = 0;
    std::FILE* file = create_temporary(path, temporary, error);
    if (file == nullptr) {
        return {false, errno_reason(error != 0 ? error : EIO)};
    }
    FileWriteResult result = write_all(file, contents, fault);
    errno = 0;
    if (std::fclose(file) != 0 && result.ok) {
        result = {false, errno_reason(errno != 0 ? errno : EIO)};
    }
    std::error_code ignored;
    if (!result.ok) {
        std::filesystem::remove(temporary, ignored);
        return result;
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        return {false, renamed.message()};
    }
    return result;
}

}  // namespace picprog
