#include "model/Wire.h"

#include <cmath>

#include "model/CardNumber.h"
#include "model/Geometry.h"

namespace {

constexpr float kBodyHalfWidth = 3.0f;
constexpr float kEndHalfSize = 10.0f;
constexpr double kBarbLength = 10.0;
constexpr double kBarbSpread = 45.0;

}  // namespace

CWire::CWire(float x1, float y1, float z1, float length, float radius, float segments, float angle)
    : CElement(ELEMENT_WIRE) {
    m_x1 = x1;
    m_y1 = y1;
    m_z1 = z1;
    m_z2 = z1;
    PlaceEnd(length, angle);
    m_length = length;
    m_radius = radius;
    m_segments = segments;
    m_angle = angle;
}

void CWire::PlaceEnd(float length, float angle) {
    const double theta = DegreesToRadians(angle);
    m_x2 = static_cast<float>(m_x1 + length * std::cos(theta));
    m_y2 = static_cast<float>(m_y1 + length * std::sin(theta));
}

void CWire::Draw(CDrawingSurface& surface, bool highlight, int mode,
                 const CViewScale& view) const {
    CScopedPen pen(surface, PenFor(highlight, mode, kWireColor));
    surface.MoveTo(TruncateToInt(view.PixelX(m_x1)), TruncateToInt(view.PixelY(m_y1)));
    surface.LineTo(TruncateToInt(view.PixelX(m_x2)), TruncateToInt(view.PixelY(m_y2)));

    // The arrowhead sits two thirds along the wire and is placed from the
    // length and angle, with barbs opening back towards the start.
    const float d = m_length / 3 * 2;
    const double theta = DegreesToRadians(m_angle);
    const double spread = DegreesToRadians(kBarbSpread);
    const float tipX = view.PixelX(static_cast<float>(m_x1 + d * std::cos(theta)));
    const float tipY = view.PixelY(static_cast<float>(m_y1 + d * std::sin(theta)));
    for (const double barb : {theta + spread, theta - spread}) {
        surface.MoveTo(TruncateToInt(tipX), TruncateToInt(tipY));
        surface.LineTo(TruncateToInt(static_cast<float>(tipX - kBarbLength * std::cos(barb))),
                       TruncateToInt(static_cast<float>(tipY - kBarbLength * std::sin(barb))));
    }
}

void CWire::SetProperties(CDrawingSurface& surface, float length, float radius, float segments,
                          float angle) {
    CScopedPen pen(surface, Pen::Solid(kWireColor));
    PlaceEnd(length, angle);
    surface.MoveTo(TruncateToInt(m_x1), TruncateToInt(m_y1));
    surface.LineTo(TruncateToInt(m_x2), TruncateToInt(m_y2));
    m_length = length;
    m_radius = radius;
    m_segments = segments;
    m_angle = angle;
}

bool CWire::HitTest(CPoint pixel, const CViewScale& view) const {
    const float x1 = view.PixelX(m_x1), y1 = view.PixelY(m_y1);
    const float x2 = view.PixelX(m_x2), y2 = view.PixelY(m_y2);
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const float length = static_cast<float>(std::sqrt(double(dx) * dx + double(dy) * dy));
    // A wire of no length has no direction to build its body from.
    if (!(length > 0.0f) || !std::isfinite(length)) return false;
    const float u = kBodyHalfWidth * dx / length;
    const float v = kBodyHalfWidth * dy / length;
    const auto corner = [](float x, float y) { return CPoint{TruncateToInt(x), TruncateToInt(y)}; };
    return QuadrilateralHitTest(pixel,
                                {corner(x1 - u + v, y1 - v - u), corner(x1 - u - v, y1 - v + u),
                                 corner(x2 + u - v, y2 + v + u), corner(x2 + u + v, y2 + v - u)});
}

bool CWire::HitStart(CPoint pixel, const CViewScale& view) const {
    return SquareHitTest(pixel, view.PixelX(m_x1), view.PixelY(m_y1), kEndHalfSize);
}

bool CWire::HitEnd(CPoint pixel, const CViewScale& view) const {
    return SquareHitTest(pixel, view.PixelX(m_x2), view.PixelY(m_y2), kEndHalfSize);
}

void CWire::MoveStartTo(CPointF point, CDrawingSurface& surface, bool dragging) {
    const float dx = m_x2 - m_x1;
    const float dy = m_y2 - m_y1;
    m_x1 = point.x;
    m_y1 = point.y;
    m_x2 = m_x1 + dx;
    m_y2 = m_y1 + dy;
    Draw(surface, true, dragging ? DRAW_TRACE : DRAW_NORMAL);
}

std::string CWire::GetCardText(int tag, int /*segment*/, int originX, int originY) const {
    const float x1 = m_x1 - static_cast<float>(originX);
    const float y1 = -(m_y1 - static_cast<float>(originY));
    const float x2 = m_x2 - static_cast<float>(originX);
    const float y2 = -(m_y2 - static_cast<float>(originY));
    std::string card = "GW " + std::to_string(tag);
    for (const std::string& field :
         {FormatCardNumber(m_segments, 5), FormatCardNumber(x1), FormatCardNumber(y1),
          FormatCardNumber(m_z1), FormatCardNumber(x2), FormatCardNumber(y2),
          FormatCardNumber(m_z2), FormatCardNumber(m_radius)}) {
        card += ' ';
        card += field;
    }
    return card;
}
