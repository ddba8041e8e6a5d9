#include "nec/DeckSpace.h"

#include "model/CardNumber.h"
#include "model/Wire.h"

SpacePoint PlaceInSpace(const GroundSettings& ground, CPoint origin, float x, float y,
                        float height) {
    const float deckX = x - static_cast<float>(origin.x);
    const float deckY = -(y - static_cast<float>(origin.y));
    // Adding the height in double rounds once, and turns a -0 into 0.
    const auto lifted = [&ground](float z) {
        return static_cast<float>(static_cast<double>(z) + ground.originHeight);
    };
    if (ground.plane == DrawingPlane::UPRIGHT) return {deckX, 0.0f, lifted(deckY)};
    return {deckX, deckY, lifted(height)};
}

std::string WireCardInSpace(const CWire& wire, int tag, CPoint origin,
                            const GroundSettings& ground) {
    if (ground.plane == DrawingPlane::HORIZONTAL && ground.originHeight == 0.0)
        return wire.GetCardText(tag, 0, origin.x, origin.y);
    const SpacePoint start =
        PlaceInSpace(ground, origin, wire.GetStartX(), wire.GetStartY(), wire.GetStartZ());
    const SpacePoint end =
        PlaceInSpace(ground, origin, wire.GetEndX(), wire.GetEndY(), wire.GetEndZ());
    std::string card = "GW " + std::to_string(tag) + ' ' + FormatCardNumber(wire.GetSegments(), 5);
    for (const float value : {start.x, start.y, start.z, end.x, end.y, end.z, wire.GetRadius()}) {
        card += ' ';
        card += FormatCardNumber(value);
    }
    return card;
}

std::string GeometryEndCard(const GroundSettings& ground) {
    return ground.kind == GroundKind::FREE_SPACE ? "GE" : "GE 1";
}

std::string GroundCard(const GroundSettings& ground) {
    switch (ground.kind) {
        case GroundKind::FREE_SPACE:
            return {};
        case GroundKind::PERFECT:
            return "GN 1";
        case GroundKind::REAL:
            return "GN 2 0 0 0 " + FormatCardNumber(ground.permittivity) + ' ' +
                   FormatCardNumber(ground.conductivity);
    }
    return {};
}
