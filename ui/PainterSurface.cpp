#include "ui/PainterSurface.h"

#include <QPainter>
#include <QPen>

CPainterSurface::CPainterSurface(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

Pen CPainterSurface::SelectPen(const Pen& pen) {
    const Pen previous = m_pen;
    m_pen = pen;
    return previous;
}

void CPainterSurface::MoveTo(int x, int y) { m_current = CPoint{x, y}; }

void CPainterSurface::LineTo(int x, int y) {
    const CPoint to{x, y};
    if (m_pen.style == PenStyle::Solid && to != m_current) {
        QPen pen(QColor(m_pen.color.red, m_pen.color.green, m_pen.color.blue));
        pen.setWidth(m_pen.width);
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        m_painter.drawLine(m_current.x, m_current.y, to.x, to.y);
    }
    m_current = to;
}

void CPainterSurface::TextOut(int x, int y, std::string_view text) {
    m_painter.setPen(QColor(0, 0, 0));
    const QString characters =
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()), characters);
}
