#pragma once

#include <string>

#include "model/GroundSettings.h"
#include "model/Point.h"

class CWire;

// A point of the deck's space, in metres.
struct SpacePoint {
    float x = 0;
    float y = 0;
    float z = 0;
};

// Where a drawing point at a wire's own `height` lies in the deck, the
// drawing's (0, 0) being `origin`. Horizontal: X = x, Y = -y (the screen's y
// runs down) and Z = height + origin height. Upright: X = x, Y = 0 and the
// screen's up is Z above the origin height; the wire's own height is unused.
SpacePoint PlaceInSpace(const GroundSettings& ground, CPoint origin, float x, float y,
                        float height);

// The GW card of `wire` with `tag`, its ends placed as above. A horizontal
// design at height 0 gets the wire's own card text.
std::string WireCardInSpace(const CWire& wire, int tag, CPoint origin,
                            const GroundSettings& ground);

// "GE" in free space; "GE 1" over a ground, so that wires touching it are
// joined to their images.
std::string GeometryEndCard(const GroundSettings& ground);

// The GN card of the ground: empty in free space, "GN 1" for a perfect
// ground, and "GN 2 0 0 0 <er> <sigma>" (Sommerfeld-Norton) for real ground.
std::string GroundCard(const GroundSettings& ground);
