#include "core/files/write_target.h"

#include <filesystem>
#include <system_error>

#include "core/files/file_kind_text.h"

namespace picprog {

WriteTarget resolve_write_target(const std::string& path) {
    namespace fs = std::filesystem;
    WriteTarget target;
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(path, ec);
    fs::file_status status = own;
    target.path = path;
    if (fs::is_symlink(own)) {
        status = fs::status(path, ec);
        if (!fs::exists(status)) {
            target.reason = "it is a symbolic link to a file that does not exist";
            return target;
        }
        const fs::path real = fs::canonical(path, ec);
        if (ec) {
            target.reason = ec.message();
            return target;
        }
        target.path = real.string();
    }
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            target.reason = not_regular_reason(status.type());
            return target;
        }
        target.exists = true;
    }
    target.ok = true;
    return target;
}

}  // namespace picprog
