#include "model/CardNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Drops the zeros that end the digits after the decimal point; the point stays.
std::string TrimFraction(std::string digits) {
    if (digits.find('.') == std::string::npos) return digits;
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last + 1);
    return digits;
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
    char scientific[64];
    if (magnitude != 0.0) {
        std::snprintf(scientific, sizeof scientific, "%.*e", significantDigits - 1, magnitude);
        const std::string_view text(scientific);
        exponent = std::atoi(scientific + text.find('e') + 1);
    }

    if (exponent < -1 || exponent > significantDigits - 1) {
        const std::string_view text(scientific);
        std::string mantissa(text.substr(0, text.find('e')));
        if (mantissa.find('.') == std::string::npos) mantissa += '.';
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "e%c%03d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return sign + TrimFraction(mantissa) + suffix;
    }

    const int decimals = significantDigits - 1 - exponent;
    char fixed[400];
    std::snprintf(fixed, sizeof fixed, "%.*f", decimals, magnitude);
    return sign + TrimFraction(fixed);
}
