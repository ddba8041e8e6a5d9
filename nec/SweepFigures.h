#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "nec/ListingSweep.h"

// The reference resistance SWR is given against unless the user picks another.
inline constexpr double kDefaultReferenceOhms = 50.0;

// The standing wave ratio of an impedance r + jx on a line of `referenceOhms`,
// from the reflection coefficient (Z - Z0) / (Z + Z0): (1 + |G|) / (1 - |G|),
// infinite when |G| reaches 1.
double StandingWaveRatio(double resistance, double reactance, double referenceOhms);

// What the Results window shows for one frequency; a figure the listing does
// not hold is left empty.
struct StepFigures {
    std::optional<double> resistance, reactance, swr;  // of the chosen source
    // The strongest total gain, the first in the table when several tie;
    // empty when no direction has a field (-999.99).
    std::optional<double> gainDbi;
    std::optional<double> thetaDeg, phiDeg;  // its direction
    // gainDbi minus the total gain at the same theta and (phi + 180) mod 360;
    // infinite when there is no field behind.
    std::optional<double> frontToBackDb;
    // The -3 dB width of the azimuth cut through the maximum, interpolated
    // linearly between rows; empty when the cut does not fall 3 dB on both
    // sides within the table (round the circle when it closes).
    std::optional<double> beamwidthDeg;
};

// The figures of `step` for its source number `source` (0 for the first).
StepFigures ComputeStepFigures(const SweepStep& step, std::size_t source, double referenceOhms);

// The rows of the pattern at the given theta, ordered by phi (an azimuth cut),
// or at the given phi and its opposite phi + 180, ordered round the circle
// (an elevation cut): the rows at phi by rising theta, then those at
// phi + 180 by falling theta. Empty when the table holds no such row.
std::vector<SweepPatternRow> AzimuthCut(const SweepStep& step, double theta);
std::vector<SweepPatternRow> ElevationCut(const SweepStep& step, double phi);

// The Results table as CSV for one source: the header line
// "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,theta_deg,phi_deg,front_to_back_db",
// then one line per step, numbers with a decimal point whatever the locale
// and at least six significant digits, a missing value as an empty field,
// an infinite one as "inf".
std::string SweepCsv(const ListingSweep& sweep, std::size_t source, double referenceOhms);
