#include "model/ViewScale.h"

#include <algorithm>
#include <cmath>

#include "model/Geometry.h"

namespace {

// Below actual size the ladder is kept as metres per pixel, above it as
// pixels per metre, so every conversion multiplies or divides by a whole
// number and a pixel's metre value is the nearest float to its decimal.
constexpr int kMetresPerPixel[CViewScale::kActualSizeStep] = {100, 50, 20, 10, 5, 2};
constexpr int kPixelsPerMetre[CViewScale::kSteps - CViewScale::kActualSizeStep] = {
    1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
constexpr const char* kTexts[CViewScale::kSteps] = {
    "0.01 px/m", "0.02 px/m", "0.05 px/m", "0.1 px/m", "0.2 px/m",  "0.5 px/m",
    "1 px/m",    "2 px/m",    "5 px/m",    "10 px/m",  "20 px/m",   "50 px/m",
    "100 px/m",  "200 px/m",  "500 px/m",  "1000 px/m"};

int ClampStep(int step) { return std::clamp(step, 0, CViewScale::kSteps - 1); }

int RoundToInt(double value) { return TruncateToInt(std::round(value)); }

}  // namespace

CViewScale::CViewScale(int step, CPoint pan) : m_step(ClampStep(step)), m_pan(pan) {}

double CViewScale::ToPixels(double metres) const {
    if (m_step < kActualSizeStep) return metres / kMetresPerPixel[m_step];
    return metres * kPixelsPerMetre[m_step - kActualSizeStep];
}

double CViewScale::ToMetres(double pixels) const {
    if (m_step < kActualSizeStep) return pixels * kMetresPerPixel[m_step];
    return pixels / kPixelsPerMetre[m_step - kActualSizeStep];
}

CPointF CViewScale::ToMetres(CPoint pixel) const {
    return {static_cast<float>(ToMetres(static_cast<double>(pixel.x) - m_pan.x)),
            static_cast<float>(ToMetres(static_cast<double>(pixel.y) - m_pan.y))};
}

float CViewScale::TruncateToPixel(float metres) const {
    return static_cast<float>(ToMetres(TruncateToInt(ToPixels(metres))));
}

int CViewScale::PixelDecimals() const {
    if (m_step <= kActualSizeStep) return 0;
    return (m_step - kActualSizeStep + 2) / 3;
}

CViewScale CViewScale::ZoomedAbout(int steps, CPoint pixel) const {
    const CViewScale zoomed(m_step + steps);
    const double metresX = ToMetres(static_cast<double>(pixel.x) - m_pan.x);
    const double metresY = ToMetres(static_cast<double>(pixel.y) - m_pan.y);
    return CViewScale(zoomed.m_step, {RoundToInt(pixel.x - zoomed.ToPixels(metresX)),
                                      RoundToInt(pixel.y - zoomed.ToPixels(metresY))});
}

const char* CViewScale::Text() const { return kTexts[m_step]; }

CViewScale FitScale(float left, float top, float right, float bottom, int width, int height,
                    int margin, const CViewScale& current) {
    const double across = static_cast<double>(right) - left;
    const double down = static_cast<double>(bottom) - top;
    const double roomAcross = std::max(1, width - 2 * margin);
    const double roomDown = std::max(1, height - 2 * margin);
    int step = current.Step();
    if (across > 0 || down > 0) {
        step = 0;
        for (int candidate = CViewScale::kSteps - 1; candidate > 0; --candidate) {
            const CViewScale scale(candidate);
            if (scale.ToPixels(across) <= roomAcross && scale.ToPixels(down) <= roomDown) {
                step = candidate;
                break;
            }
        }
    }
    const CViewScale scale(step);
    const double centreX = (static_cast<double>(left) + right) / 2;
    const double centreY = (static_cast<double>(top) + bottom) / 2;
    return CViewScale(step, {RoundToInt(-scale.ToPixels(centreX)), RoundToInt(-scale.ToPixels(centreY))});
}
