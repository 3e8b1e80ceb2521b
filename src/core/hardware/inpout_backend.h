#pragma once

#include <memory>

#include "core/hardware/hardware_backend.h"
#include "core/hardware/library_loader.h"

namespace picprog {

// Reaches the port registers directly through the InpOut library on
// Windows: inpoutx64.dll in a 64-bit build, inpout32.dll in a 32-bit one,
// loaded at run time, with its Out32 and Inp32 functions.
class InpOutBackend : public HardwareBackend {
public:
    using Out32Function = void (*)(short address, short value);
    using Inp32Function = short (*)(short address);

    // `pointer_bits` picks the library name (64 or 32).
    InpOutBackend(std::unique_ptr<LibraryLoader> loader, int pointer_bits);

    // Loads the library on first use; any base address is accepted, since
    // the library reaches every I/O address.
    std::string open(int32_t port_base) override;
    bool is_open() const override { return out32_ != nullptr && inp32_ != nullptr; }
    std::string last_error() const override { return error_; }
    std::vector<std::string> findings() override;

    void write(int32_t address, uint8_t value) override;
    uint8_t read(int32_t address) override;
    void sleep_ms(int32_t ms) override;
    void delay_us(int32_t us) override;

    const std::string& library_name() const { return library_; }

private:
    std::unique_ptr<LibraryLoader> loader_;
    std::string library_;
    Out32Function out32_ = nullptr;
    Inp32Function inp32_ = nullptr;
    bool tried_ = false;
    std::string error_;
};

}  // namespace picprog
