#pragma once

#include "model/DrawingSurface.h"
#include "model/Point.h"

class QPainter;

// The drawing surface over a QPainter, for the screen and the printer. Lines
// are one device unit wide and, like the classic line-to, leave out their
// last point, so that a run of line-tos never paints a joint twice.
class CPainterSurface : public CDrawingSurface {
  public:
    explicit CPainterSurface(QPainter& painter);

    Pen SelectPen(const Pen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, std::string_view text) override;

  private:
    QPainter& m_painter;
    Pen m_pen;
    CPoint m_current;
};
