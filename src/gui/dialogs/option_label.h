#pragma once

#include <QLabel>

namespace picprog {

// A bordered label with centred text that acts on a left click and a
// double-click: the options of the model and theme lists and the
// "Change Pin" labels.
class OptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit OptionLabel(const QString& text, QWidget* parent = nullptr);

signals:
    // Left button pressed and released over the label.
    void clicked();
    // Second press of a double-click, after clicked() for the first one.
    void double_clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace picprog
