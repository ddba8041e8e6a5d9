#pragma once

#include <vector>

#include "solver/DeckReader.h"

// One segment as nec2c prints it in its segmentation data: centre, length,
// orientation (alpha is the elevation above the XY plane, beta the azimuth,
// both in degrees), radius and tag.
struct SegmentRecord {
    double x = 0, y = 0, z = 0;
    double length = 0;
    double alpha = 0, beta = 0;
    double radius = 0;
    long tag = 0;
};

// One row of the listing's wire table: a straight wire from end 1 to end 2.
struct WireRow {
    double x1 = 0, y1 = 0, z1 = 0;
    double x2 = 0, y2 = 0, z2 = 0;
    double radius = 0;
    long segments = 0;
    long tag = 0;
};

// The straight wires of each structure of the deck (a deck holds one
// structure, or more after NX cards) exactly as its GW cards give them, scaled
// by later GS cards. Wires that a later GM card moves, or that a GF card
// replaces, are dropped: their segments can only be shown as nec2c placed them.
std::vector<std::vector<WireRow>> ExactWiresOfStructures(const std::vector<DeckCard>& cards);

// The wire table of one structure: each exact wire that nec2c's segments
// confirm (same tag, same number of segments, same end points within nec2c's
// printed precision) becomes one row with the deck's own numbers; every other
// segment (arcs, helices, copies, moved wires) becomes a row of its own, its
// ends taken from nec2c's centre, length and orientation. Rows follow nec2c's
// segment order.
std::vector<WireRow> BuildWireRows(const std::vector<WireRow>& exactWires,
                                   const std::vector<SegmentRecord>& segments);
