#include "gui/mainwindow/buffer_table.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <string_view>

#include "gui/mainwindow/buffer_text.h"

namespace picprog {
namespace {

constexpr double kTableFontPoints = 9.75;
constexpr auto kTableFontFamily = "Lucida Console";
// Space between the frame and the first character.
constexpr int kTextMarginPx = 2;

}  // namespace

QFont table_font() {
    QFont font = QFontDatabase::families().contains(kTableFontFamily)
                     ? QFont(kTableFontFamily)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(kTableFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

BufferTable::BufferTable(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFont(table_font());
    // The tables are not themed: black on white whatever the theme.
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
}

void BufferTable::set_text(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    update();
}

TextGrid BufferTable::text_grid() const {
    const QRect area = contentsRect().adjusted(kTextMarginPx, 0, 0, 0);
    const QFontMetrics metrics(font());
    const int pitch = std::min(metrics.lineSpacing(), area.height() / kTableRows);
    return {area.topLeft(), QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0')), pitch,
            std::max((pitch - metrics.height()) / 2, 0) + metrics.ascent()};
}

void BufferTable::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const TextGrid grid = text_grid();
    const int pitch = grid.row_pitch;
    const int baseline_offset = grid.baseline;

    std::string_view rest = text_;
    int row = 0;
    while (!rest.empty() || row == 0) {
        const size_t end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        painter.drawText(grid.origin.x(), grid.origin.y() + row * pitch + baseline_offset,
                         QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 2);
        ++row;
    }
}

}  // namespace picprog
