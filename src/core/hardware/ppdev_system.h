#pragma once

#include <optional>
#include <string>
#include <vector>

namespace picprog {

// The few operating-system calls the ppdev back end makes, behind one seam
// so tests can play any machine: ports present or not, permissions, a
// driver holding the port.
class PpdevSystem {
public:
    virtual ~PpdevSystem() = default;

    // open(2) with O_RDWR; a descriptor, or -1 with the errno in `error`.
    virtual int open_device(const std::string& path, int& error) = 0;
    // ioctl(2); 0 on success, else -1 with the errno in `error`.
    virtual int ioctl(int fd, unsigned long request, void* argument, int& error) = 0;
    virtual void close_device(int fd) = 0;
    // The whole text of a small file (proc and sys entries), or nullopt.
    virtual std::optional<std::string> read_text(const std::string& path) = 0;
    // Names of the entries of a folder (empty when it does not exist).
    virtual std::vector<std::string> list_folder(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
};

// The real calls of this machine.
class PosixPpdevSystem : public PpdevSystem {
public:
    int open_device(const std::string& path, int& error) override;
    int ioctl(int fd, unsigned long request, void* argument, int& error) override;
    void close_device(int fd) override;
    std::optional<std::string> read_text(const std::string& path) override;
    std::vector<std::string> list_folder(const std::string& path) override;
    bool exists(const std::string& path) override;
};

}  // namespace picprog
