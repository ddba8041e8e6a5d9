#pragma once

#include <string>

class CElement;

// The coordinate readout of the status bar: "(x1, y1)" for a source's centre,
// "(x1, y1)  (x2, y2)" for a wire, in deck X and Y (y negated), with six
// significant digits, or more where a zoomed view needs `decimals` digits
// after the point.
std::string FormatElementCoordinates(const CElement& element, int decimals = 0);

// One point of the readout, "(x, y)", from drawing coordinates.
std::string FormatReadoutPoint(float x, float y, int decimals = 0);

// What the readout shows when nothing is selected: five tabs.
inline constexpr const char* kBlankReadout = "\t\t\t\t\t";
