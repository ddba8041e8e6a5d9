#pragma once

#include <array>
#include <string_view>

// What lies under a design: nothing, a perfectly conducting plane, or real
// earth described by its relative permittivity and conductivity.
enum class GroundKind { FREE_SPACE, PERFECT, REAL };

// The plane the editor draws in. Horizontal: the drawing's X and Y are the
// deck's X and Y, at each wire's own height. Upright: the drawing's X is the
// deck's X and the drawing's up is the deck's +Z; every wire has Y = 0.
enum class DrawingPlane { HORIZONTAL, UPRIGHT };

// A kind of soil with its electrical constants.
struct Soil {
    std::string_view name;
    double permittivity;  // relative
    double conductivity;  // S/m
};

// The soils a user picks from; any other pair of constants is custom soil.
inline constexpr std::array<Soil, 6> kSoilPresets{{
    {"Very poor (cities)", 3.0, 0.001},
    {"Poor", 5.0, 0.001},
    {"Average", 13.0, 0.005},
    {"Very good", 20.0, 0.0303},
    {"Fresh water", 80.0, 0.001},
    {"Sea water", 81.0, 5.0},
}};
inline constexpr int kAverageSoil = 2;
// The soil index of constants that are none of the presets.
inline constexpr int kCustomSoil = static_cast<int>(kSoilPresets.size());

// The ground and drawing plane of one design. The defaults are free space,
// horizontal, origin at height 0: the deck every earlier design wrote.
struct GroundSettings {
    GroundKind kind = GroundKind::FREE_SPACE;
    // Index into kSoilPresets, or kCustomSoil; the constants below are the
    // ones written, whichever soil was picked.
    int soil = kAverageSoil;
    double permittivity = kSoilPresets[kAverageSoil].permittivity;
    double conductivity = kSoilPresets[kAverageSoil].conductivity;
    DrawingPlane plane = DrawingPlane::HORIZONTAL;
    double originHeight = 0.0;  // metres above the ground (or the XY plane)

    bool operator==(const GroundSettings&) const = default;
};
