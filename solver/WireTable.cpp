#include "solver/WireTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

struct Point3 {
    double x, y, z;
};

Point3 SegmentEnd(const SegmentRecord& segment, double sign) {
    const double half = sign * segment.length / 2;
    const double alpha = segment.alpha * kDegree;
    const double beta = segment.beta * kDegree;
    return {segment.x + half * std::cos(alpha) * std::cos(beta),
            segment.y + half * std::cos(alpha) * std::sin(beta),
            segment.z + half * std::sin(alpha)};
}

// nec2c prints centres, lengths and angles with four decimals; the ends
// rebuilt from them are good to about 1e-4 of a metre on wires of ordinary size.
bool Near(const Point3& p, double x, double y, double z, double tolerance) {
    return std::fabs(p.x - x) <= tolerance && std::fabs(p.y - y) <= tolerance &&
           std::fabs(p.z - z) <= tolerance;
}

bool RunMatches(const WireRow& wire, const std::vector<SegmentRecord>& segments,
                std::size_t first) {
    const auto count = static_cast<std::size_t>(wire.segments);
    if (first + count > segments.size() || segments[first].tag != wire.tag) return false;
    const double length = std::hypot(wire.x2 - wire.x1, wire.y2 - wire.y1, wire.z2 - wire.z1);
    const double extent = std::max({std::fabs(wire.x1), std::fabs(wire.y1), std::fabs(wire.z1),
                                    std::fabs(wire.x2), std::fabs(wire.y2), std::fabs(wire.z2)});
    const double tolerance = 3e-4 + 1e-5 * (extent + length);
    if (!Near(SegmentEnd(segments[first], -1), wire.x1, wire.y1, wire.z1, tolerance)) return false;
    if (!Near(SegmentEnd(segments[first + count - 1], +1), wire.x2, wire.y2, wire.z2, tolerance))
        return false;
    for (std::size_t k = first; k < first + count; ++k) {
        if (segments[k].tag != wire.tag) return false;
    }
    return true;
}

// Ends rebuilt from four-decimal data carry no more than six decimals; the
// rounding also clears the dust of sines and cosines (1e-18 for 0).
double Rounded(double value) { return std::round(value * 1e6) / 1e6 + 0.0; }

WireRow SegmentRow(const SegmentRecord& segment) {
    const Point3 start = SegmentEnd(segment, -1);
    const Point3 end = SegmentEnd(segment, +1);
    return {Rounded(start.x), Rounded(start.y), Rounded(start.z), Rounded(end.x),
            Rounded(end.y),   Rounded(end.z),   segment.radius,   1,
            segment.tag};
}

void Scale(WireRow& wire, double factor) {
    for (double* value : {&wire.x1, &wire.y1, &wire.z1, &wire.x2, &wire.y2, &wire.z2, &wire.radius})
        *value *= factor;
}

}  // namespace

std::vector<std::vector<WireRow>> ExactWiresOfStructures(const std::vector<DeckCard>& cards) {
    std::vector<std::vector<WireRow>> structures;
    std::vector<WireRow> wires;
    bool inGeometry = false;
    const DeckCard* previous = nullptr;
    for (const DeckCard& card : cards) {
        if (!IsGeometryCard(card.mnemonic)) {
            previous = &card;
            continue;
        }
        inGeometry = true;
        const auto& r = card.reals;
        if (card.mnemonic == "GW") {
            if (card.integers[1] > 0)
                wires.push_back(
                    {r[0], r[1], r[2], r[3], r[4], r[5], r[6], card.integers[1], card.integers[0]});
        } else if (card.mnemonic == "GC") {
            // A tapered wire is written with radius 0 and takes its first
            // segment's radius from the GC card.
            if (previous && previous->mnemonic == "GW" && !wires.empty() &&
                wires.back().radius == 0)
                wires.back().radius = r[1];
        } else if (card.mnemonic == "GS") {
            for (WireRow& wire : wires) Scale(wire, r[0]);
        } else if ((card.mnemonic == "GM" && card.integers[1] == 0) || card.mnemonic == "GF") {
            // A move without copies shifts the wires themselves; GF replaces
            // the structure by one read from a file.
            wires.clear();
        } else if (card.mnemonic == "GE") {
            structures.push_back(std::move(wires));
            wires.clear();
            inGeometry = false;
        }
        previous = &card;
    }
    if (inGeometry) structures.push_back(std::move(wires));
    return structures;
}

std::vector<WireRow> BuildWireRows(const std::vector<WireRow>& exactWires,
                                   const std::vector<SegmentRecord>& segments) {
    // Where each confirmed wire starts in nec2c's segment list. Wires come in
    // deck order, so each search starts behind the previous wire found.
    std::vector<long> wireAt(segments.size(), -1);
    std::size_t next = 0;
    for (std::size_t w = 0; w < exactWires.size(); ++w) {
        for (std::size_t first = next; first < segments.size(); ++first) {
            if (RunMatches(exactWires[w], segments, first)) {
                wireAt[first] = static_cast<long>(w);
                next = first + static_cast<std::size_t>(exactWires[w].segments);
                break;
            }
        }
    }

    std::vector<WireRow> rows;
    for (std::size_t i = 0; i < segments.size();) {
        if (wireAt[i] >= 0) {
            const WireRow& wire = exactWires[static_cast<std::size_t>(wireAt[i])];
            rows.push_back(wire);
            i += static_cast<std::size_t>(wire.segments);
        } else {
            rows.push_back(SegmentRow(segments[i]));
            ++i;
        }
    }
    return rows;
}
