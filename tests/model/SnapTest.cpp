#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "model/QuadrellDoc.h"
#include "model/Snap.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

// A wire from (x, y) with a length and angle, or a source at (x, y) when it has no angle.
using Plan = std::tuple<float, float, float, float>;
Plan Wire(float x, float y, float length, float angle) { return {x, y, length, angle}; }
Plan Source(float x, float y) { return {x, y, 0, NAN}; }

const GridPoints kGrid = MakeGridPoints();
// The dragged wire, far from every target; a wire starting on a grid point; one away from the grid.
const Plan kDragged = Wire(300, 0, 100, 0), kOnGrid = Wire(-100, -100, 100, 90);
const Plan kOffGrid = Wire(-250, -150, 100, 0);
// Wires whose ends have fractions: snapping meets them exactly.
const CWire kAt30(0, 0, 0, 100, 1, 5, 30), kAt210(0, 0, 0, 100, 1, 5, 210);
const CPointF kEndAt30{kAt30.GetEndX(), kAt30.GetEndY()};

TEST(SnapDragStart, GivesTheNewStartPoint) {
    // Rows: name, list, selected index, mouse, grab offset, mode, grabbed end, new start.
    // clang-format off
    const std::tuple<const char*, std::vector<Plan>, int, CPoint, CPointF, int, int, CPointF> cases[] = {
    // Element ends.
    {"StartLandsOnAnotherStartWhateverTheOffset", {kDragged, kOnGrid}, 0, {-95, -100}, {37, -12}, SNAP_ALL, GRAB_START, {-100, -100}},
    {"GrabbedEndPutsTheEndOnTheTarget", {kDragged, kOnGrid}, 0, {-95, -100}, {37, -12}, SNAP_ALL, GRAB_END, {-200, -100}},
    {"EndOfAnotherWire", {kDragged, kOffGrid}, 0, {-147, -153}, {3, 3}, SNAP_ALL, GRAB_START, {-150, -150}},
    {"EndFoundLaterReplacesGridTarget", {kDragged, Wire(-108, -100, 100, 90)}, 0, {-105, -100}, {0, 0}, SNAP_ALL, GRAB_START, {-108, -100}},
    {"StartBeatsEndOfTheSameShortWire", {kDragged, Wire(-250, -150, 6, 0)}, 0, {-247, -150}, {0, 0}, SNAP_ELEMENT, GRAB_START, {-250, -150}},
    {"FirstElementInListWins", {kDragged, Wire(-244, -146, 100, 0), kOffGrid}, 0, {-247, -148}, {0, 0}, SNAP_ELEMENT, GRAB_START, {-244, -146}},
    {"OwnEndsAreNeverTargets", {kDragged, kOnGrid}, 0, {302, 1}, {5, 5}, SNAP_ELEMENT, GRAB_START, {307, 6}},
    {"WireEndOnSourceCentre", {kDragged, Source(250, 150)}, 0, {253, 148}, {1, 1}, SNAP_ALL, GRAB_END, {150, 150}},
    {"SourceGrabbedAtEndStillPutsItsCentre", {Wire(0, 0, 100, 30), Source(-250, 250)}, 1, {88, 52}, {3, -2}, SNAP_ELEMENT, GRAB_END, kEndAt30},
    {"NoEndGrabbedYet", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_ALL, 0, {-251, -146}},
    // The origin, and the order of the list.
    {"OriginBeatsLaterElementStart", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {0, 0}},
    {"ElementModeIgnoresTheOrigin", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ELEMENT, GRAB_START, {8, 5}},
    {"EarlierElementStartBeatsTheOrigin", {Wire(8, 5, 100, 0), Wire(300, 200, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {8, 5}},
    {"OriginInTheDraggedElementsOwnTurn", {kDragged}, 0, {5, 5}, {2, 2}, SNAP_ALL, GRAB_START, {0, 0}},
    {"SlantedWireEndOnTheOrigin", {Wire(200, 200, 100, 30)}, 0, {4, -3}, {0, 0}, SNAP_ALL, GRAB_END, {-(CWire(200, 200, 0, 100, 1, 5, 30).GetEndX() - 200), -(CWire(200, 200, 0, 100, 1, 5, 30).GetEndY() - 200)}},
    // Targets with fractions are met exactly.
    {"NegativeTargetIsMetExactly", {Wire(0, 0, 100, 210), Source(250, 250)}, 1, {-88, -52}, {0, 0}, SNAP_ALL, GRAB_START, {kAt210.GetEndX(), kAt210.GetEndY()}},
    // The grid.
    {"GridPointNearTheMouse", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_GRID, GRAB_START, {100, 200}},
    {"GridModeIgnoresElementEnds", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_GRID, GRAB_START, {-251, -146}},
    {"AllModeUsesTheGridWithTheGrabbedEnd", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_ALL, GRAB_END, {0, 200}},
    {"OffKeepsMousePlusOffset", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_OFF, GRAB_START, {-251, -146}},
    };
    // clang-format on
    for (const auto& [name, plans, selected, mouse, offset, mode, grabbed, expected] : cases) {
        CQuadrellDoc doc;
        std::vector<CElement*> elements;
        for (const auto& [x, y, length, angle] : plans) {
            elements.push_back(doc.AddElementAtTail(
                std::isnan(angle) ? std::unique_ptr<CElement>(new CSource(x, y, 0, 1, 0))
                                  : std::make_unique<CWire>(x, y, 0, length, 1, 5, angle)));
        }
        EXPECT_EQ(
            SnapDragStart(doc, *elements.at(selected), mouse, {}, offset, mode, grabbed, {}, kGrid),
            expected)
            << name;
    }
}

// A press grabs the end on whose half it lies: split along x for a level
// element, along y otherwise; exactly on a slanted split it keeps the last.
TEST(GrabbedEndAfterPress, FollowsTheHalfThatWasPressed) {
    const std::tuple<float, CPointF, int, int> cases[] = {
        // clang-format off
        {0, {40, 1}, 0, GRAB_START}, {0, {50, 0}, 0, GRAB_END}, {0, {70, 0}, GRAB_START, GRAB_END},
        {360, {30, 0}, GRAB_END, GRAB_START}, {180, {-50, 0}, 0, GRAB_END}, {180, {-40, 0}, 0, GRAB_START},
        {90, {0, 40}, 0, GRAB_START}, {90, {1, 80}, 0, GRAB_END},
        {90, {0, 50}, GRAB_END, GRAB_END}, {90, {0, 50}, GRAB_START, GRAB_START},
        {270, {0, -40}, 0, GRAB_START}, {270, {0, -80}, 0, GRAB_END},
        {270, {0, -50}, GRAB_END, GRAB_END}, {270, {0, -50}, GRAB_START, GRAB_START},
        {-90, {0, -20}, 0, GRAB_START}, {450, {0, 80}, 0, GRAB_END}, {0.5f, {0, 0}, GRAB_END, GRAB_START},
        // clang-format on
    };
    for (const auto& [angle, press, previous, expected] : cases) {
        EXPECT_EQ(GrabbedEndAfterPress(CWire(0, 0, 0, 100, 1, 5, angle), press, previous), expected)
            << angle << " at " << press.x << ", " << press.y << " after " << previous;
    }
    // A source counts as level, from its centre to its right arm.
    EXPECT_EQ(GrabbedEndAfterPress(CSource(100, 50, 0, 1, 0), {103, 48}, 0), GRAB_END);
}

TEST(Snap, GrabOffsetGridAndModeTexts) {
    // A wire from a deck moves onto whole units: the offset truncates towards zero.
    EXPECT_EQ(GrabOffset(CWire(10.7f, -20.3f, 0, 50, 1, 5, 0), {12, -21}), (CPointF{-1, 0}));
    // x runs outside, y inside.
    EXPECT_EQ((std::array{kGrid[0], kGrid[1], kGrid[76]}),
              (std::array{CPoint{-500, -300}, CPoint{-500, -200}, CPoint{500, 300}}));
    const char* texts[] = {"Snap Off", "Snap On", "Snap Grid", "Snap Element", "Snap Off"};
    for (int mode = -1; mode <= 4; ++mode)
        EXPECT_STREQ(SnapModeText(mode), texts[mode < 0 ? 4 : mode]);
}

}  // namespace
