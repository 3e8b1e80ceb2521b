#include "core/files/file_kind_text.h"

namespace picprog {

std::string not_regular_reason(std::filesystem::file_type type) {
    using std::filesystem::file_type;
    const char* kind = "a special file";
    switch (type) {
        case file_type::character:
            kind = "a character device";
            break;
        case file_type::block:
            kind = "a block device";
            break;
        case file_type::fifo:
            kind = "a named pipe (FIFO)";
            break;
        case file_type::socket:
            kind = "a socket";
            break;
        case file_type::directory:
            kind = "a folder";
            break;
        default:
            break;
    }
    return std::string("it is ") + kind + ", not a regular file";
}

}  // namespace picprog
