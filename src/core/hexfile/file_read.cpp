#include "core/hexfile/file_read.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace picprog {
namespace {

constexpr size_t kReadChunkBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string errno_reason(int error) {
    return std::generic_category().message(error);
}

}  // namespace

FileReadResult read_whole_file(const std::string& path) {
    FileReadResult result;
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.reason = errno_reason(errno);
        return result;
    }
    std::string chunk(kReadChunkBytes, '\0');
    for (;;) {
        errno = 0;
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        result.bytes.append(chunk, 0, got);
        if (got < chunk.size()) {
            if (std::ferror(file.get())) {
                // A folder opens on some systems and fails only here (EISDIR).
                result.reason = errno_reason(errno != 0 ? errno : EIO);
                result.bytes.clear();
                return result;
            }
            break;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace picprog
