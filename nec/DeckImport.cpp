#include "nec/DeckImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>

#include "model/Geometry.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

using Drawn = std::array<float, 3>;

// How deck points become drawing points: the deck's (x, y, z) is drawn at
// (x, y) at height z - h on a horizontal design, at (x, z - h) on an upright one.
struct DrawingMap {
    DrawingPlane plane = DrawingPlane::HORIZONTAL;
    double height = 0;

    Drawn operator()(const std::array<double, 3>& p) const {
        if (plane == DrawingPlane::UPRIGHT)
            return {static_cast<float>(p[0]), static_cast<float>(p[2] - height), 0.0f};
        return {static_cast<float>(p[0]), static_cast<float>(p[1]),
                static_cast<float>(p[2] - height)};
    }
};

// Whether a wire is level, or lies in Y = 0, within a millionth of the
// structure's size: the rotations of GM and GR cards leave a little rounding.
struct PlaneTest {
    double tolerance = 0;

    bool Level(const StructurePart& p) const {
        return std::fabs(p.first[2] - p.second[2]) <= tolerance;
    }
    bool Upright(const StructurePart& p) const {
        return std::fabs(p.first[1]) <= tolerance && std::fabs(p.second[1]) <= tolerance;
    }
    bool In(DrawingPlane plane, const StructurePart& p) const {
        return plane == DrawingPlane::UPRIGHT ? Upright(p) : Level(p);
    }
};

PlaneTest PlaneTestOf(const std::vector<StructurePart>& parts) {
    double extent = 0;
    for (const StructurePart& p : parts) {
        if (p.kind != PartKind::WIRE) continue;
        for (int i = 0; i < 3; ++i)
            extent = std::max({extent, std::fabs(p.first[i]), std::fabs(p.second[i])});
    }
    return {extent * 1e-6};
}

// The plane a deck is drawn in: its own comment's, else horizontal when every
// wire is level, upright when every wire lies in Y = 0, else horizontal.
DrawingMap MapOf(const DeckRead& read, const PlaneTest& test) {
    if (read.comment) return {read.comment->plane, read.comment->originHeight};
    const auto& parts = read.structure.Parts();
    const auto all = [&](DrawingPlane plane) {
        return std::all_of(parts.begin(), parts.end(), [&](const StructurePart& p) {
            return p.kind != PartKind::WIRE || test.In(plane, p);
        });
    };
    if (!all(DrawingPlane::HORIZONTAL) && all(DrawingPlane::UPRIGHT))
        return {DrawingPlane::UPRIGHT, 0};
    return {};
}

// A wire as the drawing holds it: start, length and direction.
struct WireShape {
    float x = 0, y = 0, z = 0;
    float length = 0;
    float angle = 0;
};

// Length from the three squares, in double from the float values; the
// direction in the drawing from the arc cosine of the x part. The drawing's
// y axis points down, so a wire that rises in y turns the other way round.
// Nothing for a wire of no length or one that does not fit in floats.
std::optional<WireShape> ShapeOf(const Drawn& a, const Drawn& b, float radius, CPoint origin) {
    const double dx = static_cast<double>(b[0]) - a[0];
    const double dy = static_cast<double>(b[1]) - a[1];
    const double dz = static_cast<double>(b[2]) - a[2];
    const double exactLength = std::sqrt(dx * dx + dy * dy + dz * dz);
    const auto length = static_cast<float>(exactLength);
    if (length == 0.0f || !std::isfinite(length)) return std::nullopt;
    // From the length before it is rounded to a float: near 0 and 180 degrees
    // the arc cosine turns a rounding of the length into a visible bend.
    const double cosine = std::clamp(dx / exactLength, -1.0, 1.0);
    auto angle = static_cast<float>(RadiansToDegrees(std::acos(cosine)));
    if (a[1] < b[1]) angle = 360.0f - angle;
    const WireShape shape{static_cast<float>(origin.x) + a[0], static_cast<float>(origin.y) - a[1],
                          a[2], length, angle};
    // A wire that starts near the edge of the float range may end beyond it.
    const CWire probe(shape.x, shape.y, shape.z, length, radius, 0, angle);
    if (!std::isfinite(probe.GetEndX()) || !std::isfinite(probe.GetEndY())) return std::nullopt;
    return shape;
}

// The point where segment `segment` of `part` starts; segment N + 1 is its far
// end. Counted in 64 bits, as a card may give a wire INT_MAX segments.
std::array<double, 3> SegmentStart(const StructurePart& part, std::int64_t segment) {
    if (segment == 1) return part.first;
    if (segment == std::int64_t{part.segments} + 1) return part.second;
    const double t = static_cast<double>(segment - 1) / part.segments;
    std::array<double, 3> p{};
    for (int i = 0; i < 3; ++i) p[i] = part.first[i] + (part.second[i] - part.first[i]) * t;
    return p;
}

// Where a source on `segment` sits: the first end for segment 1, the far end
// for the last, otherwise the joint where the segment starts.
std::int64_t SourceSegmentStart(const StructurePart& part, int segment) {
    return segment > 1 && segment == part.segments ? std::int64_t{segment} + 1 : segment;
}

struct Feed {
    SegmentRef at;
    const Excitation* excitation = nullptr;
};

std::string Counted(std::int64_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

DeckImport ReadDeckImport(std::string_view deck, CPoint origin) {
    // A failure returns only its message: nothing read before it is added.
    const auto fail = [](std::string message) {
        DeckImport failed;
        failed.failure = std::move(message);
        return failed;
    };

    DeckRead read = ReadDeckCards(deck);
    if (!read.failure.empty()) return fail(read.failure);
    const std::vector<StructurePart>& parts = read.structure.Parts();
    const PlaneTest planeTest = PlaneTestOf(parts);
    const DrawingMap map = MapOf(read, planeTest);

    DeckImport result;
    ImportSkips& skipped = result.skipped;
    skipped = read.skipped;
    std::vector<bool> drawn(parts.size(), false);
    std::int64_t elements = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const StructurePart& part = parts[i];
        if (part.kind == PartKind::ARC) ++skipped.arcs;
        if (part.kind == PartKind::HELIX) ++skipped.helices;
        if (part.kind == PartKind::PATCH) ++skipped.patches;
        if (part.kind != PartKind::WIRE) continue;
        const Drawn a = map(part.first), b = map(part.second);
        for (const float value :
             {a[0], a[1], a[2], b[0], b[1], b[2], static_cast<float>(part.radius)})
            if (!std::isfinite(value)) return fail(TooLargeToDraw(read.wireCards[part.card]));
        if (a == b) {
            ++skipped.zeroLengthWires;
        } else if (!planeTest.In(map.plane, part)) {
            ++skipped.offPlaneWires;
        } else if (!ShapeOf(a, b, static_cast<float>(part.radius), origin)) {
            return fail(TooLargeToDraw(read.wireCards[part.card]));
        } else {
            drawn[i] = true;
            ++elements;
        }
    }

    // Each excitation names one segment; one inside a wire splits the wire there.
    std::vector<Feed> feeds;
    std::vector<std::set<int>> joints(parts.size());
    for (const Excitation& excitation : read.excitations) {
        if (excitation.type != 0) {
            ++skipped.otherSources;
            continue;
        }
        const std::optional<SegmentRef> at =
            read.structure.Find(excitation.tag, excitation.segment);
        if (!at) {
            if (excitation.tag != 0 && !read.structure.HasTag(excitation.tag))
                ++skipped.unmatchedExcitations;
            else
                ++skipped.missingSegments;
        } else if (!drawn[at->part]) {
            ++skipped.excitationsOnLeftOut;
        } else {
            feeds.push_back({*at, &excitation});
            const std::int64_t start = SourceSegmentStart(parts[at->part], at->segment);
            if (start > 1 && start <= parts[at->part].segments)
                joints[at->part].insert(static_cast<int>(start));
        }
    }
    for (const std::set<int>& wireJoints : joints)
        elements += static_cast<std::int64_t>(wireJoints.size());
    elements += static_cast<std::int64_t>(feeds.size());
    if (elements > kMostImportedElements) return fail(ImportFailure(TooManyElements(elements)));

    result.wires.reserve(static_cast<std::size_t>(elements) - feeds.size());
    result.sources.reserve(feeds.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!drawn[i]) continue;
        const StructurePart& part = parts[i];
        // Pieces in card order, so that in the design each later piece comes
        // first and a source at a joint is written on the piece it starts.
        std::vector<std::int64_t> bounds{1};
        bounds.insert(bounds.end(), joints[i].begin(), joints[i].end());
        bounds.push_back(std::int64_t{part.segments} + 1);
        for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
            const Drawn a = map(SegmentStart(part, bounds[k]));
            const Drawn b = map(SegmentStart(part, bounds[k + 1]));
            const auto radius = static_cast<float>(part.radius);
            const std::optional<WireShape> shape = ShapeOf(a, b, radius, origin);
            if (!shape) return fail(TooLargeToDraw(read.wireCards[part.card]));
            result.wires.push_back(std::make_unique<CWire>(
                shape->x, shape->y, shape->z, shape->length, radius,
                static_cast<float>(bounds[k + 1] - bounds[k]), shape->angle));
        }
    }
    for (const Feed& feed : feeds) {
        const StructurePart& part = parts[feed.at.part];
        const Drawn p = map(SegmentStart(part, SourceSegmentStart(part, feed.at.segment)));
        result.sources.push_back(std::make_unique<CSource>(
            static_cast<float>(origin.x) + p[0], static_cast<float>(origin.y) - p[1], p[2],
            static_cast<float>(MagnitudeOf(*feed.excitation)), PhaseOf(*feed.excitation)));
    }

    if (result.wires.empty()) {
        const std::string holds = SkipMessage(skipped);
        return fail(ImportFailure(holds.empty()
                                      ? "Quadrell can draw nothing in this deck: it holds no wires."
                                      : "Quadrell can draw nothing in this deck. It holds:" +
                                            holds.substr(holds.find('\n'))));
    }
    result.ground = read.ground;
    result.ground.plane = map.plane;
    result.ground.originHeight = map.height;
    result.frequency = read.frequency;
    return result;
}

std::string SkipMessage(const ImportSkips& s) {
    std::string lines;
    const auto line = [&lines](std::int64_t n, std::string_view one, std::string_view many,
                               std::string_view why) {
        if (n > 0) lines += "\n" + Counted(n, one, many) + std::string(why);
    };
    line(s.offPlaneWires, "wire", "wires", " off the drawing plane.");
    line(s.arcs, "arc", "arcs", " (GA).");
    line(s.helices, "helix", "helices", " (GH).");
    line(s.patches, "patch card", "patch cards", " (SP, SM).");
    line(s.loads, "load", "loads", " (LD).");
    line(s.networks, "transmission line or network", "transmission lines and networks",
         " (TL, NT).");
    line(s.otherSources, "excitation", "excitations",
         " other than a voltage source: Quadrell draws only voltage sources.");
    line(s.excitationsOnLeftOut, "excitation", "excitations", " on a part that was left out.");
    line(s.unmatchedExcitations, "excitation", "excitations", " with a tag that no GW card has.");
    line(s.missingSegments, "excitation", "excitations", " on a segment that no wire has.");
    line(s.zeroLengthWires, "wire", "wires", " whose two ends are one point.");
    line(s.groundsApproximated, "ground card", "ground cards",
         " (GN) with a model, radial screen or second medium that Quadrell does not write: "
         "only its soil was kept.");
    line(s.groundsLeftOut, "ground card", "ground cards", " (GN) that Quadrell cannot write.");
    for (const auto& [name, n] : s.otherCards) line(n, name + " card", name + " cards", ".");
    line(s.notCards, "line that is not a NEC-2 card", "lines that are not NEC-2 cards", ".");
    if (s.nextStructure) lines += "\nThe NX card and the structures after it.";
    if (s.multipliedSweep)
        lines +=
            "\nThe steps of the multiplying frequency sweep (FR): only its first frequency "
            "is offered.";
    return lines.empty() ? lines : "These cards of the deck were skipped:" + lines;
}

void AddImportedElements(CQuadrellDoc& document, DeckImport& imported) {
    for (std::unique_ptr<CWire>& wire : imported.wires) document.AddElementAtHead(std::move(wire));
    for (std::unique_ptr<CSource>& source : imported.sources)
        document.AddElementAtTail(std::move(source));
    imported.wires.clear();
    imported.sources.clear();
}

void ApplyDeckImport(CQuadrellDoc& document, DeckImport& imported) {
    document.SetGround(imported.ground);
    AddImportedElements(document, imported);
}
