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

}  // namespace picprog
