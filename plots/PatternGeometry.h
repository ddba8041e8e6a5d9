#pragma once

#include <cstddef>
#include <vector>

#include "plots/PlotCamera.h"

// Which points of a pattern keep their radius: all of them, or only those in
// one principal plane (the others collapse onto the origin).
enum class SliceMode { FullPattern, SliceXZ, SliceYZ, SliceXY };

// True when a point at polar angle `theta` and azimuth `phi` (radians, as
// stored) keeps its radius in `mode`. A band of 0.001 degree around each
// plane absorbs the rounding of the printed angles; angles outside 0 to 360
// degrees (0 to 180 for theta) always keep their radius.
bool KeepsRadius(SliceMode mode, float theta, float phi);

// The unit directions of a pattern's points, worked out once, since every
// step of a drag places all of them again.
class CPatternDirections {
  public:
    CPatternDirections(const std::vector<float>& theta, const std::vector<float>& phi);

    // Point i at `radius`: (r sin(theta) cos(phi), r sin(theta) sin(phi),
    // r cos(theta)), theta measured from +Z and phi from +X toward +Y.
    Vector3f At(std::size_t i, float radius) const {
        return Vector3f{static_cast<float>(radius * m_sinTheta[i] * m_cosPhi[i]),
                        static_cast<float>(radius * m_sinTheta[i] * m_sinPhi[i]),
                        static_cast<float>(radius * m_cosTheta[i])};
    }

  private:
    std::vector<double> m_sinTheta;
    std::vector<double> m_cosTheta;
    std::vector<double> m_sinPhi;
    std::vector<double> m_cosPhi;
};
