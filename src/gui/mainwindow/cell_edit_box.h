#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPointF>

namespace picprog {

// The in-place edit box. It draws its own text, with the font of the value
// it covers and from the same origin, so the typed digits sit exactly over
// the value's digits (a line edit's own margins and layout would shift
// them). A pale yellow back inside a blue frame sets it apart from the
// black-on-white tables and from the configuration labels of every theme.
class CellEditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CellEditBox(QWidget* parent = nullptr);

    // The left end of the first character and its baseline, in the box's
    // own pixels; x is fractional, as a fixed-width font's advance is.
    void set_text_origin(QPointF origin);
    QPointF text_origin() const { return origin_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF origin_;
};

// The box's fixed colours.
inline constexpr QColor kEditBoxBack{0xFF, 0xFF, 0xE0};
inline constexpr QColor kEditBoxText{0x00, 0x00, 0x00};
inline constexpr QColor kEditBoxFrame{0x00, 0x00, 0xFF};

}  // namespace picprog
