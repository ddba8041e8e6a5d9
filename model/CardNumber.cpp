#include "model/CardNumber.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Drops the zeros that end the digits after the decimal point; the point stays.
std::string TrimFraction(std::string digits) {
    if (digits.find('.') == std::string::npos) return digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

// Conversions go through std::to_chars so that the text never follows the
// user's locale (a German desktop would otherwise write "0,5" on a card).
std::string ToChars(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string FormatCardNumber(double value, int significantDigits) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (significantDigits < 1) significantDigits = 1;

    const std::string sign = value < 0 ? "-" : "";
    const double magnitude = std::fabs(value);

    // The exponent is taken after rounding to the requested digits, so 999999.5
    // counts as 1e+006 and is written in exponential form.
    int exponent = -1;
    std::string scientific;
    if (magnitude != 0.0) {
        scientific = ToChars(magnitude, std::chars_format::scientific, significantDigits - 1);
        exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    }

    if (exponent < -1 || exponent > significantDigits - 1) {
        std::string mantissa = scientific.substr(0, scientific.find('e'));
        if (mantissa.find('.') == std::string::npos) mantissa += '.';
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "e%c%03d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return sign + TrimFraction(mantissa) + suffix;
    }

    const int decimals = significantDigits - 1 - exponent;
    return sign + TrimFraction(ToChars(magnitude, std::chars_format::fixed, decimals));
}
