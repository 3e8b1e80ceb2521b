#pragma once

#include <functional>
#include <memory>

#include "core/devices/current_model.h"
#include "core/devices/device_model.h"
#include "core/engine/algorithm_engine.h"
#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/hardware/port_backend.h"
#include "core/memory/memory_image.h"

namespace picprog {

// Seconds from an arbitrary start; only differences are used.
using SecondsClock = std::function<double()>;

// The one object that holds the program's long-lived state and wires it
// together: device database, current model, memory image, line settings and
// port shadow, line driver, algorithm engine and the active port back end.
// Front ends create one at start-up and pass it by reference.
class Programmer {
public:
    explicit Programmer(std::unique_ptr<PortBackend> backend);
    Programmer(const Programmer&) = delete;
    Programmer& operator=(const Programmer&) = delete;

    DeviceDatabase database;
    CurrentModel model;
    MemoryImage image;
    LineSettings line_settings;
    PortShadow shadow;

    LineDriver& driver() { return driver_; }
    AlgorithmEngine& engine() { return engine_; }
    PortBackend& backend() { return *backend_; }

    // Replaces the active back end; later port accesses go to the new one.
    void set_backend(std::unique_ptr<PortBackend> backend);
    // The same, handing back the back end that was active.
    std::unique_ptr<PortBackend> swap_backend(std::unique_ptr<PortBackend> backend);
    // Pump run by the line driver after every port transfer.
    void set_event_pump(EventPump pump) { driver_.set_event_pump(std::move(pump)); }

    // Makes model `index` current and blanks the image for it. Returns false
    // (changing nothing) when the index is not a model number.
    bool select(int32_t index);

    // A monotonic clock by default; tests set their own.
    SecondsClock clock;
    // True while a chip operation runs; a second request is then ignored.
    bool running = false;
    // Read the device ID before every operation (for models that give one);
    // off for boards that cannot read.
    bool check_device_id = true;

private:
    std::unique_ptr<PortBackend> backend_;
    LineDriver driver_;
    AlgorithmEngine engine_;
};

}  // namespace picprog
