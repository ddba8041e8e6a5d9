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
}

// The arms keep their length in pixels whatever the scale.
void CSource::DrawArms(CDrawingSurface& surface, const CViewScale& view) const {
    const float x = view.PixelX(m_x1);
    const float y = view.PixelY(m_y1);
    surface.MoveTo(TruncateToInt(x), TruncateToInt(y - kArmLength));
    surface.LineTo(TruncateToInt(x), TruncateToInt(y + kArmLength));
    surface.MoveTo(TruncateToInt(x + kArmLength), TruncateToInt(y));
    surface.LineTo(TruncateToInt(x - kArmLength), TruncateToInt(y));
}

void CSource::Draw(CDrawingSurface& surface, bool highlight, int mode,
                   const CViewScale& view) const {
    CScopedPen pen(surface, PenFor(highlight, mode, kSourceColor));
    DrawArms(surface, view);
}

void CSource::SetProperties(CDrawingSurface& surface, float magnitude, float phase,
                            float /*unusedC*/, float /*unusedD*/) {
    CScopedPen pen(surface, Pen::Solid(kSourceColor));
    DrawArms(surface, CViewScale{});
    m_magnitude = magnitude;
    m_phase = phase;
}

bool CSource::HitTest(CPoint pixel, const CViewScale& view) const {
    const float x = view.PixelX(m_x1);
    const float y = view.PixelY(m_y1);
    return RectHitTest(pixel, TruncateToInt(x - kArmLength), TruncateToInt(y - kArmLength),
                       TruncateToInt(x + kArmLength), TruncateToInt(y + kArmLength));
}

void CSource::MoveStartTo(CPointF point, CDrawingSurface& surface, bool dragging) {
    m_x1 = point.x;
    m_y1 = point.y;
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
