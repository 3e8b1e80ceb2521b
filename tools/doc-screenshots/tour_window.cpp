#include "tour_window.h"

#include <QApplication>
#include <cstdio>

#include "core/devices/device_loader.h"
#include "core/hardware/null_backend.h"
#include "core/hardware/traced_port.h"
#include "core/sim/simulated_programmer.h"
#include "gui/mainwindow/load_handler.h"
#include "gui/mainwindow/port_backends.h"
#include "gui/mainwindow/simulated_board.h"

namespace picprog::doc {
namespace {

constexpr double kMicrosecondsPerSecond = 1e6;
// The folder the program would start in; only the default of "Last Path".
constexpr auto kProgramFolder = "/usr/bin/";

}  // namespace

TourWindow::TourWindow(const std::filesystem::path& database, int model_index)
    : programmer_(std::make_unique<NullBackend>()) {
    DatabaseLoadResult loaded = load_device_database(database);
    if (loaded.status != DatabaseLoadStatus::Ok) {
        std::fprintf(stderr, "doc-screenshots: cannot use the device database %s\n",
                     database.string().c_str());
        return;
    }
    programmer_.database = std::move(loaded.database);
    settings_.save_setting(setting::kMicrocontrollerModel, std::to_string(model_index));
    programmer_.clock = [this] {
        return board_ != nullptr ? static_cast<double>(board_->now_us()) / kMicrosecondsPerSecond
                                 : 0.0;
    };

    PortBackendMakers makers;
    makers.simulated = [this](const CurrentModel& model, int32_t port_base) {
        std::unique_ptr<PortBackend> board = make_simulated_board(model, port_base, false);
        board_ = dynamic_cast<SimulatedProgrammer*>(board.get());
        return board;
    };
    makers.hardware = [] { return make_hardware_backend(); };

    window_ = std::make_unique<MainWindow>(
        programmer_, settings_, theme_,
        MainWindow::Services{boxes_, files_, [](int /*status*/) { QApplication::quit(); }});
    run_load_handler(*window_, programmer_, settings_, theme_, makers,
                     {kProgramFolder, /*simulated=*/true});
    QApplication::setActiveWindow(window_.get());
}

TourWindow::~TourWindow() = default;

std::string TourWindow::simulated_part() {
    if (board_ == nullptr ||
        dynamic_cast<SimulatedProgrammer*>(&programmer_.backend()) == nullptr) {
        return {};
    }
    return board_->chip().variant().name;
}

SimulatedProgrammer* TourWindow::board() {
    return dynamic_cast<SimulatedProgrammer*>(&untraced(programmer_.backend()));
}

}  // namespace picprog::doc
