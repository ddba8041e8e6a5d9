#include <gtest/gtest.h>

#include "model/CardNumber.h"

namespace {

struct CardNumberCase {
    double value;
    int digits;
    const char* expected;
};

TEST(FormatCardNumber, WritesEveryDecadeAndSignAsOnCards) {
    const CardNumberCase cases[] = {
        {100, 6, "100."},
        {0, 6, "0."},
        {-0.0, 6, "0."},
        {-250.5, 6, "-250.5"},
        {0.5, 6, "0.5"},
        {0.1, 6, "0.1"},
        {0.05, 6, "5.e-002"},
        {-0.05, 6, "-5.e-002"},
        {0.005, 6, "5.e-003"},
        {double(0.005f), 6, "5.e-003"},
        {1, 6, "1."},
        {3.14159265, 6, "3.14159"},
        {0.123456789, 6, "0.123457"},
        {123456, 6, "123456"},
        {-123456, 6, "-123456"},
        {100000, 6, "100000"},
        {12345.6, 6, "12345.6"},
        {12345678, 6, "1.23457e+007"},
        {1234567, 6, "1.23457e+006"},
        {-1.5e20, 6, "-1.5e+020"},
        {1e-10, 6, "1.e-010"},
        {1e100, 6, "1.e+100"},
        {2.5e-5, 6, "2.5e-005"},
        // Rounding that carries into the next decade moves the exponent.
        {999999.6, 6, "1.e+006"},
        {0.09999999, 6, "0.1"},
        {0.0999994, 6, "9.99994e-002"},
        // Segment counts use five digits.
        {5, 5, "5."},
        {12, 5, "12."},
        {123456, 5, "1.2346e+005"},
        {12345, 5, "12345"},
        {7.9, 5, "7.9"},
    };
    for (const CardNumberCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.digits << " digits");
        EXPECT_EQ(FormatCardNumber(c.value, c.digits), c.expected);
    }
}

TEST(FormatCardNumber, WritesNonFiniteValuesWithoutCrashing) {
    EXPECT_EQ(FormatCardNumber(1.0 / 0.0), "inf");
    EXPECT_EQ(FormatCardNumber(-1.0 / 0.0), "-inf");
    EXPECT_EQ(FormatCardNumber(0.0 / 0.0), "nan");
}

}  // namespace
