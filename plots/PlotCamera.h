#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "model/Point.h"

struct Vector3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// A projected point in window pixels from the centre of the drawing area, y
// growing downwards; still a float until it is drawn.
struct Point2f {
    float x = 0.0f;
    float y = 0.0f;
};

// The orbit camera of a result window: an orthographic view of the scene from
// an eye direction that orbits the origin. The screen's horizontal axis stays
// parallel to the X-Y plane, so Z is always upright on screen.
//
// Dragging with the left button turns the eye by 0.1 radian per pixel divided
// by the eye's length in elevation and by its distance from the Z axis in
// azimuth; the near side of the drawing follows the pointer. Every update of
// one drag starts again from the committed eye with the whole offset since
// the press, and the release makes the turn permanent. The committed eye is
// (1, 1, 1), of length sqrt(3), until the first release and of length 1
// afterwards, so the first drag of a window turns sqrt(3) times more slowly.
class PlotCamera {
  public:
    PlotCamera() = default;
    // A camera whose committed eye is `eye` rather than (1, 1, 1).
    explicit PlotCamera(const Vector3f& eye) : m_eye(eye) {}

    void OnLButtonDown(CPoint point);
    // A move with the left button held. False, and ignored, when the button
    // did not go down in this window.
    bool OnDrag(CPoint point);
    // Commits the view: the eye becomes the reverse of the view direction,
    // and the drag ends.
    void OnLButtonUp();

    // Works out the view direction and the screen axes from the committed
    // eye and the offset of the drag in progress, if any.
    void UpdateView();
    // Orthographic projection onto the screen, with the axes of the last
    // UpdateView: x across, y downwards.
    Point2f Project(const Vector3f& point) const;

    const Vector3f& Eye() const { return m_eye; }
    const Vector3f& View() const { return m_view; }

  private:
    Vector3f m_eye{1.0f, 1.0f, 1.0f};
    Vector3f m_view{1.0f, 1.0f, 1.0f};
    CPoint m_pressPoint;
    CPoint m_dragPoint;
    bool m_dragging = false;
    // The screen axes. When the view is parallel to Z the horizontal axis
    // cannot follow it and keeps its last direction; the first one is that
    // of the first view.
    Vector3f m_horizontal{-0.70710677f, 0.70710677f, 0.0f};
    Vector3f m_up{-0.40824828f, -0.40824828f, 0.81649655f};
};

// The three axes, each a segment 100 units long from the origin whatever the
// zoom, projected: X from point 0 to 1, Y from 2 to 3, Z from 4 to 5.
std::array<Point2f, 6> ProjectAxes(const PlotCamera& camera);

// A window's scale factor: Zoom In doubles it, Zoom Out halves it, Normal
// View returns it to its base. The pixel conversion keeps any scale drawable;
// only a step after which no zoom could bring the drawing back is not taken:
// Zoom In stops while the window's farthest point times the scale, and so
// every coordinate and projection of it, still lies well inside the float
// range, and Zoom Out stops before the scale becomes zero.
class PlotScale {
  public:
    // `extent`: how far the window's farthest point lies from the origin at
    // scale 1 (see FarthestExtent).
    PlotScale(float base, double extent);

    float Value() const { return m_value; }
    void ZoomIn() {
        if (2.0 * m_value <= m_largest) m_value = 2 * m_value;
    }
    void ZoomOut() {
        if (m_value / 2 > 0) m_value = m_value / 2;
    }
    void Reset() { m_value = m_base; }

  private:
    float m_base;
    float m_value;
    // The largest scale the window's points allow.
    double m_largest;
};

// The farthest from the origin of the points (x[i], y[i], z[i]); points with
// a coordinate that is not finite are never drawn and do not count.
double FarthestExtent(const std::vector<float>& x, const std::vector<float>& y,
                      const std::vector<float>& z);

// The part of the segment from (x0, y0) to (x1, y1) that lies inside the
// rectangle from (left, top) to (right, bottom), as the interval [enter,
// leave] of the parameter t of the point (x0, y0) + t (x1 - x0, y1 - y0);
// nothing when no part of it does.
std::optional<std::pair<double, double>> ClipInterval(double x0, double y0, double x1, double y1,
                                                      double left, double top, double right,
                                                      double bottom);

// A projected segment as pixels, truncated toward zero. The segment is first
// cut to a square far larger than any window, so that no coordinate overflows
// an int whatever the zoom; nothing when no part of it lies in that square or
// a coordinate is not finite.
std::optional<std::pair<CPoint, CPoint>> SegmentToPixels(Point2f from, Point2f to);
