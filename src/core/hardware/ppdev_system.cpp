#include "core/hardware/ppdev_system.h"

#ifdef __linux__

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace picprog {

int PosixPpdevSystem::open_device(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    error = fd < 0 ? errno : 0;
    return fd;
}

int PosixPpdevSystem::ioctl(int fd, unsigned long request, void* argument, int& error) {
    const int result = ::ioctl(fd, request, argument);
    error = result < 0 ? errno : 0;
    return result;
}

void PosixPpdevSystem::close_device(int fd) { ::close(fd); }

std::optional<std::string> PosixPpdevSystem::read_text(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> PosixPpdevSystem::list_folder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

bool PosixPpdevSystem::exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace picprog

#endif  // __linux__
