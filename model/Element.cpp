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

CElement::State CElement::GetState() const {
    return {m_length, m_radius, m_segments, m_angle, m_magnitude, m_phase,
            m_x1,     m_y1,     m_z1,       m_x2,    m_y2,        m_z2};
}

void CElement::SetState(const State& state) {
    m_length = state.length;
    m_radius = state.radius;
    m_segments = state.segments;
    m_angle = state.angle;
    m_magnitude = state.magnitude;
    m_phase = state.phase;
    m_x1 = state.x1;
    m_y1 = state.y1;
    m_z1 = state.z1;
    m_x2 = state.x2;
    m_y2 = state.y2;
    m_z2 = state.z2;
}
