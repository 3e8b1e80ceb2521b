#pragma once

#include <QPixmap>

#include "gui/dialogs/message_box.h"

namespace picprog {

// Side of a message box icon, in logical pixels.
inline constexpr int kMsgIconSize = 48;

// The icon for `icon`, kMsgIconSize square, drawn for `device_pixel_ratio`:
// a green check mark; a white question mark on a blue disc; a white cross on
// a red disc; a white "i" on a blue disc. None gives a null pixmap.
QPixmap draw_msg_icon(MsgIcon icon, qreal device_pixel_ratio);

}  // namespace picprog
