#pragma once
// The control's drawing port on a GDI device context.
#include <windows.h>

#include "control/Canvas.h"

namespace zu::win {

class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc) : dc_(dc) {}
    void fillWhite(const Rect& r) override {
        const RECT rc{r.left, r.top, r.right, r.bottom};
        FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    void ellipse(const Rect& r) override { Ellipse(dc_, r.left, r.top, r.right, r.bottom); }

private:
    HDC dc_;
};

}  // namespace zu::win
