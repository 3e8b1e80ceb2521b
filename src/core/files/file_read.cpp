#include "core/files/file_read.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/files/file_kind_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace picprog {
namespace {

constexpr size_t kReadChunkBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string errno_reason(int error) {
    return std::generic_category().message(error);
}

FileReadResult refused(FileReadStatus status, std::string reason) {
    FileReadResult result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

FileReadResult too_large(std::uintmax_t size, const ReadLimit& limit, bool at_least) {
    return refused(FileReadStatus::TooLarge, "the file is " +
                                                 std::string(at_least ? "more than " : "") +
                                                 std::to_string(size) + " bytes, more than the " +
                                                 std::to_string(limit.max_bytes) +
                                                 " bytes allowed for " + std::string(limit.kind));
}

#ifndef _WIN32
std::filesystem::file_type type_of(mode_t mode) {
    using std::filesystem::file_type;
    if (S_ISREG(mode)) {
        return file_type::regular;
    }
    if (S_ISDIR(mode)) {
        return file_type::directory;
    }
    if (S_ISCHR(mode)) {
        return file_type::character;
    }
    if (S_ISBLK(mode)) {
        return file_type::block;
    }
    if (S_ISFIFO(mode)) {
        return file_type::fifo;
    }
    return S_ISSOCK(mode) ? file_type::socket : file_type::unknown;
}
#endif

// Opens the file and checks it is a regular file no larger than the cap.
// The check looks at the opened file itself, so a path swapped in between
// cannot slip through; O_NONBLOCK keeps a named pipe from blocking the open.
FileHandle open_regular(const std::string& path, const ReadLimit& limit, FileReadResult& failure) {
#ifndef _WIN32
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure = refused(FileReadStatus::Unreadable, errno_reason(errno));
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        failure = refused(FileReadStatus::Unreadable, errno_reason(errno));
        ::close(fd);
        return nullptr;
    }
    if (S_ISDIR(info.st_mode)) {
        failure = refused(FileReadStatus::Unreadable, errno_reason(EISDIR));
        ::close(fd);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        failure = refused(FileReadStatus::NotRegular, not_regular_reason(type_of(info.st_mode)));
        ::close(fd);
        return nullptr;
    }
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > limit.max_bytes) {
        failure = too_large(size, limit, false);
        ::close(fd);
        return nullptr;
    }
    FileHandle file(::fdopen(fd, "rb"));
    if (!file) {
        failure = refused(FileReadStatus::Unreadable, errno_reason(errno));
        ::close(fd);
    }
    return file;
#else
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {
        failure = refused(FileReadStatus::NotRegular, not_regular_reason(status.type()));
        return nullptr;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > limit.max_bytes) {
        failure = too_large(size, limit, false);
        return nullptr;
    }
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        failure = refused(FileReadStatus::Unreadable, errno_reason(errno));
    }
    return file;
#endif
}

}  // namespace

FileReadResult read_whole_file(const std::string& path, const ReadLimit& limit) {
    FileReadResult result;
    const FileHandle file = open_regular(path, limit, result);
    if (!file) {
        return result;
    }
    std::string chunk(kReadChunkBytes, '\0');
    for (;;) {
        errno = 0;
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        result.bytes.append(chunk, 0, got);
        if (result.bytes.size() > limit.max_bytes) {
            // The file grew while read (a log being written): refuse it too.
            return too_large(limit.max_bytes, limit, true);
        }
        if (got < chunk.size()) {
            if (std::ferror(file.get())) {
                // A folder opens on some systems and fails only here (EISDIR).
                return refused(FileReadStatus::Unreadable, errno_reason(errno != 0 ? errno : EIO));
            }
            break;
        }
    }
    result.ok = true;
    result.status = FileReadStatus::Ok;
    return result;
}

}  // namespace picprog
