#include "gui/dialogs/message_box_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace picprog {
namespace {

// All shapes are laid out on the 48-pixel grid of the icon.
constexpr QRectF kDiscRect(3.0, 3.0, 42.0, 42.0);
constexpr qreal kDiscOutline = 1.5;
constexpr qreal kSymbolStroke = 5.5;

const QColor kBlueLight(0x6F, 0xA8, 0xF0);
const QColor kBlueDark(0x15, 0x4E, 0xA8);
const QColor kRedLight(0xF2, 0x6B, 0x5E);
const QColor kRedDark(0xB0, 0x1E, 0x16);
const QColor kGreenFill(0x2F, 0xB3, 0x3A);
const QColor kGreenEdge(0x17, 0x6E, 0x1F);

QPen round_pen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void draw_disc(QPainter& painter, const QColor& light, const QColor& dark) {
    QRadialGradient shade(kDiscRect.center() - QPointF(6.0, 8.0), kDiscRect.width() * 0.6);
    shade.setColorAt(0.0, light);
    shade.setColorAt(1.0, dark);
    painter.setPen(QPen(dark.darker(130), kDiscOutline));
    painter.setBrush(shade);
    painter.drawEllipse(kDiscRect);
}

void draw_check(QPainter& painter) {
    const QPointF stroke[] = {{9.0, 26.0}, {19.0, 37.0}, {40.0, 11.0}};
    painter.setBrush(Qt::NoBrush);
    painter.setPen(round_pen(kGreenEdge, 10.0));
    painter.drawPolyline(stroke, std::size(stroke));
    painter.setPen(round_pen(kGreenFill, 6.5));
    painter.drawPolyline(stroke, std::size(stroke));
}

void draw_question(QPainter& painter) {
    draw_disc(painter, kBlueLight, kBlueDark);
    QPainterPath hook;
    hook.arcMoveTo(QRectF(16.5, 10.0, 15.0, 14.0), 160.0);
    hook.arcTo(QRectF(16.5, 10.0, 15.0, 14.0), 160.0, -230.0);
    hook.quadTo(QPointF(24.0, 26.0), QPointF(24.0, 30.0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(round_pen(Qt::white, kSymbolStroke));
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(24.0, 37.0), 3.2, 3.2);
}

void draw_cross(QPainter& painter) {
    draw_disc(painter, kRedLight, kRedDark);
    painter.setPen(round_pen(Qt::white, kSymbolStroke + 0.5));
    painter.drawLine(QPointF(16.0, 16.0), QPointF(32.0, 32.0));
    painter.drawLine(QPointF(32.0, 16.0), QPointF(16.0, 32.0));
}

void draw_info(QPainter& painter) {
    draw_disc(painter, kBlueLight, kBlueDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(24.0, 14.5), 3.4, 3.4);
    painter.drawRoundedRect(QRectF(21.0, 21.0, 6.0, 16.0), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(18.5, 35.0, 11.0, 3.0), 1.0, 1.0);
}

}  // namespace

QPixmap draw_msg_icon(MsgIcon icon, qreal device_pixel_ratio) {
    if (icon == MsgIcon::None) {
        return {};
    }
    const int side = qRound(kMsgIconSize * device_pixel_ratio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(device_pixel_ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case MsgIcon::Ok:
            draw_check(painter);
            break;
        case MsgIcon::Question:
            draw_question(painter);
            break;
        case MsgIcon::Error:
            draw_cross(painter);
            break;
        case MsgIcon::Information:
            draw_info(painter);
            break;
        case MsgIcon::None:
            break;
    }
    return pixmap;
}

}  // namespace picprog
