#include "model/ElementReadout.h"

#include "model/CardNumber.h"
#include "model/Element.h"

std::string FormatReadoutPoint(float x, float y) {
    return "(" + FormatCardNumber(x) + ", " + FormatCardNumber(-y) + ")";
}

std::string FormatElementCoordinates(const CElement& element) {
    std::string text = FormatReadoutPoint(element.GetStartX(), element.GetStartY());
    if (element.GetType() == ELEMENT_WIRE) {
        text += "  " + FormatReadoutPoint(element.GetEndX(), element.GetEndY());
    }
    return text;
}
