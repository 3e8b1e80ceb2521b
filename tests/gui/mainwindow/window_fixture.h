#pragma once

// A main window over the fixture device database, an in-memory settings
// store, the simulated board on a virtual clock, and scripted message boxes
// and file choices, so that every command runs without a modal loop.

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/devices/device_loader.h"
#include "core/engine/programmer.h"
#include "core/hardware/null_backend.h"
#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"
#include "core/sim/simulated_programmer.h"
#include "gui/mainwindow/buffer_table.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/file_chooser.h"
#include "gui/mainwindow/load_handler.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/message_boxes.h"
#include "gui/mainwindow/port_backends.h"
#include "gui/mainwindow/simulated_board.h"

namespace picprog::gui_test {

inline std::filesystem::path fixture_database() {
    return std::filesystem::path(PICPROG_SOURCE_DIR) /
           "tests/gui/mainwindow/fixtures/picprogdevices.txt";
}

// Message boxes that record what they were asked and answer from a script.
class ScriptedBoxes : public MessageBoxes {
public:
    struct Box {
        std::string text;
        MsgKind kind;
        std::string title;
    };

    int msg_box(QWidget* /*parent*/, const ColorTheme& /*theme*/, std::string_view text,
                MsgKind kind, std::string_view title) override {
        boxes.push_back({std::string(text), kind, std::string(title)});
        if (on_box) {
            on_box();
        }
        if (answers.empty()) {
            return kind == MsgKind::YesNo ? kAnswerYes : 1;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string input_box(QWidget* /*parent*/, const ColorTheme& /*theme*/, std::string_view prompt,
                          std::string_view /*title*/, std::string_view default_text) override {
        prompts.push_back({std::string(prompt), std::string(default_text)});
        if (inputs.empty()) {
            return {};
        }
        std::string answer = inputs.front();
        inputs.pop_front();
        return answer;
    }

    std::vector<Box> boxes;
    std::deque<int> answers;
    // Input boxes asked (prompt, default text) and the answers to give.
    std::vector<std::pair<std::string, std::string>> prompts;
    std::deque<std::string> inputs;
    std::function<void()> on_box;  // runs while the box would be open
};

// File dialogs that answer with preset paths and record the folders.
class ScriptedFiles : public FileChooser {
public:
    std::string open_file(QWidget* /*parent*/, std::string_view folder) override {
        open_folders.emplace_back(folder);
        return open_answer;
    }
    std::string save_file(QWidget* /*parent*/, std::string_view folder) override {
        save_folders.emplace_back(folder);
        return save_answer;
    }

    std::string trace_file(QWidget* /*parent*/, std::string_view folder) override {
        trace_folders.emplace_back(folder);
        return trace_answer;
    }

    std::string open_answer;
    std::string save_answer;
    std::string trace_answer;
    std::vector<std::string> open_folders;
    std::vector<std::string> save_folders;
    std::vector<std::string> trace_folders;
};

// Passes every access to the board and runs a probe after each write, so a
// test can look at the window while an operation is in progress.
class ProbeBackend : public PortBackend {
public:
    explicit ProbeBackend(std::unique_ptr<PortBackend> inner) : inner_(std::move(inner)) {}

    void write(int32_t address, uint8_t value) override {
        inner_->write(address, value);
        ++writes;
        if (on_write) {
            on_write();
        }
    }
    uint8_t read(int32_t address) override { return inner_->read(address); }
    void sleep_ms(int32_t ms) override { inner_->sleep_ms(ms); }
    void delay_us(int32_t us) override { inner_->delay_us(us); }
    RuleViolations take_violations() override { return inner_->take_violations(); }

    int64_t writes = 0;
    std::function<void()> on_write;

private:
    std::unique_ptr<PortBackend> inner_;
};

// A hardware port that fails to open with a preset reason, or opens.
class FakeHardware : public HardwareBackend {
public:
    explicit FakeHardware(std::string reason) : reason_(std::move(reason)) {}
    std::string open(int32_t port_base) override {
        opened_at = port_base;
        if (open_log != nullptr) {
            open_log->push_back(port_base);
        }
        return reason_;
    }
    bool is_open() const override { return reason_.empty(); }
    std::string last_error() const override { return reason_; }
    std::vector<std::string> findings() override { return found; }
    void write(int32_t address, uint8_t value) override {
        if (write_log != nullptr) {
            write_log->push_back({address, value});
        }
    }
    uint8_t read(int32_t) override { return 0; }
    void sleep_ms(int32_t) override {}
    void delay_us(int32_t) override {}

    int32_t opened_at = 0;
    std::vector<std::string> found;
    // Where opens and writes are recorded; the fixture's logs outlive the port.
    std::vector<int32_t>* open_log = nullptr;
    std::vector<std::pair<int32_t, uint8_t>>* write_log = nullptr;

private:
    std::string reason_;
};

struct WindowFixture {
    WindowFixture() {
        programmer.database = load_device_database(fixture_database()).database;
        // Elapsed times follow the board's virtual clock.
        programmer.clock = [this] {
            return board != nullptr ? static_cast<double>(board->now_us()) / 1e6 : 0.0;
        };
    }

    PortBackendMakers makers() {
        PortBackendMakers m;
        m.simulated = [this](const CurrentModel& model, int32_t port_base) {
            auto board_backend = make_simulated_board(model, port_base, false);
            board = dynamic_cast<SimulatedProgrammer*>(board_backend.get());
            auto wrapped = std::make_unique<ProbeBackend>(std::move(board_backend));
            probe = wrapped.get();
            return std::unique_ptr<PortBackend>(std::move(wrapped));
        };
        m.hardware = [this] {
            auto port = std::make_unique<FakeHardware>(hardware_failure);
            port->found = hardware_findings;
            port->write_log = &hardware_writes;
            port->open_log = &hardware_opens;
            hardware = port.get();
            ++hardware_made;
            return std::unique_ptr<HardwareBackend>(std::move(port));
        };
        return m;
    }

    void preset(std::string_view name, std::string_view value) {
        store.write_string("", name, value);
    }

    // Builds the window and runs its load handler, as start-up does.
    void start(bool simulated = true) {
        window = std::make_unique<MainWindow>(
            programmer, settings, theme,
            MainWindow::Services{boxes, files, [this](int status) { quits.push_back(status); }});
        run_load_handler(*window, programmer, settings, theme, makers(),
                         {"/programs/picprog/", simulated});
        QApplication::setActiveWindow(window.get());
    }

    MainWindowControls& c() { return window->controls(); }
    std::string status() { return c().label_status->text().toStdString(); }
    std::string flash_text() { return c().tabla_flash->text(); }
    std::string stored(std::string_view name) {
        const auto value = store.value("", name);
        if (!value) {
            return "<missing>";
        }
        if (const auto* text = std::get_if<std::string>(&*value)) {
            return *text;
        }
        return "dword:" + std::to_string(std::get<int32_t>(*value));
    }

    MemoryBackend store;
    SettingsStore settings{store};
    Programmer programmer{std::make_unique<NullBackend>()};
    ThemeState theme;
    ScriptedBoxes boxes;
    ScriptedFiles files;
    std::vector<int> quits;
    std::string hardware_failure;
    std::vector<std::string> hardware_findings;
    std::vector<std::pair<int32_t, uint8_t>> hardware_writes;
    std::vector<int32_t> hardware_opens;
    int hardware_made = 0;
    SimulatedProgrammer* board = nullptr;
    ProbeBackend* probe = nullptr;
    FakeHardware* hardware = nullptr;
    // Last, so that it goes first: it refers to everything above.
    std::unique_ptr<MainWindow> window;
};

}  // namespace picprog::gui_test
