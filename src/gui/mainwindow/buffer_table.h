#pragma once

#include <QFont>
#include <QFrame>
#include <string>

#include "gui/mainwindow/cell_hit.h"

namespace picprog {

// The fixed-width font of the buffer tables and the configuration values:
// "Lucida Console" where installed, else the system's fixed-width font,
// at 9.75 pt.
QFont table_font();

// A read-only text box showing one buffer table. Its whole text is replaced
// at every refresh; rows are separated by CR LF in the text and drawn at an
// even pitch so that eight rows always fit the box. It takes the keyboard
// focus only through the Tab key (and hands it on, see FocusRouting).
class BufferTable : public QFrame {
    Q_OBJECT
public:
    explicit BufferTable(QWidget* parent = nullptr);

    // Replaces the whole text.
    void set_text(std::string text);
    const std::string& text() const { return text_; }

    // Where the text is drawn, from the font's real metrics: in-place
    // editing finds the cell under the pointer with it, whatever font
    // stands in for the designed one.
    TextGrid text_grid() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string text_;
};

}  // namespace picprog
