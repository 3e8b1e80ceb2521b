#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "core/devices/current_model.h"
#include "core/memory/memory_image.h"
#include "gui/mainwindow/cell_edit_box.h"
#include "gui/mainwindow/main_window_controls.h"

namespace picprog {

// Edits one FLASH word, EEPROM byte or configuration word in place: a
// right click on a table cell, or a click on a configuration value, opens
// a small edit box exactly over the value. Enter stores a valid value (up
// to 3FFFh for words, FFh for bytes; "5" reads as 0005) and refreshes the
// window; Escape or leaving the box closes it without storing. A rejected
// value is dropped without a message.
class InPlaceEditor : public QObject {
    Q_OBJECT
public:
    enum class Target { None = 0, Flash = 1, Eeprom = 2, Config = 3 };

    // What the editor needs of the window beyond its controls.
    struct Hooks {
        // True while an operation runs: nothing opens then.
        std::function<bool()> busy;
        // Runs after a value was stored: refresh and empty the file label.
        std::function<void()> stored;
    };

    // Creates the (hidden) box inside the window's client area and watches
    // the tables and configuration labels. References must outlive it.
    InPlaceEditor(MainWindowControls& controls, const CurrentModel& model, MemoryImage& image,
                  Hooks hooks, QObject* parent = nullptr);

    CellEditBox* box() const { return box_; }
    Target target() const { return target_; }
    // FLASH word or EEPROM byte address, or 1 / 2 for the configuration words.
    int32_t index() const { return index_; }

    // Opens the box over the cell of `target`'s table (Flash or Eeprom) at
    // `point` in the table's pixels. False when no location lies there.
    bool open_at(Target target, QPoint point);
    // Opens the box over configuration value `i` (0 or 1); the second only
    // while the model uses it.
    void open_config(int i);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the box at `client_rect` with its text starting at `origin`
    // (box pixels), in `font`.
    void show_box(const QRect& client_rect, QPointF origin, const QFont& font, int max_length);
    void commit();
    void close_box();

    MainWindowControls& controls_;
    const CurrentModel& model_;
    MemoryImage& image_;
    Hooks hooks_;
    CellEditBox* box_ = nullptr;
    Target target_ = Target::None;
    int32_t index_ = 0;
    bool closing_ = false;
};

// The value typed into the edit box: upper-cased, padded in front with
// "000", its last four characters read as hexadecimal; -1 when those are
// not four hexadecimal digits. "" is -1 too.
int32_t edited_value(std::string_view text);

}  // namespace picprog
