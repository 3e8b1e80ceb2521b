#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/hardware/ppdev_system.h"

namespace picprog {

// A parallel port the kernel knows, as /proc/sys/dev/parport lists it.
struct ParallelPort {
    std::string name;  // "parport0"
    int32_t base = 0;  // I/O base address
};

// Every parallel port with its base address, in the order of their numbers.
std::vector<ParallelPort> find_parallel_ports(PpdevSystem& system);

// USB printer adapters (/dev/usb/lp*), which can print but cannot drive
// single pins.
std::vector<std::string> find_usb_printer_adapters(PpdevSystem& system);

// "378h" style text of a base address.
std::string port_address_text(int32_t base);

}  // namespace picprog
