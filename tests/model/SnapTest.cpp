#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "model/Snap.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"

namespace {

struct ElementPlan {
    bool isWire;
    float x, y, length = 0, angle = 0;
};

ElementPlan Wire(float x, float y, float length, float angle) {
    return {true, x, y, length, angle};
}
ElementPlan Source(float x, float y) { return {false, x, y}; }

// A document whose list runs in the order given.
std::vector<CElement*> Build(CQuadrellDoc& doc, const std::vector<ElementPlan>& plans) {
    std::vector<CElement*> elements;
    for (const ElementPlan& s : plans) {
        elements.push_back(
            doc.AddElementAtTail(s.isWire ? std::unique_ptr<CElement>(std::make_unique<CWire>(
                                                s.x, s.y, 0, s.length, 0.005f, 5, s.angle))
                                          : std::make_unique<CSource>(s.x, s.y, 0, 1, 0)));
    }
    return elements;
}

const GridPoints kGrid = MakeGridPoints();

struct SnapCase {
    std::string name;
    std::vector<ElementPlan> elements;
    int selected;
    CPoint mouse, offset;
    int mode, grabbedEnd;
    CPoint expected;
};

// The dragged wire: (300, 0) to (400, 0), far from every target below.
const ElementPlan kDragged = Wire(300, 0, 100, 0);
// A vertical wire starting at (-100, -100), which is also a grid point.
const ElementPlan kOnGrid = Wire(-100, -100, 100, 90);
// A horizontal wire from (-250, -150) to (-150, -150), away from the grid.
const ElementPlan kOffGrid = Wire(-250, -150, 100, 0);

// Rows: name, list, selected index, mouse, grab offset, mode, grabbed end, new start.
// clang-format off
const std::vector<SnapCase> kSnapCases = {
    // Element ends.
    {"StartLandsOnAnotherStartWhateverTheOffset", {kDragged, kOnGrid}, 0, {-95, -100}, {37, -12}, SNAP_ALL, GRAB_START, {-100, -100}},
    {"GrabbedEndPutsTheEndOnTheTarget", {kDragged, kOnGrid}, 0, {-95, -100}, {37, -12}, SNAP_ALL, GRAB_END, {-200, -100}},
    {"EndOfAnotherWire", {kDragged, kOffGrid}, 0, {-147, -153}, {3, 3}, SNAP_ALL, GRAB_START, {-150, -150}},
    {"EndFoundLaterReplacesGridTarget", {kDragged, Wire(-108, -100, 100, 90)}, 0, {-105, -100}, {0, 0}, SNAP_ALL, GRAB_START, {-108, -100}},
    {"StartBeatsEndOfTheSameShortWire", {kDragged, Wire(-250, -150, 6, 0)}, 0, {-247, -150}, {0, 0}, SNAP_ELEMENT, GRAB_START, {-250, -150}},
    {"FirstElementInListWins", {kDragged, Wire(-244, -146, 100, 0), kOffGrid}, 0, {-247, -148}, {0, 0}, SNAP_ELEMENT, GRAB_START, {-244, -146}},
    {"OwnEndsAreNeverTargets", {kDragged, kOnGrid}, 0, {302, 1}, {5, 5}, SNAP_ELEMENT, GRAB_START, {307, 6}},
    {"WireEndOnSourceCentre", {kDragged, Source(250, 150)}, 0, {253, 148}, {1, 1}, SNAP_ALL, GRAB_END, {150, 150}},
    {"SourceGrabbedAtEndStillPutsItsCentre", {Wire(0, 0, 100, 30), Source(-250, 250)}, 1, {88, 52}, {3, -2}, SNAP_ELEMENT, GRAB_END, {86, 50}},
    {"NoEndGrabbedYet", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_ALL, 0, {-251, -146}},
    // The origin, and the order of the list.
    {"OriginBeatsLaterElementStart", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {0, 0}},
    {"ElementModeIgnoresTheOrigin", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ELEMENT, GRAB_START, {8, 5}},
    {"EarlierElementStartBeatsTheOrigin", {Wire(8, 5, 100, 0), Wire(300, 200, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {8, 5}},
    {"OriginInTheDraggedElementsOwnTurn", {kDragged}, 0, {5, 5}, {2, 2}, SNAP_ALL, GRAB_START, {0, 0}},
    {"SlantedWireEndOnTheOrigin", {Wire(200, 200, 100, 30)}, 0, {4, -3}, {0, 0}, SNAP_ALL, GRAB_END, {-86, -50}},
    // Targets with fractions are truncated towards zero.
    {"NegativeTargetTruncatesTowardsZero", {Wire(0, 0, 100, 210), Source(250, 250)}, 1, {-88, -52}, {0, 0}, SNAP_ALL, GRAB_START, {-86, -50}},
    // The grid.
    {"GridPointNearTheMouse", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_GRID, GRAB_START, {100, 200}},
    {"GridModeIgnoresElementEnds", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_GRID, GRAB_START, {-251, -146}},
    {"AllModeUsesTheGridWithTheGrabbedEnd", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_ALL, GRAB_END, {0, 200}},
    {"OffKeepsMousePlusOffset", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_OFF, GRAB_START, {-251, -146}},
};
// clang-format on

TEST(SnapDragStart, GivesTheNewStartPoint) {
    for (const SnapCase& c : kSnapCases) {
        SCOPED_TRACE(c.name);
        CQuadrellDoc doc;
        const CElement& selected = *Build(doc, c.elements).at(std::size_t(c.selected));
        EXPECT_EQ(SnapDragStart(doc, selected, c.mouse, c.offset, c.mode, c.grabbedEnd, {}, kGrid),
                  c.expected);
    }
}

// The first move of a wire from a deck lands its start on whole units.
TEST(SnapDragStart, TheGrabOffsetIsTruncatedTowardsZero) {
    CQuadrellDoc doc;
    CElement* wire =
        doc.AddElementAtHead(std::make_unique<CWire>(10.7f, -20.3f, 0, 50, 0.005f, 5, 0));
    const CPoint press{12, -21};
    const CPoint offset = GrabOffset(*wire, press);
    EXPECT_EQ(offset, (CPoint{-1, 0}));
    CRecordingSurface surface;
    wire->MoveStartTo(SnapDragStart(doc, *wire, press, offset, SNAP_OFF, GRAB_START, {}, kGrid),
                      surface, true);
    EXPECT_EQ(wire->GetStartX(), 11.0f);
    EXPECT_EQ(wire->GetStartY(), -21.0f);
}

// A press grabs the end on whose half it lies: split along x for a level
// element, along y otherwise; exactly on a slanted split it keeps the last.
TEST(GrabbedEndAfterPress, FollowsTheHalfThatWasPressed) {
    const struct {
        float angle;
        CPoint press;
        int previous, expected;
    } cases[] = {
        // clang-format off
        {0, {30, 1}, 0, GRAB_START}, {0, {50, 0}, 0, GRAB_END}, {0, {70, 0}, GRAB_START, GRAB_END},
        {360, {30, 0}, GRAB_END, GRAB_START}, {180, {-50, 0}, 0, GRAB_END}, {180, {-20, 0}, 0, GRAB_START},
        {90, {0, 20}, 0, GRAB_START}, {90, {1, 80}, 0, GRAB_END},
        {90, {0, 50}, GRAB_END, GRAB_END}, {90, {0, 50}, GRAB_START, GRAB_START},
        {270, {0, -20}, 0, GRAB_START}, {270, {0, -80}, 0, GRAB_END},
        {270, {0, -50}, GRAB_END, GRAB_END}, {270, {0, -50}, GRAB_START, GRAB_START},
        {-90, {0, -20}, 0, GRAB_START}, {450, {0, 80}, 0, GRAB_END},
        // clang-format on
    };
    for (const auto& c : cases) {
        const CWire wire(0, 0, 0, 100, 0.005f, 5, c.angle);
        EXPECT_EQ(GrabbedEndAfterPress(wire, c.press, c.previous), c.expected)
            << c.angle << " at " << c.press.x << ", " << c.press.y << " after " << c.previous;
    }
    // A source counts as level, from its centre to its right arm.
    EXPECT_EQ(GrabbedEndAfterPress(CSource(100, 50, 0, 1, 0), {103, 48}, 0), GRAB_END);
}

TEST(Snap, GridAndModeTexts) {
    const GridPoints grid = MakeGridPoints();
    EXPECT_EQ(grid[0], (CPoint{-500, -300}));
    EXPECT_EQ(grid[1], (CPoint{-500, -200}));
    EXPECT_EQ(grid[38], (CPoint{0, 0}));
    EXPECT_EQ(grid[76], (CPoint{500, 300}));
    const char* texts[] = {"Snap Off", "Snap On", "Snap Grid", "Snap Element", "Snap Off"};
    for (int mode = SNAP_OFF; mode <= 4; ++mode) EXPECT_STREQ(SnapModeText(mode), texts[mode]);
    EXPECT_STREQ(SnapModeText(-1), "Snap Off");
}

}  // namespace
