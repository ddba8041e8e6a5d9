#include "model/ElementReadout.h"

#include "model/CardNumber.h"
#include "model/Element.h"

namespace {

std::string Pair(float x, float y) {
    return "(" + FormatCardNumber(x) + ", " + FormatCardNumber(-y) + ")";
}

}  // namespace

std::string FormatElementCoordinates(const CElement& element) {
    std::string text = Pair(element.GetStartX(), element.GetStartY());
    if (element.GetType() == ELEMENT_WIRE) {
        text += "  " + Pair(element.GetEndX(), element.GetEndY());
    }
    return text;
}
