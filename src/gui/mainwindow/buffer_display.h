#pragma once

#include "core/devices/current_model.h"
#include "core/memory/memory_image.h"
#include "gui/mainwindow/main_window_controls.h"

namespace picprog {

// Shows the memory image in the main window: the model name and sizes, the
// two tables at their scroll positions and the configuration words. Holds
// no copy of the image; every refresh rebuilds all of it.
class BufferDisplay {
public:
    // `controls`, `model` and `image` must outlive the display.
    BufferDisplay(MainWindowControls& controls, const CurrentModel& model,
                  const MemoryImage& image);

    // Rebuilds the model labels, both tables (from the rows their scroll
    // bars choose) and the configuration values; the second word and its
    // caption are shown only when the model uses it.
    void updatedisplay();

    // Brings both scroll bars back to row 0 and gives each the range of its
    // memory (see scroll_maximum); the tables then show their first rows.
    void reset_scroll_ranges();

private:
    MainWindowControls& controls_;
    const CurrentModel& model_;
    const MemoryImage& image_;
};

}  // namespace picprog
