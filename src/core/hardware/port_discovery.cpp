#include "core/hardware/port_discovery.h"

#include <algorithm>

#include "core/memory/decimal_text.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr const char* kParportProc = "/proc/sys/dev/parport";
constexpr const char* kUsbPrinterFolder = "/dev/usb";

bool is_port_name(const std::string& name) {
    return name.size() > 7 && name.starts_with("parport") &&
           std::all_of(name.begin() + 7, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<ParallelPort> find_parallel_ports(PpdevSystem& system) {
    std::vector<ParallelPort> ports;
    for (const std::string& name : system.list_folder(kParportProc)) {
        if (!is_port_name(name)) {
            continue;
        }
        // base-addr holds the base and the extended base, e.g. "888\t1912".
        const auto text = system.read_text(std::string(kParportProc) + "/" + name + "/base-addr");
        if (!text) {
            continue;
        }
        ports.push_back({name, leading_number(*text)});
    }
    std::sort(ports.begin(), ports.end(), [](const ParallelPort& a, const ParallelPort& b) {
        return leading_number(a.name.substr(7)) < leading_number(b.name.substr(7));
    });
    return ports;
}

std::vector<std::string> find_usb_printer_adapters(PpdevSystem& system) {
    std::vector<std::string> adapters;
    for (const std::string& name : system.list_folder(kUsbPrinterFolder)) {
        if (name.starts_with("lp")) {
            adapters.push_back(std::string(kUsbPrinterFolder) + "/" + name);
        }
    }
    std::sort(adapters.begin(), adapters.end());
    return adapters;
}

std::string port_address_text(int32_t base) {
    std::string digits = hex4(base);
    // Three digits suffice for every LPT address; keep more only when used.
    while (digits.size() > 3 && digits.front() == '0') {
        digits.erase(digits.begin());
    }
    return digits + "h";
}

}  // namespace picprog
