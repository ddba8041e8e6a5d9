#include "model/Geometry.h"

#include <cmath>
#include <limits>

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    if (value >= kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

bool RectHitTest(CPoint point, int left, int top, int right, int bottom) {
    return left <= point.x && point.x < right && top <= point.y && point.y < bottom;
}

bool SquareHitTest(CPoint point, float cx, float cy, float halfSize) {
    const float left = cx - halfSize;
    const float top = cy - halfSize;
    const float right = cx + halfSize;
    const float bottom = cy + halfSize;
    return RectHitTest(point, TruncateToInt(left), TruncateToInt(top), TruncateToInt(right),
                       TruncateToInt(bottom));
}

bool QuadrilateralHitTest(CPoint point, const std::array<CPoint, 4>& corners) {
    // Crossing count of a ray towards +x. An edge counts when it spans the
    // point's y half-open (lower end included), and a crossing counts only
    // strictly right of the point; together these put the left and top edges
    // of an upright rectangle inside and the right and bottom edges outside.
    const double px = point.x;
    const double py = point.y;
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const double xi = corners[i].x, yi = corners[i].y;
        const double xj = corners[j].x, yj = corners[j].y;
        if ((yi <= py) == (yj <= py)) continue;
        const double crossingX = xi + (py - yi) * (xj - xi) / (yj - yi);
        if (crossingX > px) inside = !inside;
    }
    return inside;
}
