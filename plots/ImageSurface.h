#pragma once

#include <QFont>
#include <QRgb>

#include "model/DrawingSurface.h"
#include "model/Point.h"

class QImage;

// A drawing surface that sets the pixels of an RGB32 image itself. A result
// window redraws tens of thousands of short lines on every step of a drag,
// far more than QPainter draws in the time of one screen frame. Lines are one
// pixel wide and, like the classic line-to, leave out their last point; what
// falls outside the image is cut off.
class CImageSurface : public CDrawingSurface {
  public:
    // `origin` is the image pixel of logical point (0, 0); texts use `font`.
    // The image must be in QImage::Format_RGB32.
    CImageSurface(QImage& image, CPoint origin, const QFont& font);

    Pen SelectPen(const Pen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, std::string_view text) override;

  private:
    void DrawLine(CPoint from, CPoint to);

    QImage& m_image;
    uchar* m_bits;
    qsizetype m_stride;
    CPoint m_origin;
    QFont m_font;
    Pen m_pen;
    QRgb m_rgb = qRgb(0, 0, 0);
    CPoint m_current;
};
