#include "control/Canvas.h"

namespace zu {

void drawControl(Canvas& canvas, const Rect& bounds) {
    canvas.fillWhite(bounds);
    canvas.ellipse(bounds);
}

}  // namespace zu
