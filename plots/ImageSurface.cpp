#include "plots/ImageSurface.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plots/PlotCamera.h"

namespace {

// Cuts the segment to the rectangle one pixel larger than the image on every
// side, so that Bresenham's walk never steps far outside. False when nothing
// of it is left. Ends inside keep their exact coordinates.
bool ClipToImage(CPoint& from, CPoint& to, int width, int height) {
    const auto inside = [&](CPoint p) {
        return p.x >= -1 && p.x <= width && p.y >= -1 && p.y <= height;
    };
    if (inside(from) && inside(to)) return true;
    const double x0 = from.x;
    const double y0 = from.y;
    const double dx = static_cast<double>(to.x) - x0;
    const double dy = static_cast<double>(to.y) - y0;
    const auto interval = ClipInterval(x0, y0, to.x, to.y, -1, -1, width, height);
    if (!interval) return false;
    const auto [enter, leave] = *interval;
    if (enter > 0.0) {
        from = CPoint{static_cast<int>(std::lround(x0 + enter * dx)),
                      static_cast<int>(std::lround(y0 + enter * dy))};
    }
    if (leave < 1.0) {
        to = CPoint{static_cast<int>(std::lround(x0 + leave * dx)),
                    static_cast<int>(std::lround(y0 + leave * dy))};
    }
    return true;
}

}  // namespace

CImageSurface::CImageSurface(QImage& image, CPoint origin, const QFont& font)
    : m_image(image),
      m_bits(image.bits()),
      m_stride(image.bytesPerLine()),
      m_origin(origin),
      m_font(font) {}

Pen CImageSurface::SelectPen(const Pen& pen) {
    const Pen previous = m_pen;
    m_pen = pen;
    m_rgb = qRgb(pen.color.red, pen.color.green, pen.color.blue);
    return previous;
}

void CImageSurface::MoveTo(int x, int y) { m_current = CPoint{x, y}; }

void CImageSurface::LineTo(int x, int y) {
    const CPoint to{x, y};
    if (m_pen.style == PenStyle::Solid) DrawLine(m_current, to);
    m_current = to;
}

void CImageSurface::DrawLine(CPoint from, CPoint to) {
    const int width = m_image.width();
    const int height = m_image.height();
    // Logical to image pixels, in 64 bits: the ends may lie far outside.
    const auto toImage = [this](CPoint p) {
        return CPoint{static_cast<int>(std::clamp<long long>(
                          static_cast<long long>(p.x) + m_origin.x, -(1 << 30), 1 << 30)),
                      static_cast<int>(std::clamp<long long>(
                          static_cast<long long>(p.y) + m_origin.y, -(1 << 30), 1 << 30))};
    };
    CPoint a = toImage(from);
    CPoint b = toImage(to);
    if (!ClipToImage(a, b, width, height)) return;

    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    while (a.x != b.x || a.y != b.y) {
        if (a.x >= 0 && a.x < width && a.y >= 0 && a.y < height) {
            reinterpret_cast<QRgb*>(m_bits + a.y * m_stride)[a.x] = m_rgb;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            a.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            a.y += sy;
        }
    }
}

void CImageSurface::TextOut(int x, int y, std::string_view text) {
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(QColor(0, 0, 0));
    const QString characters =
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    painter.drawText(QPoint(m_origin.x + x, m_origin.y + y + painter.fontMetrics().ascent()),
                     characters);
}
