#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/GroundSettings.h"

// The drawing plane and origin height of a design, as a deck keeps them in a
// comment card so that an import gives them back when the wires alone cannot
// tell (an upright design whose wires are all level, the origin's height).
struct DrawingComment {
    DrawingPlane plane = DrawingPlane::HORIZONTAL;
    double originHeight = 0.0;
};

// "CM Drawing plane X-Z, origin height 10. m" (X-Y for a horizontal design;
// the height as the other cards write numbers), without a line end; empty
// for a horizontal design at height 0, whose deck needs no such card.
std::string DrawingCommentCard(const GroundSettings& ground);

// The plane and height of such a card, given one line of a deck without its
// line end; nothing when the line is any other card.
std::optional<DrawingComment> ReadDrawingComment(std::string_view line);
