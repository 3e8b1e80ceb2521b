#include "core/hardware/inpout_backend.h"

#include "core/hardware/real_time_waits.h"

namespace picprog {

InpOutBackend::InpOutBackend(std::unique_ptr<LibraryLoader> loader, int pointer_bits)
    : loader_(std::move(loader)), library_(pointer_bits == 64 ? "inpoutx64.dll" : "inpout32.dll") {}

std::string InpOutBackend::open(int32_t /*port_base*/) {
    if (is_open()) {
        return "";
    }
    tried_ = true;
    if (!loader_ || !loader_->load(library_)) {
        error_ =
            library_ + " not found (install InpOut and put " + library_ + " beside the program)";
        return error_;
    }
    // The library's exports are plain C functions; their addresses come back
    // as untyped pointers.
    out32_ = reinterpret_cast<Out32Function>(loader_->symbol("Out32"));
    inp32_ = reinterpret_cast<Inp32Function>(loader_->symbol("Inp32"));
    if (!is_open()) {
        out32_ = nullptr;
        inp32_ = nullptr;
        error_ = library_ + " has no Out32 / Inp32 functions (a wrong or damaged library)";
        return error_;
    }
    error_.clear();
    return error_;
}

std::vector<std::string> InpOutBackend::findings() {
    if (!is_open()) {
        open(0);
    }
    if (!is_open()) {
        return {"Port access library: " + error_ + "."};
    }
    return {"Port access library: " + library_ +
            " loaded; it reaches every I/O address, so any port base can be used."};
}

void InpOutBackend::write(int32_t address, uint8_t value) {
    if (!is_open() && !tried_) {
        open(address);
    }
    if (is_open()) {
        out32_(static_cast<short>(address), static_cast<short>(value));
    }
}

uint8_t InpOutBackend::read(int32_t address) {
    if (!is_open()) {
        return 0;
    }
    return static_cast<uint8_t>(inp32_(static_cast<short>(address)) & 0xFF);
}

void InpOutBackend::sleep_ms(int32_t ms) {
    real_sleep_ms(ms);
}
void InpOutBackend::delay_us(int32_t us) {
    real_delay_us(us);
}

}  // namespace picprog
