#include "model/Source.h"

#include <cmath>

#include "model/CardNumber.h"
#include "model/Geometry.h"

namespace {

constexpr float kArmLength = 5.0f;

}  // namespace

CSource::CSource(float x, float y, float z, float magnitude, float phase)
    : CElement(ELEMENT_SOURCE) {
    m_x1 = x;
    m_y1 = y;
    m_z1 = z;
    m_z2 = z;
    PlaceArms();
    m_magnitude = magnitude;
    m_phase = phase;
}

void CSource::PlaceArms() {
    m_x2 = m_x1 + kArmLength;
    m_y2 = m_y1 - kArmLength;
    m_x3 = m_x1 - kArmLength;
    m_y3 = m_y1 + kArmLength;
}

void CSource::DrawArms(CDrawingSurface& surface) const {
    surface.MoveTo(TruncateToInt(m_x1), TruncateToInt(m_y2));
    surface.LineTo(TruncateToInt(m_x1), TruncateToInt(m_y3));
    surface.MoveTo(TruncateToInt(m_x2), TruncateToInt(m_y1));
    surface.LineTo(TruncateToInt(m_x3), TruncateToInt(m_y1));
}

void CSource::Draw(CDrawingSurface& surface, bool highlight, int mode) const {
    CScopedPen pen(surface, PenFor(highlight, mode, kSourceColor));
    DrawArms(surface);
}

void CSource::SetProperties(CDrawingSurface& surface, float magnitude, float phase,
                            float /*unusedC*/, float /*unusedD*/) {
    CScopedPen pen(surface, Pen::Solid(kSourceColor));
    DrawArms(surface);
    m_magnitude = magnitude;
    m_phase = phase;
}

bool CSource::HitTest(CPoint point) const {
    return RectHitTest(point, TruncateToInt(m_x3), TruncateToInt(m_y2), TruncateToInt(m_x2),
                       TruncateToInt(m_y3));
}

void CSource::MoveStartTo(CPoint point, CDrawingSurface& surface, bool dragging) {
    m_x1 = static_cast<float>(point.x);
    m_y1 = static_cast<float>(point.y);
    PlaceArms();
    Draw(surface, true, dragging ? DRAW_TRACE : DRAW_NORMAL);
}

std::string CSource::GetCardText(int tag, int segment, int /*originX*/, int /*originY*/) const {
    const double phi = DegreesToRadians(m_phase);
    const float re = static_cast<float>(m_magnitude * std::cos(phi));
    const float im = static_cast<float>(m_magnitude * std::sin(phi));
    return "EX 0 " + std::to_string(tag) + " " + std::to_string(segment) + " 00 " +
           FormatCardNumber(re) + " " + FormatCardNumber(im) + " 0 0 0 0";
}
