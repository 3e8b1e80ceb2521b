#include "core/hardware/ppdev_backend.h"

#ifdef __linux__

#include <sys/ioctl.h>

// ppdev.h needs the ioctl macros above.
#include <linux/ppdev.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/hardware/lpt_ports.h"
#include "core/hardware/port_discovery.h"
#include "core/hardware/real_time_waits.h"

namespace picprog {
namespace {

constexpr int32_t kStatusOffset = 1;
constexpr int32_t kControlOffset = 2;

std::string list_of(const std::vector<ParallelPort>& ports) {
    std::string text;
    for (const ParallelPort& port : ports) {
        text += (text.empty() ? "" : ", ") + port.name + " at " + port_address_text(port.base);
    }
    return text;
}

std::string no_port_reason(PpdevSystem& system, int32_t base,
                           const std::vector<ParallelPort>& ports) {
    const std::string wanted = "no parallel port at " + port_address_text(base);
    if (!ports.empty()) {
        // Change Parallel Port Number offers the three standard addresses
        // only; a card elsewhere is chosen through the stored setting.
        const auto standard = std::find_if(ports.begin(), ports.end(), [](const ParallelPort& p) {
            return port_number(p.base) != 0;
        });
        const std::string advice =
            standard != ports.end()
                ? "choose it with Change Parallel Port Number"
                : "to use " + ports.front().name + ", set \"Parallel Port Address\" to " +
                      std::to_string(ports.front().base) + " in the program's settings";
        return wanted + " (found: " + list_of(ports) + "; " + advice + ")";
    }
    const auto usb = find_usb_printer_adapters(system);
    if (!usb.empty()) {
        return "no parallel port found; " + usb.front() +
               " is a USB printer adapter, which cannot switch single pins";
    }
    if (!system.exists("/proc/sys/dev/parport")) {
        return "no parallel port found (the parport driver is not loaded: "
               "sudo modprobe parport_pc ppdev)";
    }
    return "no parallel port found";
}

constexpr const char* kPermissionAdvice =
    "add yourself to the lp group: sudo usermod -aG lp $USER, then log in again; or give "
    "the ports to a group of yours with a udev rule such as "
    "KERNEL==\"parport[0-9]*\", GROUP=\"plugdev\", MODE=\"0660\"";

}  // namespace

PpdevBackend::PpdevBackend(std::unique_ptr<PpdevSystem> system) : system_(std::move(system)) {}

PpdevBackend::~PpdevBackend() {
    close();
}

void PpdevBackend::close() {
    if (fd_ >= 0) {
        int error = 0;
        system_->ioctl(fd_, PPRELEASE, nullptr, error);
        system_->close_device(fd_);
    }
    fd_ = -1;
    base_ = -1;
}

std::string PpdevBackend::open(int32_t port_base) {
    close();
    error_.clear();
    const std::vector<ParallelPort> ports = find_parallel_ports(*system_);
    const ParallelPort* match = nullptr;
    for (const ParallelPort& port : ports) {
        if (port.base == port_base) {
            match = &port;
            break;
        }
    }
    if (match == nullptr) {
        error_ = no_port_reason(*system_, port_base, ports);
    } else {
        const std::string device = "/dev/" + match->name;
        int error = 0;
        const int fd = system_->exists(device) ? system_->open_device(device, error) : -1;
        if (!system_->exists(device)) {
            error_ = device + " is missing (the ppdev driver is not loaded: sudo modprobe ppdev)";
        } else if (fd < 0 && (error == EACCES || error == EPERM)) {
            error_ = "permission denied on " + device + " (" + kPermissionAdvice + ")";
        } else if (fd < 0) {
            error_ = "cannot open " + device + ": " + std::strerror(error);
        } else if (system_->ioctl(fd, PPCLAIM, nullptr, error) != 0) {
            system_->close_device(fd);
            error_ = device +
                     " is held by another driver (unload the printer driver: "
                     "sudo modprobe -r lp)";
        } else {
            fd_ = fd;
            base_ = port_base;
        }
    }
    failed_base_ = error_.empty() ? -1 : port_base;
    return error_;
}

std::vector<std::string> PpdevBackend::findings() {
    std::vector<std::string> lines;
    const std::vector<ParallelPort> ports = find_parallel_ports(*system_);
    if (!ports.empty()) {
        lines.push_back("Parallel ports: " + list_of(ports) + ".");
    } else if (!system_->exists("/proc/sys/dev/parport")) {
        lines.push_back(
            "Parallel ports: none (the parport driver is not loaded: sudo modprobe parport_pc "
            "ppdev).");
    } else {
        lines.push_back("Parallel ports: none listed in /proc/sys/dev/parport.");
    }
    for (const ParallelPort& port : ports) {
        const std::string device = "/dev/" + port.name;
        if (fd_ >= 0 && port.base == base_) {
            lines.push_back(device + ": claimed by this program.");
            continue;
        }
        if (!system_->exists(device)) {
            lines.push_back(device +
                            ": missing (the ppdev driver is not loaded: sudo modprobe "
                            "ppdev).");
            continue;
        }
        // Opening without claiming tells whether the permissions allow it and
        // leaves the port to whoever holds it.
        int error = 0;
        const int fd = system_->open_device(device, error);
        if (fd >= 0) {
            system_->close_device(fd);
            lines.push_back(device + ": can be opened.");
        } else if (error == EACCES || error == EPERM) {
            lines.push_back(device + ": permission denied (" + kPermissionAdvice + ").");
        } else {
            lines.push_back(device + ": cannot be opened: " + std::strerror(error) + ".");
        }
    }
    if (system_->exists("/sys/module/lp")) {
        lines.push_back(
            "Printer driver lp: loaded; it claims the ports it finds (unload it: sudo modprobe "
            "-r lp).");
    }
    for (const std::string& adapter : find_usb_printer_adapters(*system_)) {
        lines.push_back("USB printer adapter " + adapter +
                        ": it can only print, it cannot switch single pins, so it cannot drive "
                        "a programmer.");
    }
    return lines;
}

void PpdevBackend::write(int32_t address, uint8_t value) {
    if (fd_ < 0 || (address != base_ && address != base_ + kControlOffset)) {
        if (address == failed_base_ || address == failed_base_ + kControlOffset) {
            return;
        }
        if (fd_ >= 0 && address == base_ + kStatusOffset) {
            return;
        }
        open(address);
        if (fd_ < 0) {
            return;
        }
    }
    int error = 0;
    unsigned char byte = value;
    system_->ioctl(fd_, address == base_ ? PPWDATA : PPWCONTROL, &byte, error);
}

uint8_t PpdevBackend::read(int32_t address) {
    if (fd_ < 0 || address != base_ + kStatusOffset) {
        return 0;
    }
    int error = 0;
    unsigned char byte = 0;
    if (system_->ioctl(fd_, PPRSTATUS, &byte, error) != 0) {
        return 0;
    }
    return byte;
}

void PpdevBackend::sleep_ms(int32_t ms) {
    real_sleep_ms(ms);
}
void PpdevBackend::delay_us(int32_t us) {
    real_delay_us(us);
}

}  // namespace picprog

#endif  // __linux__
