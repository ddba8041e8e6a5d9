#pragma once

#include "model/Point.h"

// How an editor view shows the design: its scale in pixels per metre, on the
// 1-2-5 ladder from 0.01 to 1000, and the pixel where the deck's origin lies,
// counted from the centre of the client area. Elements keep their places in
// metres (y downwards, as on the screen); hit tests, snapping and drawing
// work in pixels, so every tolerance and every mark keeps its size on screen.
//
// At actual size (1 px/m) with no pan a pixel and a metre are the same
// number, and every conversion below returns its argument unchanged.
class CViewScale {
  public:
    static constexpr int kSteps = 16;
    static constexpr int kActualSizeStep = 6;

    CViewScale() = default;
    explicit CViewScale(int step, CPoint pan = {});

    int Step() const { return m_step; }
    CPoint Pan() const { return m_pan; }
    bool IsActualSize() const { return m_step == kActualSizeStep && m_pan == CPoint{}; }

    // A length in metres as pixels, and back; no pan.
    double ToPixels(double metres) const;
    double ToMetres(double pixels) const;

    // A place in metres as a pixel from the client centre, in floats, and a
    // pixel as the metre value of that pixel.
    float PixelX(float x) const { return static_cast<float>(ToPixels(x) + m_pan.x); }
    float PixelY(float y) const { return static_cast<float>(ToPixels(y) + m_pan.y); }
    CPointF ToMetres(CPoint pixel) const;

    // A difference in metres rounded towards zero to whole pixels, so that
    // what the mouse moves lands on the view's precision.
    float TruncateToPixel(float metres) const;

    // The digits after the decimal point that one pixel needs: 0 down to
    // 1 px/m, 1 at 2 to 10 px/m, 2 at 20 to 100 px/m, 3 above.
    int PixelDecimals() const;

    // The scale one step up or down the ladder (kept within it), with the
    // metre point under `pixel` staying under it.
    CViewScale ZoomedAbout(int steps, CPoint pixel) const;

    // "10 px/m", "0.05 px/m".
    const char* Text() const;

  private:
    int m_step = kActualSizeStep;
    CPoint m_pan;
};

// The largest scale at which the box from (left, top) to (right, bottom) in
// metres fits a client area of width by height pixels with `margin` pixels
// to spare on every side, centred. A box with no extent keeps `current`'s
// step and is only centred.
CViewScale FitScale(float left, float top, float right, float bottom, int width, int height,
                    int margin, const CViewScale& current);
