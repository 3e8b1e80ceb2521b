#include "core/hardware/lpt_ports.h"

namespace picprog {

int port_number(int32_t port_base) {
    switch (port_base) {
        case kLpt1Base:
            return 1;
        case kLpt2Base:
            return 2;
        case kLpt3Base:
            return 3;
        default:
            return 0;
    }
}

std::string port_name(int32_t port_base) {
    const int number = port_number(port_base);
    if (number == 0) {
        return "Parallel port at address " + std::to_string(port_base);
    }
    return "Parallel port " + std::to_string(number);
}

std::string port_unavailable_text(int32_t port_base, std::string_view reason) {
    // Reasons may or may not end in a period; the sentence gets exactly one.
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) {
        reason.remove_suffix(1);
    }
    return port_name(port_base) + " not available: " + std::string(reason) + ".";
}

}  // namespace picprog
