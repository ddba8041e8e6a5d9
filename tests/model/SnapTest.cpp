#include <gtest/gtest.h>

#include <memory>
#include <ostream>
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
    float x;
    float y;
    float length = 0;
    float angle = 0;
};

ElementPlan Wire(float x, float y, float length, float angle) {
    return {true, x, y, length, angle};
}
ElementPlan Source(float x, float y) { return {false, x, y}; }

// Builds the document so that its list runs in the order given (all wires
// first, then the sources), inserting the way the editor does.
std::vector<CElement*> Build(CQuadrellDoc& doc, const std::vector<ElementPlan>& plans) {
    std::vector<CElement*> elements(plans.size());
    for (std::size_t i = plans.size(); i-- > 0;) {
        const ElementPlan& s = plans[i];
        if (s.isWire) {
            elements[i] = doc.AddElementAtHead(
                std::make_unique<CWire>(s.x, s.y, 0, s.length, 0.005f, 5, s.angle));
        }
    }
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const ElementPlan& s = plans[i];
        if (!s.isWire)
            elements[i] = doc.AddElementAtTail(std::make_unique<CSource>(s.x, s.y, 0, 1, 0));
    }
    return elements;
}

const GridPoints kGrid = MakeGridPoints();

struct SnapCase {
    std::string name;
    std::vector<ElementPlan> elements;
    int selected;
    CPoint mouse;
    CPoint offset;
    int mode;
    int grabbedEnd;
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
    {"FirstElementInListWinsOtherOrder", {kDragged, kOffGrid, Wire(-244, -146, 100, 0)}, 0, {-247, -148}, {0, 0}, SNAP_ELEMENT, GRAB_START, {-250, -150}},
    {"OwnEndsAreNeverTargets", {kDragged, kOnGrid}, 0, {302, 1}, {5, 5}, SNAP_ELEMENT, GRAB_START, {307, 6}},
    {"WireEndOnSourceCentre", {kDragged, Source(250, 150)}, 0, {253, 148}, {1, 1}, SNAP_ALL, GRAB_END, {150, 150}},
    {"WireStartOnSourceCentre", {kDragged, Source(250, 150)}, 0, {253, 148}, {1, 1}, SNAP_ELEMENT, GRAB_START, {250, 150}},
    {"NoEndGrabbedYet", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_ALL, 0, {-251, -146}},

    // The origin, and the order of the list.
    {"OriginBeatsLaterElementStart", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {0, 0}},
    {"ElementModeIgnoresTheOrigin", {Wire(300, 200, 100, 0), Wire(8, 5, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ELEMENT, GRAB_START, {8, 5}},
    {"EarlierElementStartBeatsTheOrigin", {Wire(8, 5, 100, 0), Wire(300, 200, 100, 0), Source(-250, 250)}, 2, {5, 3}, {0, 0}, SNAP_ALL, GRAB_START, {8, 5}},
    {"OriginInTheDraggedElementsOwnTurn", {kDragged}, 0, {5, 5}, {2, 2}, SNAP_ALL, GRAB_START, {0, 0}},

    // Targets with fractions are truncated towards zero.
    {"SourceOnSlantedWireEndIsTruncated", {Wire(0, 0, 100, 30), Source(-250, 250)}, 1, {88, 52}, {0, 0}, SNAP_ALL, GRAB_START, {86, 50}},
    {"SourceGrabbedAtEndStillPutsItsCentre", {Wire(0, 0, 100, 30), Source(-250, 250)}, 1, {88, 52}, {3, -2}, SNAP_ELEMENT, GRAB_END, {86, 50}},
    {"NegativeTargetTruncatesTowardsZero", {Wire(0, 0, 100, 210), Source(250, 250)}, 1, {-88, -52}, {0, 0}, SNAP_ALL, GRAB_START, {-86, -50}},
    {"SlantedWireGrabbedAtEnd", {Wire(0, 0, 100, 30), kOffGrid}, 0, {-247, -152}, {0, 0}, SNAP_ELEMENT, GRAB_END, {-336, -200}},
    {"SlantedWireEndOnTheOrigin", {Wire(200, 200, 100, 30)}, 0, {4, -3}, {0, 0}, SNAP_ALL, GRAB_END, {-86, -50}},

    // The grid.
    {"GridPointNearTheMouse", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_GRID, GRAB_START, {100, 200}},
    {"GridTooFarAway", {kDragged, kOffGrid}, 0, {150, 150}, {-4, 6}, SNAP_GRID, GRAB_START, {146, 156}},
    {"GridModeIgnoresElementEnds", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_GRID, GRAB_START, {-251, -146}},
    {"GridModeTakesTheOriginForTheEnd", {kDragged, kOffGrid}, 0, {7, -9}, {-4, 6}, SNAP_GRID, GRAB_END, {-100, 0}},
    {"AllModeUsesTheGridWithTheGrabbedEnd", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_ALL, GRAB_END, {0, 200}},
    {"ElementModeNearTheOriginOnly", {kDragged, kOffGrid}, 0, {3, 4}, {-4, 6}, SNAP_ELEMENT, GRAB_START, {-1, 10}},
    {"ElementModeIgnoresTheGrid", {kDragged, kOffGrid}, 0, {93, 212}, {-4, 6}, SNAP_ELEMENT, GRAB_START, {89, 218}},

    // No snapping.
    {"OffKeepsMousePlusOffset", {kDragged, kOffGrid}, 0, {-247, -152}, {-4, 6}, SNAP_OFF, GRAB_START, {-251, -146}},
    {"UnknownModeDoesNotSnap", {kDragged, kOffGrid}, 0, {1, 1}, {-4, 6}, 7, GRAB_START, {-3, 7}},
};
// clang-format on

void PrintTo(const SnapCase& c, std::ostream* os) { *os << c.name; }

class SnapDragStartTest : public testing::TestWithParam<SnapCase> {};

TEST_P(SnapDragStartTest, GivesTheNewStartPoint) {
    const SnapCase& c = GetParam();
    CQuadrellDoc doc;
    const std::vector<CElement*> elements = Build(doc, c.elements);
    const CElement& selected = *elements[static_cast<std::size_t>(c.selected)];
    const CPoint start =
        SnapDragStart(doc, selected, c.mouse, c.offset, c.mode, c.grabbedEnd, CPoint{0, 0}, kGrid);
    EXPECT_EQ(start.x, c.expected.x);
    EXPECT_EQ(start.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(Cases, SnapDragStartTest, testing::ValuesIn(kSnapCases),
                         [](const testing::TestParamInfo<SnapCase>& info) {
                             return info.param.name;
                         });

TEST(SnapDragStart, FirstMoveBringsADeckFractionOntoWholeUnits) {
    CQuadrellDoc doc;
    CElement* wire =
        doc.AddElementAtHead(std::make_unique<CWire>(10.7f, -20.3f, 0, 50, 0.005f, 5, 0));
    const CPoint press{12, -21};
    const CPoint offset = GrabOffset(*wire, press);
    EXPECT_EQ(offset, (CPoint{-1, 0}));

    const CPoint start =
        SnapDragStart(doc, *wire, press, offset, SNAP_OFF, GRAB_START, CPoint{0, 0}, kGrid);
    CRecordingSurface surface;
    wire->MoveStartTo(start, surface, true);
    EXPECT_EQ(wire->GetStartX(), 11.0f);
    EXPECT_EQ(wire->GetStartY(), -21.0f);
    EXPECT_FLOAT_EQ(wire->GetEndX(), 61.0f);
}

TEST(SnapDragStart, SnappedSourceFeedsTheWireEndExactly) {
    // A whole-number wire end takes the source's centre exactly, as the deck
    // writer needs to attach the source.
    CQuadrellDoc doc;
    doc.AddElementAtHead(std::make_unique<CWire>(0, 0, 0, 100, 0.005f, 5, 0));
    CElement* source = doc.AddElementAtTail(std::make_unique<CSource>(-200, 200, 0, 1, 0));
    const CPoint press{-198, 203};
    const int grabbed = GrabbedEndAfterPress(*source, press, 0);
    const CPoint start = SnapDragStart(doc, *source, {104, -6}, GrabOffset(*source, press),
                                       SNAP_ALL, grabbed, CPoint{0, 0}, kGrid);
    EXPECT_EQ(start, (CPoint{100, 0}));
}

struct GrabCase {
    std::string name;
    ElementPlan element;
    CPoint press;
    int previous;
    int expected;
};

const std::vector<GrabCase> kGrabCases = {
    {"FlatStartHalf", Wire(0, 0, 100, 0), {30, 1}, 0, GRAB_START},
    {"FlatMidpoint", Wire(0, 0, 100, 0), {50, 0}, 0, GRAB_END},
    {"FlatEndHalf", Wire(0, 0, 100, 0), {70, 0}, GRAB_START, GRAB_END},
    {"Full360StartHalf", Wire(0, 0, 100, 360), {30, 0}, GRAB_END, GRAB_START},
    {"ReversedEndHalf", Wire(0, 0, 100, 180), {-50, 0}, 0, GRAB_END},
    {"ReversedStartHalf", Wire(0, 0, 100, 180), {-20, 0}, 0, GRAB_START},
    {"DownStartHalf", Wire(0, 0, 100, 90), {0, 20}, 0, GRAB_START},
    {"DownEndHalf", Wire(0, 0, 100, 90), {1, 80}, 0, GRAB_END},
    {"DownSplitLineKeepsNone", Wire(0, 0, 100, 90), {0, 50}, 0, 0},
    {"DownSplitLineKeepsEnd", Wire(0, 0, 100, 90), {0, 50}, GRAB_END, GRAB_END},
    {"UpStartHalf", Wire(0, 0, 100, 270), {0, -20}, 0, GRAB_START},
    {"UpEndHalf", Wire(0, 0, 100, 270), {0, -80}, 0, GRAB_END},
    {"UpSplitLineKeepsStart", Wire(0, 0, 100, 270), {0, -50}, GRAB_START, GRAB_START},
    {"SlantedUpEndHalf", Wire(0, 0, 100, 300), {40, -70}, 0, GRAB_END},
    {"SlantedDownStartHalf", Wire(0, 0, 100, 45), {10, 10}, GRAB_END, GRAB_START},
    {"AngleBelowZeroCountsAsUp", Wire(0, 0, 100, -90), {0, -20}, 0, GRAB_START},
    {"AngleBeyond360CountsAsDown", Wire(0, 0, 100, 450), {0, 80}, 0, GRAB_END},
    {"SourceLeftHalf", Source(100, 50), {97, 50}, 0, GRAB_START},
    {"SourceRightHalf", Source(100, 50), {103, 48}, 0, GRAB_END},
};

void PrintTo(const GrabCase& c, std::ostream* os) { *os << c.name; }

class GrabbedEndTest : public testing::TestWithParam<GrabCase> {};

TEST_P(GrabbedEndTest, FollowsTheHalfThatWasPressed) {
    const GrabCase& c = GetParam();
    CQuadrellDoc doc;
    const CElement& element = *Build(doc, {c.element}).front();
    EXPECT_EQ(GrabbedEndAfterPress(element, c.press, c.previous), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrabbedEndTest, testing::ValuesIn(kGrabCases),
                         [](const testing::TestParamInfo<GrabCase>& info) {
                             return info.param.name;
                         });

TEST(GrabOffset, TruncatesTheDifferenceTowardsZero) {
    const CWire wire(-10.5f, 20.75f, 0, 100, 0.005f, 5, 0);
    EXPECT_EQ(GrabOffset(wire, {0, 0}), (CPoint{-10, 20}));
    EXPECT_EQ(GrabOffset(wire, {-30, 25}), (CPoint{19, -4}));
    const CSource source(100, 50, 0, 1, 0);
    EXPECT_EQ(GrabOffset(source, {103, 46}), (CPoint{-3, 4}));
}

TEST(GridPoints, RunXOuterYInnerInStepsOfHundred) {
    const GridPoints grid = MakeGridPoints();
    for (int x = -500; x <= 500; x += 100) {
        for (int y = -300; y <= 300; y += 100) {
            const std::size_t index = static_cast<std::size_t>((x / 100 + 5) * 7 + (y / 100 + 3));
            EXPECT_EQ(grid[index], (CPoint{x, y})) << index;
        }
    }
    EXPECT_EQ(grid[0], (CPoint{-500, -300}));
    EXPECT_EQ(grid[6], (CPoint{-500, 300}));
    EXPECT_EQ(grid[38], (CPoint{0, 0}));
    EXPECT_EQ(grid[76], (CPoint{500, 300}));
}

TEST(SnapModeText, NamesEachMode) {
    EXPECT_STREQ(SnapModeText(SNAP_ALL), "Snap On");
    EXPECT_STREQ(SnapModeText(SNAP_OFF), "Snap Off");
    EXPECT_STREQ(SnapModeText(SNAP_GRID), "Snap Grid");
    EXPECT_STREQ(SnapModeText(SNAP_ELEMENT), "Snap Element");
    EXPECT_STREQ(SnapModeText(-1), "Snap Off");
}

}  // namespace
