#pragma once

#include <string>

#include "model/DrawingSurface.h"
#include "model/Point.h"

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

    int GetType() const { return m_type; }
    float GetLength() const { return m_length; }
    float GetRadius() const { return m_radius; }
    float GetSegments() const { return m_segments; }
    float GetAngle() const { return m_angle; }
    float GetMagnitude() const { return m_magnitude; }
    float GetPhase() const { return m_phase; }

    virtual void Draw(CDrawingSurface& surface, bool highlight, int mode) const = 0;
    // Wire: a = length, b = radius, c = segments, d = angle.
    // Source: a = magnitude, b = phase; c and d are ignored.
    virtual void SetProperties(CDrawingSurface& surface, float a, float b, float c, float d) = 0;
    virtual bool HitTest(CPoint point) const = 0;
    virtual bool HitStart(CPoint point) const = 0;
    virtual bool HitEnd(CPoint point) const = 0;
    virtual bool HitOrigin(CPoint point, int x, int y) const = 0;
    virtual bool HitGridPoint(CPoint point, int x, int y) const = 0;
    virtual void MoveStartTo(CPoint point, CDrawingSurface& surface, bool dragging) = 0;
    virtual std::string GetCardText(int tag, int segment, int originX, int originY) const = 0;
    virtual float GetStartX() const = 0;
    virtual float GetStartY() const = 0;
    virtual float GetEndX() const = 0;
    virtual float GetEndY() const = 0;

  protected:
    explicit CElement(int type) : m_type(type) {}

    // The pen of Draw: red when highlighted in mode 0, null in mode 1, else
    // the kind's own colour.
    static Pen PenFor(bool highlight, int mode, PenColor normalColor);

    // The origin and grid-point test shared by both kinds: the square of
    // half-size 15 around (x, y), whatever the element's own geometry.
    static bool HitSquare15(CPoint point, int x, int y);

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
