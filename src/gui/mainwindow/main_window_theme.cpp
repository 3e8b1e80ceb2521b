#include "gui/mainwindow/main_window_theme.h"

#include <QWidget>

#include "gui/mainwindow/clickable_label.h"

namespace picprog {
namespace {

void set_colors(QWidget* widget, const QColor& back, const QColor& text) {
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, back);
    colors.setColor(QPalette::WindowText, text);
    widget->setPalette(colors);
}

}  // namespace

void apply_main_window_theme(MainWindowControls& c, const ColorTheme& theme) {
    QPalette client = c.client->palette();
    client.setColor(QPalette::Window, theme.window_back);
    c.client->setPalette(client);

    set_colors(c.label_ime, theme.name_back, theme.name_text);
    set_colors(c.label_info, theme.info_back, theme.info_text);
    set_colors(c.label3, theme.section_back, theme.section_text);
    set_colors(c.label4, theme.section_back, theme.section_text);
    set_colors(c.label1, theme.model_caption_back, theme.model_caption_text);
    set_colors(c.label5, theme.name_back, theme.name_text);
    set_colors(c.label7, theme.caption_back, theme.caption_text);
    for (ClickableLabel* caption : c.lfix) {
        set_colors(caption, theme.mark_back, theme.mark_text);
    }
    set_colors(c.label_hex, theme.field_back, theme.field_text);
    set_colors(c.label_status, theme.field_back, theme.field_text);
    for (ClickableLabel* value : c.label_conf) {
        set_colors(value, theme.field_back, theme.field_text);
    }
}

}  // namespace picprog
