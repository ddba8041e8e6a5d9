#pragma once

#include <array>

#include "model/Point.h"

// Degrees become radians with this value of pi everywhere in the model, so
// that drawings, cards and deck imports agree to the last bit.
inline constexpr double kPi = 3.14159265359;

inline constexpr double DegreesToRadians(double degrees) { return degrees * kPi / 180.0; }
inline constexpr double RadiansToDegrees(double radians) { return radians * 180.0 / kPi; }

// Truncates towards zero, as every float-to-integer conversion for drawing and
// hit testing does. Values beyond the int range are clamped and NaN becomes 0,
// so a wild coordinate from a deck can never cause an undefined conversion.
int TruncateToInt(double value);

// Left and top edges belong to the rectangle, right and bottom edges do not.
bool RectHitTest(CPoint point, int left, int top, int right, int bottom);

// The square of half-size h around (cx, cy); its corners are computed as
// floats and truncated before the test.
bool SquareHitTest(CPoint point, float cx, float cy, float halfSize);

// A four-cornered polygon filled with the alternate (even-odd) rule.
bool QuadrilateralHitTest(CPoint point, const std::array<CPoint, 4>& corners);
