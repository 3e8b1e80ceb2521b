#include "screenshot_tour.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstdio>
#include <functional>

#include "core/sim/simulated_programmer.h"
#include "gui/dialogs/check_hardware_dialog.h"
#include "gui/dialogs/hardware_settings_dialog.h"
#include "gui/dialogs/input_box.h"
#include "gui/dialogs/message_box.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/select_model_dialog.h"
#include "gui/dialogs/theme_dialog.h"
#include "gui/mainwindow/buffer_table.h"
#include "gui/mainwindow/cell_hit.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/dialog_commands.h"
#include "gui/mainwindow/in_place_editor.h"
#include "modal_capture.h"
#include "tour_window.h"

namespace picprog::doc {
namespace {

// The tour starts as a first start does, with model 1 of the shipped
// database, and then chooses model 3, the part of the getting-started guide.
constexpr int kFirstModel = 1;
constexpr int kTourModel = 3;
constexpr auto kTourPart = "16F628A";
// The FLASH word that the tour edits before the failing Verify.
constexpr int kEditedRow = 0;
constexpr int kEditedColumn = 5;
constexpr auto kEditedValue = "985";

class Tour {
public:
    Tour(const TourPaths& paths, TourWindow& tour) : paths_(paths), tour_(tour) {}

    int run() {
        start_and_menus();
        dialogs();
        input_and_message_boxes();
        program_and_verify();
        edit_and_fail();
        overwrite_question();
        line_trace();
        chip_safety();
        return failures_;
    }

private:
    QString out(const char* name) const { return QDir(paths_.output_folder).filePath(name); }

    void saved(bool ok, const char* name) {
        std::printf("%s %s\n", ok ? "saved " : "FAILED", qPrintable(out(name)));
        if (!ok) {
            ++failures_;
        }
    }
    void shoot(QWidget& widget, const char* name) { saved(save_picture(widget, out(name)), name); }

    // Opens `menu` under its title in the menu bar and takes its picture.
    void shoot_menu(QMenu* menu, const char* name) {
        menu->popup(tour_.window().mapToGlobal(QPoint(0, 0)));
        shoot(*menu, name);
        menu->hide();
    }

    // Takes a picture of the modal window that `open` opens, then lets
    // `close` answer it.
    void shoot_modal(const char* name, const std::function<void()>& open,
                     const std::function<void(QWidget&)>& close) {
        bool seen = false;
        when_modal_opens([this, name, close, &seen](QWidget& modal) {
            seen = true;
            shoot(modal, name);
            close(modal);
        });
        open();
        if (!seen) {
            saved(false, name);
        }
    }

    static void reject(QWidget& modal) { static_cast<QDialog&>(modal).reject(); }
    static void press_first(QWidget& modal) {
        if (auto* box = qobject_cast<MessageBoxWindow*>(&modal); box != nullptr) {
            box->first_button()->click();
            return;
        }
        reject(modal);
    }

    void start_and_menus() {
        MainWindowControls& c = tour_.controls();
        shoot(tour_.window(), "main-window-start.png");
        shoot_menu(c.menu1, "menu-file.png");
        shoot_menu(c.menu3, "menu-tools.png");
        shoot_menu(c.menu4, "menu-hardware.png");
        shoot_menu(c.menu5, "menu-options.png");
        shoot_menu(c.menu6, "menu-help.png");
    }

    // Chooses the guide's model in the Select Microcontroller dialog, then
    // switches the simulated programmer off and on, so that its socket holds
    // that part, as the getting-started guide does.
    void choose_model() {
        MainWindowControls& c = tour_.controls();
        bool chosen = false;
        when_modal_opens([this, &chosen](QWidget& modal) {
            if (auto* dialog = qobject_cast<SelectModelDialog*>(&modal); dialog != nullptr) {
                QTest::mouseClick(dialog->option(kTourModel), Qt::LeftButton);
                shoot(modal, "select-model.png");
                dialog->select_button()->click();
                chosen = true;
                return;
            }
            reject(modal);
        });
        c.menumodel->trigger();
        if (!chosen) {
            saved(false, "select-model.png");
        }
        std::printf("simulated part after choosing the model: %s\n",
                    tour_.simulated_part().c_str());
        c.menusimulated->trigger();  // off: the parallel port
        c.menusimulated->trigger();  // on again, with the chosen part
        const std::string part = tour_.simulated_part();
        std::printf("simulated part after switching it off and on: %s\n", part.c_str());
        if (part != kTourPart) {
            ++failures_;
        }
    }

    void dialogs() {
        MainWindowControls& c = tour_.controls();
        choose_model();
        shoot_modal(
            "hardware-settings.png", [&] { c.menusettings->trigger(); }, reject);
        // With VDD switched on, as when measuring it.
        bool vdd_ticked = false;
        when_modal_opens([this, &vdd_ticked](QWidget& modal) {
            if (auto* dialog = qobject_cast<CheckHardwareDialog*>(&modal); dialog != nullptr) {
                dialog->line_check(0)->click();
                vdd_ticked = dialog->line_check(0)->isChecked();
                shoot(modal, "check-hardware.png");
            }
            reject(modal);
        });
        c.menucheck->trigger();
        if (!vdd_ticked) {
            saved(false, "check-hardware.png");
        }
        shoot_modal(
            "color-theme.png", [&] { c.menucolors->trigger(); }, reject);
    }

    void input_and_message_boxes() {
        MainWindowControls& c = tour_.controls();
        // The port number box, answered with a number it refuses.
        shoot_modal(
            "port-number.png", [&] { c.menuport->trigger(); },
            [this](QWidget& modal) {
                auto* box = qobject_cast<InputBoxWindow*>(&modal);
                if (box == nullptr) {
                    reject(modal);
                    return;
                }
                box->findChild<QLineEdit*>()->setText("4");
                when_modal_opens([this](QWidget& error) {
                    shoot(error, "wrong-entry.png");
                    press_first(error);
                });
                box->ok_button()->click();
            });
        shoot_modal(
            "programming-time.png", [&] { c.menuprogtime->trigger(); }, reject);
        shoot_modal(
            "pinout.png", [&] { c.menuportinfo->trigger(); }, press_first);
        shoot_modal(
            "about.png", [&] { c.menuabout->trigger(); }, press_first);
        shoot_modal(
            "port-diagnostics.png", [&] { c.menudiagnostics->trigger(); }, press_first);
    }

    void program_and_verify() {
        MainWindowControls& c = tour_.controls();
        tour_.files().open_answer = paths_.hex_file.string();
        c.menuopen->trigger();
        shoot(tour_.window(), "main-window-loaded.png");
        c.command[0]->click();  // Program All
        c.command[4]->click();  // Verify
        shoot(tour_.window(), "main-window.png");
    }

    void edit_and_fail() {
        MainWindowControls& c = tour_.controls();
        const QRect cell =
            cell_rect(c.tabla_flash->text_grid(), kFlashColumns, {kEditedRow, kEditedColumn});
        QTest::mouseClick(c.tabla_flash, Qt::RightButton, {}, cell.center());
        QLineEdit* box = tour_.window().editor().box();
        QTest::keyClicks(box, kEditedValue);
        // The FLASH heading and table with the open edit box.
        const QPoint top_left = c.label3->mapTo(&tour_.window(), QPoint(0, 0));
        const QPoint bottom_right =
            c.scrl1->mapTo(&tour_.window(), QPoint(c.scrl1->width() - 1, c.scrl1->height() - 1));
        saved(save_picture(tour_.window(), QRect(top_left, bottom_right), out("in-place-edit.png")),
              "in-place-edit.png");
        QTest::keyClick(box, Qt::Key_Return);
        shoot_modal(
            "verify-failed.png", [&] { c.command[4]->click(); }, press_first);
    }

    void overwrite_question() {
        MainWindowControls& c = tour_.controls();
        tour_.files().save_answer = paths_.hex_file.string();
        // Answered No: the sample stays as it is.
        shoot_modal(
            "overwrite-question.png", [&] { c.menusave->trigger(); },
            [](QWidget& modal) {
                if (auto* box = qobject_cast<MessageBoxWindow*>(&modal); box != nullptr) {
                    box->second_button()->click();
                    return;
                }
                reject(modal);
            });
    }

    void line_trace() {
        MainWindowControls& c = tour_.controls();
        const QString trace = QDir(paths_.work_folder).filePath("erase.vcd");
        tour_.files().trace_answer = trace.toStdString();
        c.menutrace->trigger();  // ticks it: recording starts
        c.command[2]->click();   // Erase All
        shoot_menu(c.menu4, "menu-hardware-recording.png");
        c.menutrace->trigger();  // unticks it: the file is finished
        const QFileInfo file(trace);
        std::printf("line trace %s: %lld bytes\n", qPrintable(trace),
                    static_cast<long long>(file.exists() ? file.size() : -1));
        if (!file.exists() || file.size() == 0) {
            ++failures_;
        }
    }

    // The chip checks: what Identify Chip says, the question when another
    // model's chip sits in the socket, and the question for a calibration
    // word lost before.
    void chip_safety() {
        MainWindowControls& c = tour_.controls();
        shoot_modal(
            "identify-chip.png", [&] { c.menuidentify->trigger(); }, press_first);
        Programmer& programmer = tour_.programmer();
        const int32_t socket_model = programmer.model.index;
        programmer.model.index = model_named(programmer.database, "PIC16F877A");
        select_model(programmer.model, programmer.database);
        shoot_modal(
            "wrong-chip.png", [&] { c.command[0]->click(); },
            [](QWidget& modal) {
                if (auto* box = qobject_cast<MessageBoxWindow*>(&modal); box != nullptr) {
                    box->second_button()->click();  // No
                    return;
                }
                reject(modal);
            });
        programmer.model.index = socket_model;
        select_model(programmer.model, programmer.database);

        tour_.window().dialog_commands().select_model_number(
            model_named(programmer.database, "PIC12F675"));
        if (SimulatedProgrammer* board = tour_.board(); board != nullptr) {
            board->chip().memory().set_program(0x3FF, 0x3FFF);
        }
        shoot_modal(
            "osccal-question.png", [&] { c.command[2]->click(); }, reject);
    }

    static int32_t model_named(const DeviceDatabase& database, std::string_view name) {
        for (int32_t n = 1; n <= database.model_count(); ++n) {
            if (database.model(n)->name == name) {
                return n;
            }
        }
        return 1;
    }

    const TourPaths& paths_;
    TourWindow& tour_;
    int failures_ = 0;
};

}  // namespace

int run_screenshot_tour(const TourPaths& paths) {
    TourWindow tour(paths.database, kFirstModel);
    if (!tour.ok()) {
        return 1;
    }
    return Tour(paths, tour).run();
}

}  // namespace picprog::doc
