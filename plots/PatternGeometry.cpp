#include "plots/PatternGeometry.h"

#include <algorithm>
#include <cmath>

#include "model/Geometry.h"

namespace {

constexpr double k0 = DegreesToRadians(0);
constexpr double k89_999 = DegreesToRadians(89.999);
constexpr double k90_001 = DegreesToRadians(90.001);
constexpr double k179_999 = DegreesToRadians(179.999);
constexpr double k180 = DegreesToRadians(180);
constexpr double k180_001 = DegreesToRadians(180.001);
constexpr double k269_999 = DegreesToRadians(269.999);
constexpr double k270_001 = DegreesToRadians(270.001);
constexpr double k360 = DegreesToRadians(360);
constexpr double k360_001 = DegreesToRadians(360.001);

}  // namespace

bool KeepsRadius(SliceMode mode, float theta, float phi) {
    const double t = theta;
    const double p = phi;
    switch (mode) {
        case SliceMode::SliceXZ:
            return !((k0 < p && p < k179_999) || (k180_001 < p && p < k360));
        case SliceMode::SliceYZ:
            return !((k0 <= p && p < k89_999) || (k90_001 < p && p < k269_999) ||
                     (k270_001 < p && p <= k360_001));
        case SliceMode::SliceXY:
            return !((k0 <= t && t < k89_999) || (k90_001 < t && t <= k180));
        case SliceMode::FullPattern:
            break;
    }
    return true;
}

CPatternDirections::CPatternDirections(const std::vector<float>& theta,
                                       const std::vector<float>& phi) {
    const std::size_t count = std::min(theta.size(), phi.size());
    m_sinTheta.resize(count);
    m_cosTheta.resize(count);
    m_sinPhi.resize(count);
    m_cosPhi.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        m_sinTheta[i] = std::sin(double{theta[i]});
        m_cosTheta[i] = std::cos(double{theta[i]});
        m_sinPhi[i] = std::sin(double{phi[i]});
        m_cosPhi[i] = std::cos(double{phi[i]});
    }
}
