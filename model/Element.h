#pragma once

#include <string>

#include "model/DrawingSurface.h"
#include "model/Point.h"
#include "model/ViewScale.h"

enum ElementType { ELEMENT_WIRE = 0, ELEMENT_SOURCE = 1 };

// Modes of Draw: 0 draws visibly, 1 traces with a null pen (used while dragging).
inline constexpr int DRAW_NORMAL = 0;
inline constexpr int DRAW_TRACE = 1;

// Abstract base of the drawable elements. It holds every field either kind
// needs; a kind leaves the fields it does not use at 0. Elements are owned by
// the design document and are never copied.
class CElement {
  public:
    virtual ~CElement() = default;

    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    // Every value an edit can change, so that the edit can be taken back
    // exactly, to the last bit of each float.
    struct State {
        float length, radius, segments, angle, magnitude, phase;
        float x1, y1, z1, x2, y2, z2;
        bool operator==(const State&) const = default;
    };
    State GetState() const;
    void SetState(const State& state);

    int GetType() const { return m_type; }
    float GetLength() const { return m_length; }
    float GetRadius() const { return m_radius; }
    float GetSegments() const { return m_segments; }
    float GetAngle() const { return m_angle; }
    float GetMagnitude() const { return m_magnitude; }
    float GetPhase() const { return m_phase; }

    // Draws the element as `view` shows it, on a surface whose origin is the
    // client centre; the marks keep their size in pixels.
    virtual void Draw(CDrawingSurface& surface, bool highlight, int mode,
                      const CViewScale& view) const = 0;
    void Draw(CDrawingSurface& surface, bool highlight, int mode) const {
        Draw(surface, highlight, mode, CViewScale{});
    }
    // Wire: a = length, b = radius, c = segments, d = angle.
    // Source: a = magnitude, b = phase; c and d are ignored.
    virtual void SetProperties(CDrawingSurface& surface, float a, float b, float c, float d) = 0;
    // The hit tests take a pixel of `view`, and their tolerances are pixels;
    // without a view, at actual size, pixels and metres are one.
    virtual bool HitTest(CPoint pixel, const CViewScale& view) const = 0;
    virtual bool HitStart(CPoint pixel, const CViewScale& view) const = 0;
    virtual bool HitEnd(CPoint pixel, const CViewScale& view) const = 0;
    bool HitTest(CPoint point) const { return HitTest(point, CViewScale{}); }
    bool HitStart(CPoint point) const { return HitStart(point, CViewScale{}); }
    bool HitEnd(CPoint point) const { return HitEnd(point, CViewScale{}); }
    // Both kinds test the origin and grid points with the square of
    // half-size 15 around (x, y), whatever their own geometry.
    virtual bool HitOrigin(CPoint point, int x, int y) const;
    virtual bool HitGridPoint(CPoint point, int x, int y) const;
    virtual void MoveStartTo(CPointF point, CDrawingSurface& surface, bool dragging) = 0;
    virtual std::string GetCardText(int tag, int segment, int originX, int originY) const = 0;
    // A wire's two ends; a source's centre and the tips of its right and
    // upper arms.
    virtual float GetStartX() const { return m_x1; }
    virtual float GetStartY() const { return m_y1; }
    virtual float GetEndX() const { return m_x2; }
    virtual float GetEndY() const { return m_y2; }

  protected:
    explicit CElement(int type) : m_type(type) {}

    // The pen of Draw: red when highlighted in mode 0, null in mode 1, else
    // the kind's own colour.
    static Pen PenFor(bool highlight, int mode, PenColor normalColor);

    float m_length = 0;
    float m_radius = 0;
    float m_segments = 0;
    float m_angle = 0;
    float m_magnitude = 0;
    float m_phase = 0;
    int m_type = ELEMENT_WIRE;
    float m_x1 = 0;
    float m_y1 = 0;
    float m_z1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    float m_z2 = 0;
};
