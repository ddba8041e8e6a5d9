#include "model/Snap.h"

#include <cmath>

#include "model/Element.h"
#include "model/Geometry.h"
#include "model/QuadrellDoc.h"

namespace {

constexpr int kGridStep = 100;
constexpr int kGridHalfColumns = 5;
constexpr int kGridHalfRows = 3;

// The editor keeps angles within 0..360; an angle from elsewhere is brought
// into that range so that a press still grabs the end it lies nearer to.
float NormalisedAngle(float angle) {
    if (!std::isfinite(angle) || (angle >= 0.0f && angle <= 360.0f)) return angle;
    float wrapped = std::fmod(angle, 360.0f);
    if (wrapped < 0.0f) wrapped += 360.0f;
    return wrapped;
}

// The start that puts the grabbed end on `target`; an element end, the
// origin or a grid point is met exactly, never rounded.
CPointF StartForTarget(CPointF current, CPointF target, int grabbedEnd, CPointF endOffset) {
    switch (grabbedEnd) {
        case GRAB_START:
            return target;
        case GRAB_END:
            return {target.x - endOffset.x, target.y - endOffset.y};
        default:
            return current;
    }
}

bool FindEndTarget(const CElement& other, const CElement& selected, CPoint mouse,
                   const CViewScale& view, CPointF& target) {
    if (&other == &selected) return false;
    if (other.HitStart(mouse, view)) {
        target = {other.GetStartX(), other.GetStartY()};
        return true;
    }
    if (other.HitEnd(mouse, view)) {
        target = {other.GetEndX(), other.GetEndY()};
        return true;
    }
    return false;
}

bool FindGridTarget(const CElement& other, CPoint mouse, CPoint originPixel, CPointF origin,
                    const CViewScale& view, const GridPoints& grid, CPointF& target) {
    for (const CPoint& point : grid) {
        if (other.HitGridPoint(mouse, originPixel.x + point.x, originPixel.y + point.y)) {
            target = {static_cast<float>(origin.x + view.ToMetres(point.x)),
                      static_cast<float>(origin.y + view.ToMetres(point.y))};
            return true;
        }
    }
    return false;
}

}  // namespace

GridPoints MakeGridPoints() {
    GridPoints grid{};
    std::size_t index = 0;
    for (int column = -kGridHalfColumns; column <= kGridHalfColumns; ++column) {
        for (int row = -kGridHalfRows; row <= kGridHalfRows; ++row) {
            grid[index++] = {column * kGridStep, row * kGridStep};
        }
    }
    return grid;
}

const char* SnapModeText(int snapMode) {
    switch (snapMode) {
        case SNAP_ALL:
            return "Snap On";
        case SNAP_GRID:
            return "Snap Grid";
        case SNAP_ELEMENT:
            return "Snap Element";
        default:
            return "Snap Off";
    }
}

CPointF GrabOffset(const CElement& element, CPointF press, const CViewScale& view) {
    return {view.TruncateToPixel(element.GetStartX() - press.x),
            view.TruncateToPixel(element.GetStartY() - press.y)};
}

int GrabbedEndAfterPress(const CElement& element, CPointF press, int previous) {
    const float midX = (element.GetStartX() + element.GetEndX()) / 2;
    const float midY = (element.GetStartY() + element.GetEndY()) / 2;
    const float px = press.x;
    const float py = press.y;
    const float angle = NormalisedAngle(element.GetAngle());

    if (angle == 0.0f || angle == 360.0f) return px < midX ? GRAB_START : GRAB_END;
    if (angle == 180.0f) return px > midX ? GRAB_START : GRAB_END;
    // y grows downwards, so between 0 and 180 degrees the end lies below the
    // start, and between 180 and 360 above it.
    if (angle > 0.0f && angle < 180.0f) {
        if (py < midY) return GRAB_START;
        if (py > midY) return GRAB_END;
    } else if (angle > 180.0f && angle < 360.0f) {
        if (py > midY) return GRAB_START;
        if (py < midY) return GRAB_END;
    }
    return previous;
}

CPointF SnapDragStart(const CQuadrellDoc& doc, const CElement& selected, CPoint mouse,
                      const CViewScale& view, CPointF grabOffset, int snapMode, int grabbedEnd,
                      CPoint origin, const GridPoints& grid) {
    const CPointF pointer = view.ToMetres(mouse);
    CPointF start{pointer.x + grabOffset.x, pointer.y + grabOffset.y};
    if (snapMode != SNAP_ALL && snapMode != SNAP_GRID && snapMode != SNAP_ELEMENT) return start;

    const bool isWire = selected.GetType() == ELEMENT_WIRE;
    const CPointF endOffset{isWire ? selected.GetEndX() - selected.GetStartX() : 0.0f,
                            isWire ? selected.GetEndY() - selected.GetStartY() : 0.0f};
    const CPointF originTarget{static_cast<float>(origin.x), static_cast<float>(origin.y)};
    const CPoint originPixel{TruncateToInt(view.PixelX(originTarget.x)),
                             TruncateToInt(view.PixelY(originTarget.y))};

    ElementPosition position = doc.GetFirstElementPosition();
    while (position) {
        const CElement& other = *doc.GetNextElement(position);
        CPointF target{};
        if (snapMode != SNAP_GRID && FindEndTarget(other, selected, mouse, view, target)) {
            return StartForTarget(start, target, grabbedEnd, endOffset);
        }
        if (snapMode == SNAP_ELEMENT) continue;
        if (other.HitOrigin(mouse, originPixel.x, originPixel.y)) {
            return StartForTarget(start, originTarget, grabbedEnd, endOffset);
        }
        // A grid point does not end the walk: an element end or the origin
        // found further down the list still wins over it.
        if (FindGridTarget(other, mouse, originPixel, originTarget, view, grid, target)) {
            start = StartForTarget(start, target, grabbedEnd, endOffset);
        }
    }
    return start;
}
