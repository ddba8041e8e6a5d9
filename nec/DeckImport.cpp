#include "nec/DeckImport.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

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
    std::string text;
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

// Length from the three squares, in double from the float values; the
// direction in the drawing from the arc cosine of the x part. The drawing's
// y axis points down, so a card that rises in Y turns the other way round.
// Null for a wire of no length or one that does not fit in floats.
std::unique_ptr<CWire> MakeWire(const GwCard& card, CPoint origin) {
    const double dx = static_cast<double>(card.x2) - card.x1;
    const double dy = static_cast<double>(card.y2) - card.y1;
    const double dz = static_cast<double>(card.z2) - card.z1;
    const auto length = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (length == 0.0f || !std::isfinite(length)) return nullptr;
    // The length was rounded to a float, so the cosine may step just past 1.
    const double cosine = std::clamp(dx / length, -1.0, 1.0);
    auto angle = static_cast<float>(RadiansToDegrees(std::acos(cosine)));
    if (card.y1 < card.y2) angle = 360.0f - angle;
    auto wire = std::make_unique<CWire>(static_cast<float>(origin.x) + card.x1,
                                        static_cast<float>(origin.y) - card.y1, card.z1, length,
                                        card.radius, static_cast<float>(card.segments), angle);
    // A wire that starts near the edge of the float range may end beyond it.
    if (!std::isfinite(wire->GetEndX()) || !std::isfinite(wire->GetEndY())) return nullptr;
    return wire;
}

// The excitation's real and imaginary parts back as the magnitude and phase
// that the source was written from.
std::unique_ptr<CSource> MakeSource(const ExCard& excitation, float x, float y, float z,
                                    CPoint origin) {
    const auto magnitude = static_cast<float>(std::hypot(excitation.real, excitation.imaginary));
    const auto phase =
        static_cast<float>(RadiansToDegrees(std::atan2(excitation.imaginary, excitation.real)));
    return std::make_unique<CSource>(static_cast<float>(origin.x) + x,
                                     static_cast<float>(origin.y) - y, z, magnitude, phase);
}

// Every GW card met by line reads from the beginning of the deck up to its
// first "EN" line, by tag, in deck order: where each EX card looks for its
// wire ends.
class CGwIndex {
  public:
    void Add(const GwCard& card) { m_byTag[card.tag].push_back(card); }
    const std::vector<GwCard>* Find(int tag) const {
        const auto found = m_byTag.find(tag);
        return found == m_byTag.end() ? nullptr : &found->second;
    }

  private:
    std::unordered_map<int, std::vector<GwCard>> m_byTag;
};

enum class Section { Comments, Geometry, Program };

}  // namespace

DeckImport ReadDeckImport(std::string_view deck, CPoint origin) {
    DeckImport result;
    // A failure returns only its message: nothing read before it is added.
    const auto fail = [](std::string message) {
        DeckImport failed;
        failed.failure = std::move(message);
        return failed;
    };

    CTextModeReader reader(deck);
    CGwIndex index;
    std::vector<ExCard> excitations;
    bool indexing = true;
    Section section = Section::Comments;
    for (;;) {
        const std::string_view line = reader.Line(kLineLimit);
        if (line.empty()) {
            switch (section) {
                case Section::Comments:
                    return fail(Failure("The deck has no \"CE\" line to end its comments."));
                case Section::Geometry:
                    return fail(Failure("The deck ends before its \"GE\" card."));
                case Section::Program:
                    return fail(Failure("The deck ends before its \"EN\" card."));
            }
        }
        const std::string_view first = FirstToken(line);
        const bool isWire = first == "GW";
        const GwCard card = isWire ? ParseGw(line) : GwCard{};
        if (first == "EN") indexing = false;
        if (indexing && isWire) index.Add(card);

        if (section == Section::Comments) {
            if (line == "CE\n") section = Section::Geometry;
        } else if (section == Section::Geometry) {
            if (first == "GE\n") {
                section = Section::Program;
            } else if (isWire) {
                if (!card.Finite()) return fail(TooLarge(line));
                std::unique_ptr<CWire> wire = MakeWire(card, origin);
                if (wire != nullptr) {
                    result.wires.push_back(std::move(wire));
                } else if (card.x1 == card.x2 && card.y1 == card.y2 && card.z1 == card.z2) {
                    ++result.skipped.zeroLengthWires;
                } else {
                    return fail(TooLarge(line));
                }
            } else {
                return fail(Failure(kOnlyGw));
            }
        } else if (first == "EN") {
            break;
        } else if (first == "EX") {
            ExCard excitation = ParseEx(line);
            if (!std::isfinite(
                    static_cast<float>(std::hypot(excitation.real, excitation.imaginary)))) {
                return fail(TooLarge(line));
            }
            excitation.text = CardText(line);
            excitations.push_back(std::move(excitation));
        }
    }

    for (const ExCard& excitation : excitations) {
        const std::vector<GwCard>* cards = index.Find(excitation.tag);
        if (cards == nullptr) {
            ++result.skipped.unmatchedExcitations;
            continue;
        }
        for (const GwCard& card : *cards) {
            if (excitation.segment != 1 && excitation.segment != card.segments) {
                ++result.skipped.innerExcitations;
                continue;
            }
            if (!card.Finite()) return fail(TooLarge(excitation.text));
            const bool first = excitation.segment == 1;
            result.sources.push_back(MakeSource(excitation, first ? card.x1 : card.x2,
                                                first ? card.y1 : card.y2,
                                                first ? card.z1 : card.z2, origin));
        }
    }
    return result;
}

std::string SkipMessage(const ImportSkips& skipped) {
    const auto count = [](int n, const char* noun) {
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
    document.UpdateAllViews();
}
