#pragma once

#include <QLabel>

namespace picprog {

// A caption label of the main window: single-line border, centred text,
// colours from its palette (filled background), and a clicked() signal for
// the labels that start a command. A text too long for the label is shown
// in its short form when one is set and fits, else cut with "..." at its
// end (text() keeps all of it), so that its start, which says what
// happened, stays readable.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    // True when the whole text fits the label. Cheap for short texts, which
    // matters: the status line changes before every memory location.
    bool text_fits() const;
    // True when `text` fits the label on one line.
    bool fits(const QString& text) const;
    // The text shown in place of one that does not fit; "" to cut it.
    void set_short_text(const QString& text);

signals:
    // A left click that was pressed and released on the label.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
    QString short_text_;
};

}  // namespace picprog
