#pragma once
// Port: the little drawing the control does in its container.

namespace zu {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void fillWhite(const Rect& r) = 0;         // the white stock brush
    virtual void ellipse(const Rect& r) = 0;           // current pen and brush
};

// White fill, then the ellipse inscribed in the same rectangle.
void drawControl(Canvas& canvas, const Rect& bounds);

}  // namespace zu
