#include "nec/SweepFigures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Angles are printed with two decimals: closer than this they are the same.
constexpr double kSameAngle = 0.005;

// A total gain at or below this is the listing's "no field" (-999.99).
constexpr double kNoField = -999.0;

constexpr double kHalfPowerDb = 3.0;

bool SameAngle(double a, double b) { return std::abs(a - b) < kSameAngle; }
double Hundredths(double degrees) { return std::round(degrees * 100.0); }

// The same direction round the circle: 0 and 360 meet, as do -90 and 270.
bool SamePhi(double a, double b) {
    const double apart = std::fmod(std::abs(a - b), 360.0);
    return apart < kSameAngle || 360.0 - apart < kSameAngle;
}

const SweepPatternRow* Strongest(const SweepStep& step) {
    const SweepPatternRow* strongest = nullptr;
    for (const SweepPatternRow& row : step.pattern) {
        if (row.total > kNoField && (!strongest || row.total > strongest->total)) strongest = &row;
    }
    return strongest;
}

const SweepPatternRow* Find(const SweepStep& step, double theta, double phi) {
    for (const SweepPatternRow& row : step.pattern) {
        if (SameAngle(row.theta, theta) && SamePhi(row.phi, phi)) return &row;
    }
    return nullptr;
}

// Where the total gain first falls to `level` walking from row `from` of the
// cut in steps of `direction` (+1 or -1), as an angle counted on from the
// start's phi: interpolated linearly between the last row above and the first
// at or below. Round a closed circle the walk goes on past the cut's end from
// its other end, and stops once back at the start.
std::optional<double> Crossing(const std::vector<SweepPatternRow>& cut, std::size_t from,
                               int direction, double level, bool closed) {
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(cut.size());
    std::size_t previous = from;
    double previousAngle = cut[from].phi;
    for (std::ptrdiff_t k = 1; k < n; ++k) {
        std::ptrdiff_t next = static_cast<std::ptrdiff_t>(previous) + direction;
        double turn = 0;
        if (next < 0 || next >= n) {
            if (!closed) return std::nullopt;
            next = (next + n) % n;
            turn = 360.0 * direction;
        }
        const std::size_t index = static_cast<std::size_t>(next);
        const double angle = previousAngle + cut[index].phi - cut[previous].phi + turn;
        const double before = cut[previous].total;
        const double gain = cut[index].total;
        if (gain <= level) {
            return previousAngle + (before - level) / (before - gain) * (angle - previousAngle);
        }
        previous = index;
        previousAngle = angle;
    }
    return std::nullopt;
}

// A cut closes the circle when the gap from its last row round to its first
// is no wider than the widest gap between neighbours.
bool ClosesCircle(const std::vector<SweepPatternRow>& cut) {
    if (cut.size() < 3) return false;
    double widest = 0;
    for (std::size_t i = 1; i < cut.size(); ++i)
        widest = std::max(widest, cut[i].phi - cut[i - 1].phi);
    const double around = cut.front().phi + 360.0 - cut.back().phi;
    return around <= widest + kSameAngle;
}

std::optional<double> Beamwidth(const SweepStep& step, const SweepPatternRow& strongest) {
    std::vector<SweepPatternRow> cut = AzimuthCut(step, strongest.theta);
    // 360 repeats 0: the circle is closed without it.
    if (cut.size() > 1 && SamePhi(cut.front().phi, cut.back().phi)) cut.pop_back();
    const auto at = std::find_if(cut.begin(), cut.end(), [&](const SweepPatternRow& row) {
        return SamePhi(row.phi, strongest.phi);
    });
    if (at == cut.end()) return std::nullopt;
    const std::size_t from = static_cast<std::size_t>(at - cut.begin());
    const double level = strongest.total - kHalfPowerDb;
    const bool closed = ClosesCircle(cut);
    const std::optional<double> up = Crossing(cut, from, +1, level, closed);
    const std::optional<double> down = Crossing(cut, from, -1, level, closed);
    if (!up || !down) return std::nullopt;
    return *up - *down;
}

}  // namespace

double StandingWaveRatio(double resistance, double reactance, double referenceOhms) {
    const double reflected = std::hypot(resistance - referenceOhms, reactance) /
                             std::hypot(resistance + referenceOhms, reactance);
    if (!(reflected < 1.0)) return std::numeric_limits<double>::infinity();
    return (1.0 + reflected) / (1.0 - reflected);
}

StepFigures ComputeStepFigures(const SweepStep& step, std::size_t source, double referenceOhms) {
    StepFigures figures;
    if (source < step.sources.size()) {
        const SweepSource& fed = step.sources[source];
        figures.resistance = fed.resistance;
        figures.reactance = fed.reactance;
        figures.swr = StandingWaveRatio(fed.resistance, fed.reactance, referenceOhms);
    }
    const SweepPatternRow* strongest = Strongest(step);
    if (!strongest) return figures;
    figures.gainDbi = strongest->total;
    figures.thetaDeg = strongest->theta;
    figures.phiDeg = strongest->phi;
    if (const SweepPatternRow* back = Find(step, strongest->theta, strongest->phi + 180.0)) {
        figures.frontToBackDb = back->total > kNoField ? strongest->total - back->total
                                                       : std::numeric_limits<double>::infinity();
    }
    figures.beamwidthDeg = Beamwidth(step, *strongest);
    return figures;
}

std::vector<SweepPatternRow> AzimuthCut(const SweepStep& step, double theta) {
    std::vector<SweepPatternRow> cut;
    for (const SweepPatternRow& row : step.pattern) {
        if (SameAngle(row.theta, theta)) cut.push_back(row);
    }
    std::stable_sort(
        cut.begin(), cut.end(),
        [](const SweepPatternRow& a, const SweepPatternRow& b) { return a.phi < b.phi; });
    // Two pattern requests of one frequency may both hold a direction.
    cut.erase(std::unique(cut.begin(), cut.end(),
                          [](const SweepPatternRow& a, const SweepPatternRow& b) {
                              return SameAngle(a.phi, b.phi);
                          }),
              cut.end());
    return cut;
}

std::vector<SweepPatternRow> ElevationCut(const SweepStep& step, double phi) {
    // Round the circle: down the near half from theta 0 to 180, then back up
    // the far half from 180 to 0. At the poles the near row comes first.
    struct Place {
        double angle;  // in hundredths of a degree, as printed
        bool far;
        SweepPatternRow row;
    };
    std::vector<Place> around;
    for (const SweepPatternRow& row : step.pattern) {
        if (SamePhi(row.phi, phi)) {
            around.push_back({Hundredths(row.theta), false, row});
        } else if (SamePhi(row.phi, phi + 180.0)) {
            around.push_back({Hundredths(360.0 - row.theta), true, row});
        }
    }
    std::stable_sort(around.begin(), around.end(), [](const Place& a, const Place& b) {
        return a.angle != b.angle ? a.angle < b.angle : a.far < b.far;
    });
    // Two pattern requests of one frequency may both hold a direction.
    around.erase(std::unique(around.begin(), around.end(),
                             [](const Place& a, const Place& b) {
                                 return a.angle == b.angle && a.far == b.far;
                             }),
                 around.end());
    std::vector<SweepPatternRow> cut;
    cut.reserve(around.size());
    for (const Place& place : around) cut.push_back(place.row);
    return cut;
}

namespace {

// %.6g whatever the process locale: to_chars never uses it.
void AppendNumber(std::string& text, const std::optional<double>& value) {
    if (!value) return;
    if (std::isinf(*value)) {
        text += *value > 0 ? "inf" : "-inf";
        return;
    }
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::general, 6);
    text.append(buffer, result.ptr);
}

}  // namespace

std::string SweepCsv(const ListingSweep& sweep, std::size_t source, double referenceOhms) {
    std::string text =
        "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,theta_deg,phi_deg,front_to_back_db\n";
    for (const SweepStep& step : sweep.steps) {
        const StepFigures figures = ComputeStepFigures(step, source, referenceOhms);
        AppendNumber(text, step.frequencyMhz);
        for (const std::optional<double>& value :
             {figures.resistance, figures.reactance, figures.swr, figures.gainDbi, figures.thetaDeg,
              figures.phiDeg, figures.frontToBackDb}) {
            text += ',';
            AppendNumber(text, value);
        }
        text += '\n';
    }
    return text;
}
