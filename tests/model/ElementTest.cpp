#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "model/ElementReadout.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"

namespace {

constexpr PenColor kBlack{0, 0, 0};
constexpr PenColor kGreen{0, 255, 0};
constexpr PenColor kRed{255, 0, 0};

using Segments = std::vector<std::pair<CPoint, CPoint>>;

std::vector<RecordedLine> Lines(const Segments& segments, PenColor color) {
    std::vector<RecordedLine> lines;
    for (const auto& [from, to] : segments) lines.push_back(RecordedLine{from, to, color});
    return lines;
}

CWire Wire(float x, float y, float length, float angle) {
    return CWire(x, y, 0, length, 0.005f, 5, angle);
}

TEST(Element, DrawsItsShapeInThePenOfHighlightAndMode) {
    const CWire wire = Wire(0, 0, 100, 0);
    const CWire point = Wire(20, 30, 0, 0);
    const CSource source(100, 50, 0, 1, 0);
    const struct {
        const CElement* element;
        PenColor color;
        Segments shape;
    } shapes[] = {
        // The arrowhead sits two thirds along, barbs 10 long opening back at 45 degrees.
        {&wire, kBlack, {{{0, 0}, {100, 0}}, {{66, 0}, {59, -7}}, {{66, 0}, {59, 7}}}},
        {&point, kBlack, {{{20, 30}, {20, 30}}, {{20, 30}, {12, 22}}, {{20, 30}, {12, 37}}}},
        {&source, kGreen, {{{100, 45}, {100, 55}}, {{105, 50}, {95, 50}}}},
    };
    for (const auto& s : shapes) {
        for (const bool highlight : {false, true}) {
            for (const int mode : {DRAW_NORMAL, DRAW_TRACE}) {
                SCOPED_TRACE(testing::Message() << s.element->GetType() << highlight << mode);
                CRecordingSurface surface;
                const Pen before = surface.CurrentPen();
                s.element->Draw(surface, highlight, mode);
                // Tracing draws every line with a null pen, so nothing is seen.
                EXPECT_EQ(surface.Lines(), mode == DRAW_TRACE
                                               ? std::vector<RecordedLine>{}
                                               : Lines(s.shape, highlight ? kRed : s.color));
                EXPECT_EQ(surface.TracedLines(), static_cast<int>(s.shape.size()));
                EXPECT_EQ(surface.CurrentPen(), before);
            }
        }
    }
}

enum HitKind { kBody, kStart, kEnd, kOrigin, kGrid };

bool Hit(const CElement& element, HitKind kind, CPoint point) {
    switch (kind) {
        case kBody:
            return element.HitTest(point);
        case kStart:
            return element.HitStart(point);
        case kEnd:
            return element.HitEnd(point);
        case kOrigin:
            return element.HitOrigin(point, 0, 0);
        case kGrid:
            return element.HitGridPoint(point, 100, 200);
    }
    return false;
}

TEST(Element, HitTestsKeepLeftAndTopEdgesAndDropRightAndBottom) {
    const CWire flat = Wire(0, 0, 100, 0), diagonal = Wire(0, 0, 100, 45);
    const CWire down = Wire(10, 10, 50, 90), point = Wire(20, 30, 0, 0);
    const CSource source(100, 50, 0, 1, 0);
    const struct {
        const CElement* element;
        HitKind kind;
        CPoint point;
        bool hit;
    } cases[] = {
        // clang-format off
        // A wire's body reaches 3 units around it and beyond its ends; a point has none.
        {&flat, kBody, {-3, -3}, true}, {&flat, kBody, {-3, 2}, true}, {&flat, kBody, {102, 2}, true},
        {&flat, kBody, {50, -3}, true}, {&flat, kBody, {-4, 0}, false}, {&flat, kBody, {103, 0}, false},
        {&flat, kBody, {50, 3}, false}, {&flat, kBody, {50, -4}, false}, {&flat, kBody, {200, 0}, false},
        {&diagonal, kBody, {35, 35}, true}, {&diagonal, kBody, {36, 34}, true}, {&diagonal, kBody, {70, 72}, true},
        {&diagonal, kBody, {35, 45}, false}, {&diagonal, kBody, {45, 30}, false}, {&diagonal, kBody, {-10, -10}, false},
        {&down, kBody, {10, 35}, true}, {&down, kBody, {12, 60}, true}, {&down, kBody, {14, 35}, false},
        {&point, kBody, {20, 30}, false},
        // Its ends are squares of half-size 10.
        {&flat, kStart, {-10, -10}, true}, {&flat, kStart, {9, 9}, true}, {&flat, kStart, {10, 0}, false},
        {&flat, kStart, {0, 10}, false}, {&flat, kStart, {95, 0}, false}, {&flat, kEnd, {90, -10}, true},
        {&flat, kEnd, {109, 9}, true}, {&flat, kEnd, {110, 0}, false}, {&flat, kEnd, {0, 0}, false},
        {&point, kStart, {20, 30}, true}, {&point, kEnd, {10, 20}, true}, {&point, kEnd, {30, 30}, false},
        // A source's three tests share one square of half-size 5.
        {&source, kBody, {95, 45}, true}, {&source, kBody, {104, 54}, true}, {&source, kBody, {105, 50}, false},
        {&source, kBody, {100, 55}, false}, {&source, kBody, {94, 50}, false}, {&source, kBody, {100, 44}, false},
        {&source, kStart, {95, 45}, true}, {&source, kStart, {105, 50}, false},
        {&source, kEnd, {104, 54}, true}, {&source, kEnd, {100, 44}, false},
        // The origin and a grid point have squares of half-size 15, wherever the element lies.
        {&flat, kOrigin, {-15, -15}, true}, {&flat, kOrigin, {15, 0}, false},
        {&source, kOrigin, {14, 14}, true}, {&source, kOrigin, {0, 15}, false},
        {&flat, kGrid, {93, 212}, true}, {&flat, kGrid, {150, 150}, false},
        {&source, kGrid, {85, 185}, true}, {&source, kGrid, {115, 200}, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hit(*c.element, c.kind, c.point), c.hit)
            << "element " << c.element->GetStartX() << " test " << c.kind << " at " << c.point.x
            << ", " << c.point.y;
    }
}

TEST(Element, MovingTheStartCarriesTheEndAndDrawsTheElementWhereItLands) {
    CWire flat = Wire(0, 0, 100, 0), slanted = Wire(0, 0, 100, 30);
    CSource source(100, 50, 0, 1, 0);
    const struct {
        CElement* element;
        CPoint to;
        float endX, endY;
    } cases[] = {{&flat, {50, 50}, 150, 50},
                 {&slanted, {10, -20}, 96.60254f, 30},
                 {&source, {10, 10}, 15, 5}};
    for (const auto& c : cases) {
        for (const bool dragging : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.endX << (dragging ? " dragging" : ""));
            CRecordingSurface surface;
            c.element->MoveStartTo(c.to, surface, dragging);
            EXPECT_EQ(c.element->GetStartX(), c.to.x);
            EXPECT_EQ(c.element->GetStartY(), c.to.y);
            EXPECT_FLOAT_EQ(c.element->GetEndX(), c.endX);
            EXPECT_FLOAT_EQ(c.element->GetEndY(), c.endY);
            // Highlighted when dropped, only traced while the drag goes on.
            EXPECT_GT(surface.TracedLines(), 0);
            EXPECT_EQ(surface.Lines().size(), dragging ? 0u : size_t(surface.TracedLines()));
            for (const RecordedLine& line : surface.Lines()) EXPECT_EQ(line.color, kRed);
        }
    }
}

TEST(Element, SetPropertiesRedrawsInThePlainColourAndKeepsTheValues) {
    CWire wire(0, 0, 3, 100, 0.005f, 5, 0);
    CSource source(0, 0, 0, 1, 0);
    CRecordingSurface surface;
    const Pen before = surface.CurrentPen();
    wire.SetProperties(surface, 50, 0.25f, 9, 180);
    // The wire alone, without its arrowhead.
    EXPECT_EQ(surface.Lines(), Lines({{{0, 0}, {-50, 0}}}, kBlack));
    EXPECT_FLOAT_EQ(wire.GetEndX(), -50);
    EXPECT_NEAR(wire.GetEndY(), 0, 1e-9);
    EXPECT_EQ(std::tuple(wire.GetLength(), wire.GetRadius(), wire.GetSegments(), wire.GetAngle()),
              std::tuple(50.0f, 0.25f, 9.0f, 180.0f));
    surface.Clear();
    source.SetProperties(surface, 3, -90, 77, 88);
    EXPECT_EQ(surface.Lines(), Lines({{{0, -5}, {0, 5}}, {{5, 0}, {-5, 0}}}, kGreen));
    EXPECT_EQ(std::pair(source.GetMagnitude(), source.GetPhase()), std::pair(3.0f, -90.0f));
    EXPECT_EQ(surface.CurrentPen(), before);
}

TEST(ElementReadout, ShowsDeckCoordinatesOfTheEnds) {
    EXPECT_EQ(FormatElementCoordinates(Wire(0, -10, 100, 0)), "(0., 10.)  (100., 10.)");
    EXPECT_EQ(FormatElementCoordinates(CSource(0.25f, 50, 0, 1, 0)), "(0.25, -50.)");
}

}  // namespace
