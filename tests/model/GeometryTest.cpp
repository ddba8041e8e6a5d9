#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "model/Geometry.h"

namespace {

TEST(TruncateToInt, TruncatesTowardsZeroAndClampsWildValues) {
    const std::pair<double, int> cases[] = {{-4.7, -4},        {-0.5, 0},       {4.9, 4},
                                            {std::nan(""), 0}, {1e30, INT_MAX}, {-1e30, INT_MIN}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(TruncateToInt(value), expected) << value;
}

}  // namespace
