#include "model/Snap.h"

#include <cmath>

#include "model/Element.h"
#include "model/Geometry.h"
#include "model/QuadrellDoc.h"

namespace {

constexpr int kGridStep = 100;
constexpr int kGridHalfColumns = 5;
constexpr int kGridHalfRows = 3;

struct SnapTarget {
    float x;
    float y;
};

// The editor keeps angles within 0..360; an angle from elsewhere is brought
// into that range so that a press still grabs the end it lies nearer to.
float NormalisedAngle(float angle) {
    if (!std::isfinite(angle) || (angle >= 0.0f && angle <= 360.0f)) return angle;
    float wrapped = std::fmod(angle, 360.0f);
    if (wrapped < 0.0f) wrapped += 360.0f;
    return wrapped;
}

CPoint StartForTarget(CPoint current, SnapTarget target, int grabbedEnd, SnapTarget endOffset) {
    switch (grabbedEnd) {
        case GRAB_START:
            return {TruncateToInt(target.x), TruncateToInt(target.y)};
        case GRAB_END: {
            // Placing the start so that the end lands on the target.
            const float x = target.x - endOffset.x;
            const float y = target.y - endOffset.y;
            return {TruncateToInt(x), TruncateToInt(y)};
        }
        default:
            return current;
    }
}

bool FindEndTarget(const CElement& other, const CElement& selected, CPoint mouse,
                   SnapTarget& target) {
    if (&other == &selected) return false;
    if (other.HitStart(mouse)) {
        target = {other.GetStartX(), other.GetStartY()};
        return true;
    }
    if (other.HitEnd(mouse)) {
        target = {other.GetEndX(), other.GetEndY()};
        return true;
    }
    return false;
}

bool FindGridTarget(const CElement& other, CPoint mouse, const GridPoints& grid,
                    SnapTarget& target) {
    for (const CPoint& point : grid) {
        if (other.HitGridPoint(mouse, point.x, point.y)) {
            target = {static_cast<float>(point.x), static_cast<float>(point.y)};
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

CPoint GrabOffset(const CElement& element, CPoint press) {
    const float dx = element.GetStartX() - static_cast<float>(press.x);
    const float dy = element.GetStartY() - static_cast<float>(press.y);
    return {TruncateToInt(dx), TruncateToInt(dy)};
}

int GrabbedEndAfterPress(const CElement& element, CPoint press, int previous) {
    const float midX = (element.GetStartX() + element.GetEndX()) / 2;
    const float midY = (element.GetStartY() + element.GetEndY()) / 2;
    const float px = static_cast<float>(press.x);
    const float py = static_cast<float>(press.y);
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

CPoint SnapDragStart(const CQuadrellDoc& doc, const CElement& selected, CPoint mouse,
                     CPoint grabOffset, int snapMode, int grabbedEnd, CPoint origin,
                     const GridPoints& grid) {
    // Added in double so that an offset clamped from a wild deck coordinate
    // cannot overflow.
    CPoint start{TruncateToInt(static_cast<double>(mouse.x) + grabOffset.x),
                 TruncateToInt(static_cast<double>(mouse.y) + grabOffset.y)};
    if (snapMode != SNAP_ALL && snapMode != SNAP_GRID && snapMode != SNAP_ELEMENT) return start;

    const bool isWire = selected.GetType() == ELEMENT_WIRE;
    const SnapTarget endOffset{isWire ? selected.GetEndX() - selected.GetStartX() : 0.0f,
                               isWire ? selected.GetEndY() - selected.GetStartY() : 0.0f};
    const SnapTarget originTarget{static_cast<float>(origin.x), static_cast<float>(origin.y)};

    ElementPosition position = doc.GetFirstElementPosition();
    while (position) {
        const CElement& other = *doc.GetNextElement(position);
        SnapTarget target{};
        if (snapMode != SNAP_GRID && FindEndTarget(other, selected, mouse, target)) {
            return StartForTarget(start, target, grabbedEnd, endOffset);
        }
        if (snapMode == SNAP_ELEMENT) continue;
        if (other.HitOrigin(mouse, origin.x, origin.y)) {
            return StartForTarget(start, originTarget, grabbedEnd, endOffset);
        }
        // A grid point does not end the walk: an element end or the origin
        // found further down the list still wins over it.
        if (FindGridTarget(other, mouse, grid, target)) {
            start = StartForTarget(start, target, grabbedEnd, endOffset);
        }
    }
    return start;
}
