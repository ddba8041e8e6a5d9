#include "model/Element.h"

#include "model/Geometry.h"

Pen CElement::PenFor(bool highlight, int mode, PenColor normalColor) {
    if (highlight && mode == DRAW_NORMAL) return Pen::Solid(kHighlightColor);
    if (mode == DRAW_TRACE) return Pen::Null();
    return Pen::Solid(normalColor);
}

bool CElement::HitOrigin(CPoint point, int x, int y) const {
    return SquareHitTest(point, static_cast<float>(x), static_cast<float>(y), 15.0f);
}

bool CElement::HitGridPoint(CPoint point, int x, int y) const {
    return SquareHitTest(point, static_cast<float>(x), static_cast<float>(y), 15.0f);
}
