#include "model/ElementReadout.h"

#include <algorithm>
#include <cmath>

#include "model/CardNumber.h"
#include "model/Element.h"

namespace {

// Six significant digits, or as many as show `decimals` digits after the
// point of a value this large.
int ReadoutDigits(float value, int decimals) {
    constexpr int kDigits = 6;
    if (decimals <= 0 || !std::isfinite(value)) return kDigits;
    const double size = std::fabs(static_cast<double>(value));
    const int whole = size >= 1 ? static_cast<int>(std::floor(std::log10(size))) + 1 : 1;
    return std::max(kDigits, whole + decimals);
}

}  // namespace

std::string FormatReadoutPoint(float x, float y, int decimals) {
    return "(" + FormatCardNumber(x, ReadoutDigits(x, decimals)) + ", " +
           FormatCardNumber(-y, ReadoutDigits(y, decimals)) + ")";
}

std::string FormatElementCoordinates(const CElement& element, int decimals) {
    std::string text = FormatReadoutPoint(element.GetStartX(), element.GetStartY(), decimals);
    if (element.GetType() == ELEMENT_WIRE) {
        text += "  " + FormatReadoutPoint(element.GetEndX(), element.GetEndY(), decimals);
    }
    return text;
}
