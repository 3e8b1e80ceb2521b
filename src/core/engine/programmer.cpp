#include "core/engine/programmer.h"

#include <chrono>

namespace picprog {
namespace {

double monotonic_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Programmer::Programmer(std::unique_ptr<PortBackend> backend)
    : clock(monotonic_seconds),
      backend_(std::move(backend)),
      driver_(line_settings, shadow, *backend_),
      engine_(driver_, image, model) {}

void Programmer::set_backend(std::unique_ptr<PortBackend> backend) {
    backend_ = std::move(backend);
    driver_.set_backend(*backend_);
}

std::unique_ptr<PortBackend> Programmer::swap_backend(std::unique_ptr<PortBackend> backend) {
    std::unique_ptr<PortBackend> old = std::move(backend_);
    set_backend(std::move(backend));
    return old;
}

bool Programmer::select(int32_t index) {
    if (database.model(index) == nullptr) {
        return false;
    }
    model.index = index;
    select_model(model, database);
    image.blank_image(model);
    return true;
}

}  // namespace picprog
