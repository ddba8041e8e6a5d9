#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/CardNumber.h"

namespace {

TEST(FormatCardNumber, WritesEveryDecadeAndSignAsOnCards) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int digits;
        const char* expected;
    } cases[] = {
        // clang-format off
        {100, 6, "100."}, {0, 6, "0."}, {-0.0, 6, "0."}, {-250.5, 6, "-250.5"}, {0.1, 6, "0.1"},
        {0.05, 6, "5.e-002"}, {double(0.005f), 6, "5.e-003"}, {0.123456789, 6, "0.123457"},
        {-123456, 6, "-123456"}, {1234567, 6, "1.23457e+006"}, {-1.5e20, 6, "-1.5e+020"},
        {1e100, 6, "1.e+100"},
        // Rounding that carries into the next decade moves the exponent.
        {999999.6, 6, "1.e+006"}, {0.09999999, 6, "0.1"}, {0.0999994, 6, "9.99994e-002"},
        // Segment counts use five digits; fewer than one digit counts as one.
        {123456, 5, "1.2346e+005"}, {12345, 5, "12345"}, {7.9, 5, "7.9"}, {123.4, 0, "1.e+002"},
        {inf, 6, "inf"}, {-inf, 6, "-inf"}, {std::nan(""), 6, "nan"},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCardNumber(c.value, c.digits), c.expected) << c.value << ", " << c.digits;
    }
}

}  // namespace
