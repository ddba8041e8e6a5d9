#include "plots/PlotCamera.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Beyond this many pixels from the centre nothing of a window is visible.
constexpr double kPixelLimit = 1.0e6;

struct Point2d {
    double x = 0.0;
    double y = 0.0;
};

// Cuts the segment from `a` to `b`, both far out, to its part within twice
// the pixel limit of the centre, worked out along the line itself: with both
// ends far out, a parameter from either end has no digits left for where the
// line passes the window. The products of two floats are exact in double, so
// a line through the centre is found there however far out its ends are.
// False when the segment passes nowhere near.
bool CutToReach(Point2d& a, Point2d& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length)) return false;
    const double ux = dx / length;
    const double uy = dy / length;
    // The line's signed distance from the centre, and how far along it from
    // its nearest point each end lies.
    const double distance = (a.x * b.y - a.y * b.x) / length;
    const double reach = 2 * kPixelLimit;
    if (std::fabs(distance) >= reach) return false;
    const double half = std::sqrt(reach * reach - distance * distance);
    const double first = std::max(a.x * ux + a.y * uy, -half);
    const double last = std::min(b.x * ux + b.y * uy, half);
    if (first > last) return false;
    const Point2d nearest{distance * uy, -distance * ux};
    a = Point2d{nearest.x + first * ux, nearest.y + first * uy};
    b = Point2d{nearest.x + last * ux, nearest.y + last * uy};
    return true;
}

// A float as the model keeps it; beyond the float range, an infinity of the
// same sign rather than an undefined conversion.
float Stored(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest) return std::numeric_limits<float>::infinity();
    if (value < -kLargest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

double Length(const Vector3f& v) {
    return std::sqrt(double{v.x} * v.x + double{v.y} * v.y + double{v.z} * v.z);
}

}  // namespace

void PlotCamera::OnLButtonDown(CPoint point) {
    m_pressPoint = point;
    m_dragPoint = point;
    m_dragging = true;
}

bool PlotCamera::OnDrag(CPoint point) {
    if (!m_dragging) return false;
    m_dragPoint = point;
    return true;
}

void PlotCamera::OnLButtonUp() {
    m_eye = Vector3f{-m_view.x, -m_view.y, -m_view.z};
    m_dragging = false;
}

void PlotCamera::UpdateView() {
    const double dx = m_dragging ? m_dragPoint.x - m_pressPoint.x : 0;
    const double dy = m_dragging ? m_dragPoint.y - m_pressPoint.y : 0;

    // Worked in double from the stored eye, and only the view stored back as
    // floats: near a pole the azimuth turn divides by the tiny distance from
    // the Z axis, and single precision there turns the drawing round.
    // Elevation first: turn the eye within its vertical plane.
    const double r = Length(m_eye);
    const double theta = std::acos(m_eye.z / r) - (dy / 10) / r;
    const double phi = std::atan2(double{m_eye.y}, double{m_eye.x});
    double tx = r * std::sin(theta) * std::cos(phi);
    double ty = r * std::sin(theta) * std::sin(phi);
    const double tz = r * std::cos(theta);

    // Then azimuth, about the Z axis; on the axis itself there is no
    // azimuth to turn.
    const double rho = std::sqrt(tx * tx + ty * ty);
    if (rho > 0.0) {
        const double psi = std::atan2(ty, tx) - (dx / 10) / rho;
        tx = rho * std::cos(psi);
        ty = rho * std::sin(psi);
    }

    const double length = std::sqrt(tx * tx + ty * ty + tz * tz);
    if (!(length > 0.0) || !std::isfinite(length)) return;
    m_view = Vector3f{Stored(-tx / length), Stored(-ty / length), Stored(-tz / length)};

    const double vx = m_view.x;
    const double vy = m_view.y;
    const double vz = m_view.z;
    const double across = std::sqrt(vy * vy + vx * vx);
    if (across > 0.0) m_horizontal = Vector3f{Stored(vy / across), Stored(-vx / across), 0.0f};
    // Up = horizontal x view, so that the screen system is right-handed.
    const double hx = m_horizontal.x;
    const double hy = m_horizontal.y;
    const double hz = m_horizontal.z;
    m_up =
        Vector3f{Stored(hy * vz - hz * vy), Stored(hz * vx - hx * vz), Stored(hx * vy - hy * vx)};
}

Point2f PlotCamera::Project(const Vector3f& p) const {
    const Vector3f& h = m_horizontal;
    const Vector3f& u = m_up;
    const double x = double{p.x} * h.x + double{p.y} * h.y + double{p.z} * h.z;
    const double y = double{p.x} * u.x + double{p.y} * u.y + double{p.z} * u.z;
    return Point2f{Stored(x), Stored(-y)};
}

std::array<Point2f, 6> ProjectAxes(const PlotCamera& camera) {
    constexpr float kAxisLength = 100.0f;
    const Vector3f origin{};
    return {camera.Project(origin), camera.Project({kAxisLength, 0, 0}),
            camera.Project(origin), camera.Project({0, kAxisLength, 0}),
            camera.Project(origin), camera.Project({0, 0, kAxisLength})};
}

PlotScale::PlotScale(float base, double extent) : m_base(base), m_value(base) {
    // Half the float range is left as room for the projection's sums.
    const double room = std::numeric_limits<float>::max() / 2.0;
    m_largest = room / std::max(extent, 1.0);
}

double FarthestExtent(const std::vector<float>& x, const std::vector<float>& y,
                      const std::vector<float>& z) {
    double farthest = 0.0;
    const std::size_t count = std::min({x.size(), y.size(), z.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const double distance = Length(Vector3f{x[i], y[i], z[i]});
        if (std::isfinite(distance)) farthest = std::max(farthest, distance);
    }
    return farthest;
}

// Liang-Barsky: each side of the rectangle narrows the interval in turn.
std::optional<std::pair<double, double>> ClipInterval(double x0, double y0, double x1, double y1,
                                                      double left, double top, double right,
                                                      double bottom) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double enter = 0.0;
    double leave = 1.0;
    const auto clip = [&](double direction, double room) {
        if (direction == 0.0) return room >= 0.0;
        const double t = room / direction;
        if (direction < 0.0) {
            if (t > leave) return false;
            if (t > enter) enter = t;
        } else {
            if (t < enter) return false;
            if (t < leave) leave = t;
        }
        return true;
    };
    if (!clip(-dx, x0 - left) || !clip(dx, right - x0) || !clip(-dy, y0 - top) ||
        !clip(dy, bottom - y0)) {
        return std::nullopt;
    }
    return std::pair{enter, leave};
}

std::optional<std::pair<CPoint, CPoint>> SegmentToPixels(Point2f from, Point2f to) {
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) ||
        !std::isfinite(to.y)) {
        return std::nullopt;
    }
    const auto within = [](Point2f p) {
        return std::fabs(p.x) <= kPixelLimit && std::fabs(p.y) <= kPixelLimit;
    };
    if (within(from) && within(to)) {
        return std::pair{CPoint{static_cast<int>(from.x), static_cast<int>(from.y)},
                         CPoint{static_cast<int>(to.x), static_cast<int>(to.y)}};
    }
    Point2d a{from.x, from.y};
    Point2d b{to.x, to.y};
    if (!within(from) && !within(to) && !CutToReach(a, b)) return std::nullopt;
    const auto inside = [](Point2d p, Point2d q) {
        return ClipInterval(p.x, p.y, q.x, q.y, -kPixelLimit, -kPixelLimit, kPixelLimit,
                            kPixelLimit);
    };
    const auto forward = inside(a, b);
    const auto backward = inside(b, a);
    if (!forward || !backward) return std::nullopt;
    // An end that is cut is placed from the other end: far out, the
    // parameter seen from its own side has no digits left for the cut.
    const auto place = [](Point2d base, Point2d toward, double t) {
        const double x = base.x + t * (toward.x - base.x);
        const double y = base.y + t * (toward.y - base.y);
        return CPoint{static_cast<int>(std::clamp(x, -kPixelLimit, kPixelLimit)),
                      static_cast<int>(std::clamp(y, -kPixelLimit, kPixelLimit))};
    };
    const CPoint start = forward->first == 0.0 ? place(a, b, 0.0) : place(b, a, backward->second);
    const CPoint end = forward->second == 1.0 ? place(b, a, 0.0) : place(a, b, forward->second);
    return std::pair{start, end};
}
