#include "nec/DeckWriter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "model/CardNumber.h"
#include "model/Element.h"
#include "model/ElementReadout.h"
#include "model/Geometry.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/DeckSpace.h"
#include "nec/DrawingComment.h"
#include "nec/TextModeReader.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A source feeds a wire end closer than this in x and in y.
constexpr double kSourceReach = 0.1;
// Enough for the smallest float: its first digit is the 45th after the point.
constexpr int kMostFrequencyDecimals = 56;

// Integers and fixed-point numbers exactly as C's "%d" and "%.3f" print them
// in the C locale. std::to_chars and std::from_chars never look at the locale,
// so a decimal comma can never reach a deck.
std::string Integer(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Fixed(float value, int decimals) {
    // The largest float has 39 integer digits.
    char buffer[40 + kMostFrequencyDecimals + 8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string Fixed3(float value) { return Fixed(value, 3); }

// Three decimals, as the card has always had them, unless they would change
// the sweep: then the fewest decimals whose text reads back as the same float
// (14.0125 MHz is not 14.012).
std::string FrequencyText(float value) {
    for (int decimals = 3; decimals <= kMostFrequencyDecimals; ++decimals) {
        const std::string text = Fixed(value, decimals);
        float back = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
        if (result.ec == std::errc() && back == value) return text;
    }
    return Fixed3(value);
}

bool Near(double centre, float value) {
    return centre - kSourceReach < value && value < centre + kSourceReach;
}

bool SitsOn(const CElement& source, float x, float y) {
    return Near(source.GetStartX(), x) && Near(source.GetStartY(), y);
}

// The EX card of `source` on the wire end it sits on, or nothing. Of several
// ends within reach the nearest in space wins, so that a source on one of
// two close or stacked wires feeds the wire it was put on; of ends equally
// near, the first wire in list order and its start before its end.
bool AppendSourceCard(const CQuadrellDoc& doc, const CElement& source, CPoint origin,
                      std::string& text) {
    const float sourceZ = static_cast<const CSource&>(source).GetZ();
    // Every element counts towards the tag, as wires all come before sources
    // in the list; the tag is then the wire's own GW tag.
    int tag = 0, fedTag = 0, fedSegment = 0;
    double nearest = std::numeric_limits<double>::infinity();
    for (ElementPosition position = doc.GetFirstElementPosition(); position;) {
        const CElement* element = doc.GetNextElement(position);
        ++tag;
        if (element->GetType() != ELEMENT_WIRE) continue;
        const auto& wire = static_cast<const CWire&>(*element);
        const struct {
            float x, y, z;
            int segment;
        } ends[] = {{wire.GetStartX(), wire.GetStartY(), wire.GetStartZ(), 1},
                    {wire.GetEndX(), wire.GetEndY(), wire.GetEndZ(),
                     TruncateToInt(wire.GetSegments())}};
        for (const auto& end : ends) {
            if (!SitsOn(source, end.x, end.y)) continue;
            const double distance = std::hypot(double{end.x} - source.GetStartX(),
                                               double{end.y} - source.GetStartY(),
                                               double{end.z} - sourceZ);
            if (distance < nearest) {
                nearest = distance;
                fedTag = tag;
                fedSegment = end.segment;
            }
        }
    }
    if (fedTag == 0) return false;
    text += source.GetCardText(fedTag, fedSegment, origin.x, origin.y);
    text += kLineEnd;
    return true;
}

WireFault FaultOf(const CWire& wire, CPoint origin, const GroundSettings& ground) {
    for (const float value : {wire.GetStartX(), wire.GetStartY(), wire.GetEndX(), wire.GetEndY(),
                              wire.GetRadius(), wire.GetSegments()}) {
        if (!std::isfinite(value)) return WireFault::NOT_FINITE;
    }
    // The solver sees the card's six digits: a wire too short for them to
    // tell its ends apart has no length to it, and sends nec2c into an
    // endless loop.
    const std::string card = WireCardInSpace(wire, 0, origin, ground);
    std::vector<std::string_view> f;  // GW tag NS X1 Y1 Z1 X2 Y2 Z2 RAD
    CBlankTokens tokens(card);
    for (std::string_view token = tokens.Next(); !token.empty(); token = tokens.Next())
        f.push_back(token);
    if (f.size() == 10 && f[3] == f[6] && f[4] == f[7] && f[5] == f[8]) return WireFault::NO_LENGTH;
    if (!(wire.GetRadius() > 0.0f)) return WireFault::NO_RADIUS;
    // The count is read as an integer: anything below 1 leaves no segment.
    if (!(wire.GetSegments() >= 1.0f)) return WireFault::NO_SEGMENTS;
    if (ground.kind == GroundKind::FREE_SPACE) return WireFault::NONE;
    // Under the ground the solver would compute nonsense; a wire lying in
    // the ground plane is shorted along its whole length by its image.
    const float startZ =
        PlaceInSpace(ground, origin, wire.GetStartX(), wire.GetStartY(), wire.GetStartZ()).z;
    const float endZ =
        PlaceInSpace(ground, origin, wire.GetEndX(), wire.GetEndY(), wire.GetEndZ()).z;
    if (!std::isfinite(startZ) || !std::isfinite(endZ)) return WireFault::NOT_FINITE;
    if (startZ < 0.0f || endZ < 0.0f) return WireFault::BELOW_GROUND;
    if (startZ == 0.0f && endZ == 0.0f) return WireFault::IN_GROUND_PLANE;
    return WireFault::NONE;
}

}  // namespace

UnsolvableWire FindUnsolvableWire(const CQuadrellDoc& doc, CPoint origin) {
    for (ElementPosition position = doc.GetFirstElementPosition(); position;) {
        const CElement* element = doc.GetNextElement(position);
        if (element->GetType() != ELEMENT_WIRE) continue;
        const WireFault fault =
            FaultOf(static_cast<const CWire&>(*element), origin, doc.GetGround());
        if (fault != WireFault::NONE) return {element, fault};
    }
    return {};
}

std::string UnsolvableWireMessage(const UnsolvableWire& found) {
    if (found.wire == nullptr) return {};
    const CElement& wire = *found.wire;
    std::string what;
    switch (found.fault) {
        case WireFault::NONE:
            return {};
        case WireFault::NO_LENGTH:
            what = "has no length: its two ends are written as one point.";
            break;
        case WireFault::NO_RADIUS:
            what = "has a radius of " + FormatCardNumber(wire.GetRadius()) +
                   "; a wire needs a radius greater than 0.";
            break;
        case WireFault::NO_SEGMENTS:
            what = "has " + FormatCardNumber(wire.GetSegments(), 5) +
                   " segments; a wire needs at least one.";
            break;
        case WireFault::NOT_FINITE:
            what = "has a number too large to write.";
            break;
        case WireFault::BELOW_GROUND:
        case WireFault::IN_GROUND_PLANE:
            return "The wire from " + FormatReadoutPoint(wire.GetStartX(), wire.GetStartY()) +
                   " to " + FormatReadoutPoint(wire.GetEndX(), wire.GetEndY()) +
                   (found.fault == WireFault::BELOW_GROUND
                        ? " goes below the ground. Over a ground every wire must stay at a "
                          "height of 0 or more."
                        : " lies in the ground plane. Over a ground a wire may touch the ground "
                          "with one end only.") +
                   "\n\nFile Not Created";
    }
    return "The wire starting at " + FormatReadoutPoint(wire.GetStartX(), wire.GetStartY()) + " " +
           what + "\n\nFile Not Created";
}

std::string FrequencyCard(const FrequencySettings& frequency) {
    return "FR 0 " + Integer(frequency.m_nSteps) + " 0 0 " + FrequencyText(frequency.m_frequency) +
           " " + FrequencyText(frequency.m_increment) + " 0 0 0 0";
}

std::string PatternCard(const PatternSettings& pattern) {
    return "RP " + Integer(pattern.m_mode) + " " + Integer(pattern.m_nTheta) + " " +
           Integer(pattern.m_nPhi) + " " + Integer(pattern.m_outputFormat) +
           Integer(pattern.m_normalization) + Integer(pattern.m_gain) +
           Integer(pattern.m_averaging) + " " + Fixed3(pattern.m_thetaStart) + " " +
           Fixed3(pattern.m_phiStart) + " " + Fixed3(pattern.m_thetaStep) + " " +
           Fixed3(pattern.m_phiStep);
}

DeckText WriteDeck(const CQuadrellDoc& doc, const FrequencySettings& frequency,
                   const PatternSettings& pattern, CPoint origin, int& tagCounter) {
    DeckText deck;
    std::string& text = deck.text;
    const GroundSettings& ground = doc.GetGround();
    text += "CM NEC2D Input File Generated by Quadrell";
    text += kLineEnd;
    if (const std::string comment = DrawingCommentCard(ground); !comment.empty()) {
        text += comment;
        text += kLineEnd;
    }
    text += "CE";
    text += kLineEnd;

    tagCounter = 0;
    for (ElementPosition position = doc.GetFirstElementPosition(); position;) {
        const CElement* element = doc.GetNextElement(position);
        if (element->GetType() != ELEMENT_WIRE) continue;
        ++tagCounter;
        text += WireCardInSpace(static_cast<const CWire&>(*element), tagCounter, origin, ground);
        text += kLineEnd;
    }
    text += GeometryEndCard(ground);
    text += kLineEnd;
    // The ground is a setting of the run, read before the first solution.
    if (const std::string card = GroundCard(ground); !card.empty()) {
        text += card;
        text += kLineEnd;
    }

    for (ElementPosition position = doc.GetFirstElementPosition(); position;) {
        const CElement* element = doc.GetNextElement(position);
        if (element->GetType() != ELEMENT_SOURCE) continue;
        if (!AppendSourceCard(doc, *element, origin, text)) {
            deck.allSourcesConnected = false;
            return deck;
        }
    }

    text += FrequencyCard(frequency);
    text += kLineEnd;
    text += PatternCard(pattern);
    text += kLineEnd;
    text += "EN";
    return deck;
}
