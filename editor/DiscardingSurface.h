#pragma once

#include "model/DrawingSurface.h"

// A surface for element operations whose own drawing the view does not need:
// outside a paint event Qt cannot draw on a widget, so the view lets such an
// operation draw here and repaints instead.
class CDiscardingSurface : public CDrawingSurface {
  public:
    Pen SelectPen(const Pen& pen) override {
        const Pen previous = m_pen;
        m_pen = pen;
        return previous;
    }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void TextOut(int, int, std::string_view) override {}

  private:
    Pen m_pen;
};
