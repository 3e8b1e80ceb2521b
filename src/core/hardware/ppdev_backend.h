#pragma once

#include <memory>

#include "core/hardware/hardware_backend.h"
#include "core/hardware/ppdev_system.h"

namespace picprog {

// Reaches a parallel port through the Linux ppdev driver: the port whose
// base address matches is found in /proc/sys/dev/parport, its
// /dev/parportN opened and claimed, and register accesses become the
// PPWDATA, PPRSTATUS and PPWCONTROL calls. No root and no raw port I/O.
class PpdevBackend : public HardwareBackend {
public:
    explicit PpdevBackend(std::unique_ptr<PpdevSystem> system);
    ~PpdevBackend() override;
    PpdevBackend(const PpdevBackend&) = delete;
    PpdevBackend& operator=(const PpdevBackend&) = delete;

    std::string open(int32_t port_base) override;
    bool is_open() const override { return fd_ >= 0; }
    std::string last_error() const override { return error_; }
    std::vector<std::string> findings() override;

    // Base + 0 goes to PPWDATA, base + 2 to PPWCONTROL; a write to another
    // address is taken as the data register of a new port base, which is
    // opened first. Other addresses are ignored.
    void write(int32_t address, uint8_t value) override;
    // Base + 1 answers PPRSTATUS; anything else 0.
    uint8_t read(int32_t address) override;
    void sleep_ms(int32_t ms) override;
    void delay_us(int32_t us) override;

    int32_t port_base() const { return base_; }
    // Releases and closes the port (also done on destruction).
    void close();

private:
    std::unique_ptr<PpdevSystem> system_;
    int fd_ = -1;
    int32_t base_ = -1;
    int32_t failed_base_ = -1;  // last base that could not be opened
    std::string error_;
};

}  // namespace picprog
