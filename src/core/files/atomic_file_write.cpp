#include "core/files/atomic_file_write.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "core/files/write_target.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace picprog {
namespace {

constexpr size_t kWriteChunkBytes = 4096;
// Unique names make a clash rare; a few more tries make it harmless.
constexpr int kTemporaryNameAttempts = 100;
constexpr std::string_view kTemporaryInfix = ".part-";
constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kRandomCharacters = 6;

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

// "NAME.part-" and six random letters or digits, beside the target so the
// final rename stays on one file system.
std::string temporary_name(const std::string& target, std::mt19937& random) {
    std::uniform_int_distribution<size_t> pick(0, kNameCharacters.size() - 1);
    std::string name = target + std::string(kTemporaryInfix);
    for (size_t i = 0; i < kRandomCharacters; ++i) {
        name += kNameCharacters[pick(random)];
    }
    return name;
}

// Opens a new file that did not exist before (exclusive create, as
// mkstemp does), so we never write into someone else's file and a
// temporary left behind by a killed save never blocks the next one.
std::FILE* open_exclusive(const std::string& name, bool replacing, int& error) {
    errno = 0;
#ifdef _WIN32
    (void)replacing;
    std::FILE* file = std::fopen(name.c_str(), "wbx");
    error = errno;
    return file;
#else
    // A new file gets the usual mode (the umask applies); a replacement
    // starts private and takes the old file's mode before it is renamed.
    constexpr mode_t kNewFileMode = 0666;
    constexpr mode_t kPrivateMode = 0600;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          replacing ? kPrivateMode : kNewFileMode);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        error = errno;
        ::close(fd);
        ::unlink(name.c_str());
    }
    return file;
#endif
}

std::FILE* create_temporary(const std::string& target, bool replacing, std::string& temporary,
                            int& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporary_name(target, random);
        std::FILE* file = open_exclusive(temporary, replacing, error);
        if (file != nullptr || error != EEXIST) {
            return file;
        }
    }
    return nullptr;
}

// Gives the temporary file the owner and permission bits of the file it
// replaces. A different owner needs privileges the process may not have;
// then the file is the writer's, and the mode is still kept.
std::string keep_owner_and_mode(std::FILE* file, const std::string& target) {
#ifdef _WIN32
    (void)file;
    (void)target;
    return {};
#else
    constexpr mode_t kPermissionBits = 07777;
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        return errno_reason(errno);
    }
    const int fd = fileno(file);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Keep the group at least, when we are a member of it.
        (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fchmod(fd, old.st_mode & kPermissionBits) != 0) {
        return errno_reason(errno);
    }
    return {};
#endif
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
    const WriteTarget target = resolve_write_target(path);
    if (!target.ok) {
        return {false, target.reason};
    }
    std::string temporary;
    int error = 0;
    std::FILE* file = create_temporary(target.path, target.exists, temporary, error);
    if (file == nullptr) {
        return {false, errno_reason(error != 0 ? error : EIO)};
    }
    FileWriteResult result;
    if (target.exists) {
        result.reason = keep_owner_and_mode(file, target.path);
    }
    if (result.reason.empty()) {
        result = write_all(file, contents, fault);
    }
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
    std::filesystem::rename(temporary, target.path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        return {false, renamed.message()};
    }
    return result;
}

}  // namespace picprog
