#include "gui/mainwindow/buffer_display.h"

#include <QScrollBar>

#include "core/memory/hex_text.h"
#include "gui/mainwindow/buffer_table.h"
#include "gui/mainwindow/buffer_text.h"
#include "gui/mainwindow/clickable_label.h"

namespace picprog {

BufferDisplay::BufferDisplay(MainWindowControls& controls, const CurrentModel& model,
                             const MemoryImage& image)
    : controls_(controls), model_(model), image_(image) {}

void BufferDisplay::updatedisplay() {
    MainWindowControls& c = controls_;
    c.label_ime->setText(QString::fromStdString(model_.name));
    c.label_info->setText(QString::fromStdString(model_info_text(model_)));

    c.tabla_flash->set_text(model_.flash_size > 0 ? flash_table_text(image_.flash, c.scrl1->value())
                                                  : std::string());
    c.tabla_eeprom->set_text(model_.eeprom_size > 0
                                 ? eeprom_table_text(image_.eeprom, c.scrl2->value())
                                 : std::string());

    c.label_conf[0]->setText(QString::fromStdString(hex4(image_.config[1])));
    if (model_.config2_used) {
        c.label_conf[1]->setText(QString::fromStdString(hex4(image_.config[2])));
    } else {
        c.label_conf[1]->clear();
    }
    c.label_conf[1]->setVisible(model_.config2_used);
    c.lfix[1]->setVisible(model_.config2_used);
}

void BufferDisplay::reset_scroll_ranges() {
    // Setting the maximum to 0 first also brings both values back to 0.
    controls_.scrl1->setMaximum(0);
    controls_.scrl2->setMaximum(0);
    if (model_.flash_size > 0) {
        controls_.scrl1->setMaximum(scroll_maximum(model_.flash_size));
    }
    if (model_.eeprom_size > 0) {
        controls_.scrl2->setMaximum(scroll_maximum(model_.eeprom_size));
    }
}

}  // namespace picprog
