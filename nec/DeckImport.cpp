#include "nec/DeckImport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <tuple>

#include "model/Geometry.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/TextModeReader.h"

namespace {

// A read delivers at most 79 characters, as a C program's 80-byte line buffer does.
constexpr std::size_t kLineLimit = 80;

constexpr std::string_view kCannotOpen = "\nFile Cannot be Opened";
constexpr std::string_view kOnlyGw = "Quadrell only recognizes GW";

struct GwCard {
    int tag = 0;
    int segments = 0;
    float x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    float radius = 0;

    bool Finite() const {
        return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(z1) && std::isfinite(x2) &&
               std::isfinite(y2) && std::isfinite(z2) && std::isfinite(radius);
    }
};

struct ExCard {
    int tag = 0;
    int segment = 0;
    float real = 0;
    float imaginary = 0;
    // Where the card's line read starts, to quote it in a message.
    std::size_t position = 0;
};

float ToFloat(std::string_view token) { return static_cast<float>(Atof(token)); }

// The tokens after the card name; a field that is missing reads as 0.
GwCard ParseGw(std::string_view line) {
    CBlankTokens tokens(line);
    tokens.Next();
    GwCard card;
    card.tag = Atoi(tokens.Next());
    card.segments = Atoi(tokens.Next());
    for (float* value : {&card.x1, &card.y1, &card.z1, &card.x2, &card.y2, &card.z2, &card.radius})
        *value = ToFloat(tokens.Next());
    return card;
}

ExCard ParseEx(std::string_view line) {
    CBlankTokens tokens(line);
    tokens.Next();
    tokens.Next();
    ExCard card;
    card.tag = Atoi(tokens.Next());
    card.segment = Atoi(tokens.Next());
    tokens.Next();
    card.real = ToFloat(tokens.Next());
    card.imaginary = ToFloat(tokens.Next());
    return card;
}

// The line read that starts at `position`, as the first reading met it.
std::string_view LineAt(CTextModeReader& reader, std::size_t position) {
    reader.Seek(position);
    return reader.Line(kLineLimit);
}

// The card as the user sees it in an editor, for a message.
std::string CardText(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return std::string(line);
}

std::string Failure(std::string_view reason) {
    return std::string(reason) + std::string(kCannotOpen);
}

std::string TooLarge(std::string_view line) {
    return Failure("A number on this card is too large to draw:\n" + CardText(line));
}

// A wire as the drawing holds it: start, length and direction.
struct WireShape {
    float x = 0, y = 0, z = 0;
    float length = 0;
    float angle = 0;
};

// Length from the three squares, in double from the float values; the
// direction in the drawing from the arc cosine of the x part. The drawing's
// y axis points down, so a card that rises in Y turns the other way round.
// Nothing for a wire of no length or one that does not fit in floats.
std::optional<WireShape> ShapeOf(const GwCard& card, CPoint origin) {
    const double dx = static_cast<double>(card.x2) - card.x1;
    const double dy = static_cast<double>(card.y2) - card.y1;
    const double dz = static_cast<double>(card.z2) - card.z1;
    const auto length = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (length == 0.0f || !std::isfinite(length)) return std::nullopt;
    // The length was rounded to a float, so the cosine may step just past 1.
    const double cosine = std::clamp(dx / length, -1.0, 1.0);
    auto angle = static_cast<float>(RadiansToDegrees(std::acos(cosine)));
    if (card.y1 < card.y2) angle = 360.0f - angle;
    const WireShape shape{static_cast<float>(origin.x) + card.x1,
                          static_cast<float>(origin.y) - card.y1, card.z1, length, angle};
    // A wire that starts near the edge of the float range may end beyond it.
    const CWire probe(shape.x, shape.y, shape.z, length, card.radius, 0, angle);
    if (!std::isfinite(probe.GetEndX()) || !std::isfinite(probe.GetEndY())) return std::nullopt;
    return shape;
}

std::unique_ptr<CWire> MakeWire(const GwCard& card, const WireShape& shape) {
    return std::make_unique<CWire>(shape.x, shape.y, shape.z, shape.length, card.radius,
                                   static_cast<float>(card.segments), shape.angle);
}

// The excitation's real and imaginary parts back as the magnitude and phase
// that the source was written from, worked out in double: in float a phase of
// 90 degrees would come back a few millionths short.
double MagnitudeOf(const ExCard& excitation) {
    return std::hypot(static_cast<double>(excitation.real),
                      static_cast<double>(excitation.imaginary));
}

float PhaseOf(const ExCard& excitation) {
    const auto phase = static_cast<float>(RadiansToDegrees(std::atan2(
        static_cast<double>(excitation.imaginary), static_cast<double>(excitation.real))));
    // The writer's pi is a little larger than the true one, so 180 degrees is
    // written just past the negative real axis, with a tiny negative imaginary
    // part, and -180 just before it.
    if (std::fabs(phase) == 180.0f && excitation.imaginary != 0.0f)
        return excitation.imaginary < 0.0f ? 180.0f : -180.0f;
    return phase;
}

std::unique_ptr<CSource> MakeSource(const ExCard& excitation, float x, float y, float z,
                                    CPoint origin) {
    return std::make_unique<CSource>(
        static_cast<float>(origin.x) + x, static_cast<float>(origin.y) - y, z,
        static_cast<float>(MagnitudeOf(excitation)), PhaseOf(excitation));
}

// Where a GW card stands in the deck, and what an EX card finds it by.
struct GwEntry {
    int tag = 0;
    int segments = 0;
    std::size_t position = 0;
};

// Every GW card met by line reads from the beginning of the deck up to its
// first "EN" line: where each EX card looks for its wire ends. Only the keys
// and positions are kept, so that counting what a deck would draw costs the
// size of the deck, not the size of the drawing.
class CGwIndex {
  public:
    void Add(int tag, int segments, std::size_t position) {
        m_byTag.push_back({tag, segments, position});
    }

    // Called once, after the last Add. Positions grow in deck order, so they
    // keep the cards of one tag in that order.
    void Sort() {
        m_bySegments = m_byTag;
        std::sort(m_byTag.begin(), m_byTag.end(), [](const GwEntry& a, const GwEntry& b) {
            return std::tie(a.tag, a.position) < std::tie(b.tag, b.position);
        });
        std::sort(m_bySegments.begin(), m_bySegments.end(), [](const GwEntry& a, const GwEntry& b) {
            return std::tie(a.tag, a.segments, a.position) <
                   std::tie(b.tag, b.segments, b.position);
        });
    }

    // The cards with `tag`, in deck order.
    std::span<const GwEntry> WithTag(int tag) const {
        const auto [first, last] =
            std::equal_range(m_byTag.begin(), m_byTag.end(), GwEntry{tag, 0, 0},
                             [](const GwEntry& a, const GwEntry& b) { return a.tag < b.tag; });
        return {first, last};
    }

    // The cards an excitation on `segment` of `tag` sits on, in deck order:
    // segment 1 is the first end of every card with the tag, any other the
    // second end of those whose last segment it is.
    std::span<const GwEntry> Fed(int tag, int segment) const {
        if (segment == 1) return WithTag(tag);
        const auto [first, last] =
            std::equal_range(m_bySegments.begin(), m_bySegments.end(), GwEntry{tag, segment, 0},
                             [](const GwEntry& a, const GwEntry& b) {
                                 return std::tie(a.tag, a.segments) < std::tie(b.tag, b.segments);
                             });
        return {first, last};
    }

  private:
    std::vector<GwEntry> m_byTag;
    std::vector<GwEntry> m_bySegments;
};

enum class Section { Comments, Geometry, Program };

// What a first reading learns of a deck, before anything is made from it.
struct DeckScan {
    std::string failure;
    // The line reads of the wires: from the first after "CE" up to "GE".
    std::size_t geometryBegin = 0;
    std::size_t geometryEnd = 0;
    std::int64_t wires = 0;
    std::int64_t zeroLengthWires = 0;
    CGwIndex index;
    std::vector<ExCard> excitations;
};

// Reads the deck through once, checking every card that makes an element,
// and makes none.
DeckScan ScanDeck(std::string_view deck, CPoint origin) {
    DeckScan scan;
    CTextModeReader reader(deck);
    bool indexing = true;
    Section section = Section::Comments;
    for (;;) {
        const std::size_t position = reader.Position();
        const std::string_view line = reader.Line(kLineLimit);
        if (line.empty()) {
            switch (section) {
                case Section::Comments:
                    scan.failure = Failure("The deck has no \"CE\" line to end its comments.");
                    break;
                case Section::Geometry:
                    scan.failure = Failure("The deck ends before its \"GE\" card.");
                    break;
                case Section::Program:
                    scan.failure = Failure("The deck ends before its \"EN\" card.");
                    break;
            }
            return scan;
        }
        const std::string_view first = FirstToken(line);
        const bool isWire = first == "GW";
        const GwCard card = isWire ? ParseGw(line) : GwCard{};
        if (first == "EN") indexing = false;
        if (indexing && isWire) scan.index.Add(card.tag, card.segments, position);

        if (section == Section::Comments) {
            if (line == "CE\n") {
                section = Section::Geometry;
                scan.geometryBegin = reader.Position();
            }
        } else if (section == Section::Geometry) {
            if (first == "GE\n") {
                section = Section::Program;
                scan.geometryEnd = position;
            } else if (isWire) {
                if (!card.Finite()) {
                    scan.failure = TooLarge(line);
                    return scan;
                }
                if (ShapeOf(card, origin)) {
                    ++scan.wires;
                } else if (card.x1 == card.x2 && card.y1 == card.y2 && card.z1 == card.z2) {
                    ++scan.zeroLengthWires;
                } else {
                    scan.failure = TooLarge(line);
                    return scan;
                }
            } else {
                scan.failure = Failure(kOnlyGw);
                return scan;
            }
        } else if (first == "EN") {
            break;
        } else if (first == "EX") {
            ExCard excitation = ParseEx(line);
            if (!std::isfinite(static_cast<float>(MagnitudeOf(excitation)))) {
                scan.failure = TooLarge(line);
                return scan;
            }
            excitation.position = position;
            scan.excitations.push_back(excitation);
        }
    }
    scan.index.Sort();
    return scan;
}

}  // namespace

DeckImport ReadDeckImport(std::string_view deck, CPoint origin) {
    // A failure returns only its message: nothing read before it is added.
    const auto fail = [](std::string message) {
        DeckImport failed;
        failed.failure = std::move(message);
        return failed;
    };

    const DeckScan scan = ScanDeck(deck, origin);
    if (!scan.failure.empty()) return fail(scan.failure);

    // Every GW card with an excitation's tag may take a source of it, so a
    // small deck can ask for millions: they are counted before any is made.
    DeckImport result;
    result.skipped.zeroLengthWires = scan.zeroLengthWires;
    std::int64_t elements = scan.wires;
    for (const ExCard& excitation : scan.excitations) {
        const auto withTag = static_cast<std::int64_t>(scan.index.WithTag(excitation.tag).size());
        const auto fed =
            static_cast<std::int64_t>(scan.index.Fed(excitation.tag, excitation.segment).size());
        if (withTag == 0) ++result.skipped.unmatchedExcitations;
        result.skipped.innerExcitations += withTag - fed;
        elements += fed;
    }
    if (elements > kMostImportedElements) {
        return fail(Failure("The deck would add " + std::to_string(elements) +
                            " elements; Quadrell draws at most " +
                            std::to_string(kMostImportedElements) + " from one deck."));
    }

    result.wires.reserve(static_cast<std::size_t>(scan.wires));
    result.sources.reserve(static_cast<std::size_t>(elements - scan.wires));
    CTextModeReader reader(deck);
    reader.Seek(scan.geometryBegin);
    while (reader.Position() < scan.geometryEnd) {
        const GwCard card = ParseGw(reader.Line(kLineLimit));
        if (const std::optional<WireShape> shape = ShapeOf(card, origin))
            result.wires.push_back(MakeWire(card, *shape));
    }
    for (const ExCard& excitation : scan.excitations) {
        for (const GwEntry& entry : scan.index.Fed(excitation.tag, excitation.segment)) {
            const GwCard card = ParseGw(LineAt(reader, entry.position));
            if (!card.Finite()) return fail(TooLarge(LineAt(reader, excitation.position)));
            const bool first = excitation.segment == 1;
            result.sources.push_back(MakeSource(excitation, first ? card.x1 : card.x2,
                                                first ? card.y1 : card.y2,
                                                first ? card.z1 : card.z2, origin));
        }
    }
    return result;
}

std::string SkipMessage(const ImportSkips& skipped) {
    const auto count = [](std::int64_t n, const char* noun) {
        return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
    };
    std::string lines;
    if (skipped.innerExcitations > 0) {
        lines += "\n" + count(skipped.innerExcitations, "excitation") +
                 " on a segment inside a wire: Quadrell places sources only at wire ends.";
    }
    if (skipped.unmatchedExcitations > 0) {
        lines += "\n" + count(skipped.unmatchedExcitations, "excitation") +
                 " with a tag that no GW card has.";
    }
    if (skipped.zeroLengthWires > 0) {
        lines += "\n" + count(skipped.zeroLengthWires, "wire") + " whose two ends are one point.";
    }
    return lines.empty() ? lines : "These cards of the deck were skipped:" + lines;
}

void AddImportedElements(CQuadrellDoc& document, DeckImport& imported) {
    for (std::unique_ptr<CWire>& wire : imported.wires) document.AddElementAtHead(std::move(wire));
    for (std::unique_ptr<CSource>& source : imported.sources)
        document.AddElementAtTail(std::move(source));
    imported.wires.clear();
    imported.sources.clear();
}
