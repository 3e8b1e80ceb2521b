#include "gui/mainwindow/main_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "core/engine/chip_identity.h"
#include "gui/mainwindow/about_text.h"
#include "gui/mainwindow/buffer_display.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/dialog_commands.h"
#include "gui/mainwindow/file_commands.h"
#include "gui/mainwindow/focus_routing.h"
#include "gui/mainwindow/in_place_editor.h"
#include "gui/mainwindow/main_window_theme.h"
#include "gui/mainwindow/message_boxes.h"
#include "gui/mainwindow/wheel_hook.h"

namespace picprog {
namespace {

constexpr std::string_view kSimulatedCaptionSuffix = " - Simulated Programmer";

constexpr std::array<ChipOperation, kOperationButtons> kButtonOperations = {
    ChipOperation::ProgramAll, ChipOperation::ReadAll, ChipOperation::EraseAll,
    ChipOperation::BlankCheck, ChipOperation::Verify};

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Marks a file command as running for as long as it lasts.
class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

MainWindow::MainWindow(Programmer& programmer, SettingsStore& settings, ThemeState& theme,
                       Services services, QWidget* parent)
    : QMainWindow(parent),
      programmer_(programmer),
      settings_(settings),
      theme_(theme),
      services_(std::move(services)),
      controls_(build_main_window_controls(*this)),
      display_(std::make_unique<BufferDisplay>(controls_, programmer.model, programmer.image)) {
    setWindowTitle(q(kProductTitle));
    focus_ = new FocusRouting(controls_, this);
    editor_ = new InPlaceEditor(controls_, programmer_.model, programmer_.image,
                                {[this] { return busy(); },
                                 [this] {
                                     updatedisplay();
                                     controls_.label_hex->clear();
                                 }},
                                this);
    wheel_ = new WheelHook(
        *this, settings_, *controls_.scrl1, *controls_.scrl2,
        [this]() -> QScrollBar* {
            switch (focus_->focused_bar()) {
                case FocusedBar::Flash:
                    return controls_.scrl1;
                case FocusedBar::Eeprom:
                    return controls_.scrl2;
                case FocusedBar::None:
                    break;
            }
            return nullptr;
        },
        this);
    programmer_.set_event_pump([this] { pump_.run(); });
    connect_commands();
    dialogs_ = new DialogCommands(*this, programmer_, settings_, theme_, services_.boxes);
}

MainWindow::~MainWindow() {
    programmer_.set_event_pump({});
    // The edit box may lose the focus while the controls are torn down;
    // without its editor that no longer moves the focus to a deleted bar.
    delete editor_;
    editor_ = nullptr;
}

void MainWindow::connect_commands() {
    MainWindowControls& c = controls_;
    for (size_t i = 0; i < kButtonOperations.size(); ++i) {
        const ChipOperation operation = kButtonOperations[i];
        connect(c.command[i], &QPushButton::clicked, this,
                [this, operation] { run_operation(operation); });
        connect(c.tools[i], &QAction::triggered, this,
                [this, operation] { run_operation(operation); });
    }
    connect(c.menuidentify, &QAction::triggered, this, &MainWindow::identify_chip_command);
    connect(c.menucheckid, &QAction::toggled, this,
            [this](bool on) { set_safety_option(setting::kCheckDeviceId, on); });
    connect(c.menuverifyafter, &QAction::toggled, this,
            [this](bool on) { set_safety_option(setting::kVerifyAfterProgramming, on); });
    connect(c.menuclear, &QAction::triggered, this, &MainWindow::clear_buffer_command);
    connect(c.menuopen, &QAction::triggered, this, &MainWindow::open_hex_file);
    connect(c.label7, &ClickableLabel::clicked, this, &MainWindow::open_hex_file);
    connect(c.label_hex, &ClickableLabel::clicked, this, &MainWindow::open_hex_file);
    connect(c.menusave, &QAction::triggered, this, &MainWindow::save_buffer_as);
    connect(c.menuabout, &QAction::triggered, this, &MainWindow::show_about);
    // Scrolling only changes which rows are shown, so it stays live even
    // while an operation runs.
    connect(c.scrl1, &QScrollBar::valueChanged, this, [this] { updatedisplay(); });
    connect(c.scrl2, &QScrollBar::valueChanged, this, [this] { updatedisplay(); });
}

void MainWindow::set_commands_enabled(bool enabled) {
    for (QMenu* menu : controls_.menus()) {
        menu->menuAction()->setEnabled(enabled);
    }
    for (QPushButton* button : controls_.command) {
        button->setEnabled(enabled);
    }
}

void MainWindow::disable() {
    set_commands_enabled(false);
    pump_.run();
}

void MainWindow::enable() {
    set_commands_enabled(true);
    pump_.run();
}

void MainWindow::set_status(std::string_view text) {
    set_status(StatusText{std::string(text), {}});
}

void MainWindow::set_status(const StatusText& line) {
    ClickableLabel* status = controls_.label_status;
    status->setText(q(line.text));
    if (status->text_fits()) {
        status->set_short_text({});
        status->setToolTip({});
        return;
    }
    // A long message shows its short form; the tip shows all of it.
    const std::string summary =
        !line.summary.empty()
            ? line.summary
            : status_summary(line.text, [status](auto part) { return status->fits(q(part)); });
    status->set_short_text(q(summary));
    status->setToolTip(status->text());
}

void MainWindow::updatedisplay() {
    display_->updatedisplay();
}

int MainWindow::msg_box(std::string_view text, MsgKind kind, std::string_view title) {
    return services_.boxes.msg_box(this, theme_.theme, text, kind,
                                   title.empty() ? kProductTitle : title);
}

void MainWindow::pump_events() {
    pump_.run();
}

void MainWindow::fatal_exit() {
    // The engine has already shown the message and stops at once; the
    // window closes as soon as the operation has returned.
    fatal_ = true;
}

void MainWindow::clear_buffer() {
    disable();
    programmer_.image.blank_image(programmer_.model);
    updatedisplay();
    controls_.label_hex->clear();
    set_status(std::string_view{});
    enable();
    display_->reset_scroll_ranges();
    controls_.scrl2->setFocus(Qt::OtherFocusReason);
    controls_.scrl1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::clear_buffer_command() {
    if (busy()) {
        return;
    }
    clear_buffer();
}

void MainWindow::settheme() {
    apply_main_window_theme(controls_, theme_.theme);
}

void MainWindow::show_centred() {
    adjustSize();
    if (const QScreen* where = screen()) {
        move(where->availableGeometry().center() - rect().center());
    }
    show();
}

void MainWindow::set_simulated(bool simulated) {
    std::string caption(kProductTitle);
    if (simulated) {
        caption += kSimulatedCaptionSuffix;
    }
    setWindowTitle(q(caption));
}

void MainWindow::set_label_hex(std::string_view text) {
    controls_.label_hex->setText(q(text));
}

bool MainWindow::busy() const {
    return programmer_.running || file_command_running_ || fatal_;
}

void MainWindow::run_operation(ChipOperation operation) {
    if (busy()) {
        return;
    }
    const OperationResult result = run_chip_operation(programmer_, operation, *this);
    if (operation == ChipOperation::ProgramAll && result.outcome == OperationOutcome::Passed &&
        controls_.menuverifyafter->isChecked() && !close_requested_ && !fatal_) {
        run_chip_operation(programmer_, ChipOperation::Verify, *this);
    }
    if (fatal_) {
        close_requested_ = true;
        close();
        services_.quit(kFatalExitStatus);
        return;
    }
    if (close_requested_) {
        close();
    }
}

void MainWindow::identify_chip_command() {
    if (busy()) {
        return;
    }
    BusyFlag flag(file_command_running_);
    disable();
    set_status("Identifying the chip...");
    pump_events();
    const ChipIdentity identity = identify_chip(programmer_);
    enable();
    const std::string text = identity_text(identity, programmer_.database);
    set_status(text);
    if (identity.answer != ChipAnswer::Known || identity.model == programmer_.model.index) {
        msg_box(text, identity.answer == ChipAnswer::NoChip ? MsgKind::Error : MsgKind::Information,
                "Identify Chip");
        return;
    }
    const std::string other = programmer_.database.model(identity.model)->name;
    if (msg_box(text + "\r\n\r\nThe selected model is " + programmer_.model.name + ". Select " +
                    other + "?",
                MsgKind::YesNo, "Identify Chip") == kAnswerYes) {
        dialogs_->select_model_number(identity.model);
    }
}

void MainWindow::load_safety_options() {
    const bool check = settings_.get_setting(setting::kCheckDeviceId, "1") != "0";
    const bool verify = settings_.get_setting(setting::kVerifyAfterProgramming, "1") != "0";
    controls_.menucheckid->setChecked(check);
    controls_.menuverifyafter->setChecked(verify);
    programmer_.check_device_id = check;
}

void MainWindow::set_safety_option(std::string_view name, bool on) {
    settings_.save_setting(name, on ? "1" : "0");
    if (name == setting::kCheckDeviceId) {
        programmer_.check_device_id = on;
    }
}

std::string MainWindow::input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) {
    return services_.boxes.input_box(this, theme_.theme, prompt, title, default_text);
}

FileCommandContext MainWindow::file_command_context() {
    return {this,
            services_.files,
            settings_,
            last_path_,
            programmer_,
            *this,
            [this](std::string_view text) { set_label_hex(text); }};
}

void MainWindow::open_hex_file() {
    if (busy()) {
        return;
    }
    BusyFlag flag(file_command_running_);
    FileCommandContext context = file_command_context();
    picprog::open_hex_file(context);
}

void MainWindow::save_buffer_as() {
    if (busy()) {
        return;
    }
    BusyFlag flag(file_command_running_);
    FileCommandContext context = file_command_context();
    picprog::save_buffer_as(context);
}

void MainWindow::show_about() {
    msg_box(about_text(), MsgKind::Ok, kProductTitle);
}

bool MainWindow::wheel_enabled() const {
    return wheel_->installed();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            wheel_->install();
        } else {
            wheel_->remove();
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (programmer_.running) {
        // Let the run end cleanly first: it stops before its next
        // instruction and powers the chip down; run_operation then closes.
        programmer_.engine().request_stop();
        close_requested_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace picprog
