#pragma once

#include <QRect>

#include "gui/dialogs/dialog_metrics.h"

namespace picprog {

// Window positions are designed in twips (kTwipsPerPixel to a logical
// pixel, shared with the dialogs).
constexpr int twips_to_pixels(int twips) {
    return twips / kTwipsPerPixel;
}

// Left, top, width and height in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline QRect to_pixels(const TwipRect& r) {
    return {twips_to_pixels(r.left), twips_to_pixels(r.top), twips_to_pixels(r.width),
            twips_to_pixels(r.height)};
}

}  // namespace picprog
