#pragma once

#include <string>

#include "model/Point.h"
#include "nec/RunSettings.h"

class CElement;
class CQuadrellDoc;

// The text of a NEC2D input deck, or as much of it as could be made.
struct DeckText {
    // Lines end in CR LF, except the final "EN", which has no line end.
    std::string text;
    // False when a source sits on no wire end. The text then stops after the
    // EX lines written before that source, and no deck may be saved from it.
    bool allSourcesConnected = true;
};

// What makes a wire one that NEC-2 cannot solve.
enum class WireFault {
    NONE,
    NO_LENGTH,    // both ends are written as one point
    NO_RADIUS,    // a radius of 0 or less
    NO_SEGMENTS,  // fewer than one segment
    NOT_FINITE,   // a coordinate, radius or count that is infinite or not a number
    // Only over a ground:
    BELOW_GROUND,     // an end below height 0
    IN_GROUND_PLANE,  // both ends at height 0
};

struct UnsolvableWire {
    const CElement* wire = nullptr;  // null when every wire can be solved
    WireFault fault = WireFault::NONE;
};

// The first wire in list order whose GW card, written relative to `origin`
// and placed over the design's ground, the solver would refuse or choke on,
// and why.
UnsolvableWire FindUnsolvableWire(const CQuadrellDoc& doc, CPoint origin);

// The message for such a wire, naming its start as the coordinate readout
// shows it, then what is wrong: "The wire starting at (0., 100.) has a radius
// of 0.; a wire needs a radius greater than 0.\n\nFile Not Created". A wire
// below or in the ground is named by its start and end instead.
std::string UnsolvableWireMessage(const UnsolvableWire& found);

// Writes the design as a deck: CM, the drawing comment when the plane or
// height is not the default, CE, one GW per wire placed in space by the
// design's ground settings, GE, the ground's GN card, one EX per source, FR,
// RP and EN. Wires are tagged 1, 2, 3 ... in list order, counted in
// `tagCounter`, which starts from 0. A source feeds a wire end that lies
// within 0.1 of its centre in x and in y (strictly), the nearest in space of
// those; of ends equally near, the first wire in list order, its start before
// its end. Its card names that wire's tag and segment 1 for the start, the
// wire's last segment for the end. Cards are written relative to `origin`.
DeckText WriteDeck(const CQuadrellDoc& doc, const FrequencySettings& frequency,
                   const PatternSettings& pattern, CPoint origin, int& tagCounter);

// "FR 0 <steps> 0 0 <frequency> <increment> 0 0 0 0". Both numbers have three
// decimals, or more when three would not read back as the same float.
std::string FrequencyCard(const FrequencySettings& frequency);
// "RP <mode> <theta count> <phi count> XNDA <theta0> <phi0> <dtheta> <dphi>",
// the four XNDA digits written together.
std::string PatternCard(const PatternSettings& pattern);
