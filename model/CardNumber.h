#pragma once

#include <string>

// The text of a real number on GW and EX cards and in the coordinate readout:
// `significantDigits` significant digits, fixed notation for decimal exponents
// from -1 up to significantDigits - 1 and exponential notation otherwise, a
// three-digit exponent ("5.e-003"), trailing zeros dropped but the decimal
// point kept ("100.").
std::string FormatCardNumber(double value, int significantDigits = 6);
