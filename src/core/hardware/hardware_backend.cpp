#include "core/hardware/hardware_backend.h"

#include "core/hardware/inpout_backend.h"
#include "core/hardware/ppdev_backend.h"

namespace picprog {

std::unique_ptr<HardwareBackend> make_hardware_backend() {
#ifdef __linux__
    return std::make_unique<PpdevBackend>(std::make_unique<PosixPpdevSystem>());
#else
    return std::make_unique<InpOutBackend>(make_platform_library_loader(),
                                           static_cast<int>(sizeof(void*) * 8));
#endif
}

}  // namespace picprog
