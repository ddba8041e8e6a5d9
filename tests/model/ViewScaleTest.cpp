#include <gtest/gtest.h>

#include <tuple>

#include "model/QuadrellDoc.h"
#include "model/Snap.h"
#include "model/ViewScale.h"
#include "model/Wire.h"

namespace {

// Per step: its text, the metres of pixel (34, -12) with the origin moved to
// pixel (4, 8), and the digits a readout needs.
TEST(ViewScale, MapsPixelsToMetresOnTheLadder) {
    const std::tuple<int, const char*, CPointF, int> cases[] = {
        {0, "0.01 px/m", {3000, -2000}, 0},    {5, "0.5 px/m", {60, -40}, 0},
        {6, "1 px/m", {30, -20}, 0},           {9, "10 px/m", {3.0f, -2.0f}, 1},
        {10, "20 px/m", {1.5f, -1.0f}, 2},     {13, "200 px/m", {0.15f, -0.1f}, 3},
        {15, "1000 px/m", {0.03f, -0.02f}, 3}, {99, "1000 px/m", {0.03f, -0.02f}, 3},
    };
    for (const auto& [step, text, metres, decimals] : cases) {
        const CViewScale scale(step, {4, 8});
        EXPECT_STREQ(scale.Text(), text);
        EXPECT_EQ(scale.ToMetres(CPoint{34, -12}), metres) << text;
        EXPECT_EQ(scale.PixelDecimals(), decimals) << text;
    }
    // At actual size an offset keeps whole metres.
    EXPECT_EQ(CViewScale().TruncateToPixel(-1.7f), -1.0f);
    EXPECT_EQ(CViewScale(9).TruncateToPixel(-1.77f), -1.7f);
}

TEST(ViewScale, ZoomKeepsThePointUnderTheMouseAndFitCentresTheDesign) {
    const CViewScale zoomed = CViewScale(9, {30, -20}).ZoomedAbout(1, {130, 80});
    EXPECT_EQ(zoomed.Step(), 10);
    EXPECT_EQ(zoomed.ToMetres(CPoint{130, 80}), (CPointF{10, 10}));
    // A 20 m by 6 m design in 1000 by 700 pixels with 20 to spare: at 50 px/m
    // it would take 1000, at 20 px/m it takes 400, centred on (5, 1).
    const CViewScale fit = FitScale(-5, -2, 15, 4, 1000, 700, 20, CViewScale());
    EXPECT_EQ(std::tuple(fit.Step(), fit.Pan()), std::tuple(10, CPoint{-100, -20}));
    // A lone point keeps the scale and is centred.
    EXPECT_EQ(FitScale(3, 4, 3, 4, 800, 600, 20, CViewScale(9)).Pan(), (CPoint{-30, -40}));
}

// Zoomed in, the tolerances stay in pixels and snaps land on exact metres.
TEST(ViewScale, SnapsInPixelsOntoExactMetres) {
    CQuadrellDoc doc;
    const CViewScale scale(9);  // 10 px/m: grid points 10 m apart
    CElement* dragged = doc.AddElementAtHead(std::make_unique<CWire>(30, 0, 0, 10, 1, 5, 0));
    doc.AddElementAtHead(std::make_unique<CWire>(1.25f, 2.5f, 0, 8.66f, 1, 5, 30));
    const GridPoints grid = MakeGridPoints();
    const auto snap = [&](CPoint mouse, int mode) {
        return SnapDragStart(doc, *dragged, mouse, scale, {}, mode, GRAB_START, {}, grid);
    };
    EXPECT_EQ(snap({19, 31}, SNAP_ELEMENT), (CPointF{1.25f, 2.5f}));  // 9 px off the start
    EXPECT_EQ(snap({21, 36}, SNAP_ELEMENT), (CPointF{2.1f, 3.6f}));   // 11 px: no snap
    EXPECT_EQ(snap({112, -93}, SNAP_GRID), (CPointF{10, -10}));
    EXPECT_TRUE(CWire(0, 0, 0, 1, 1, 5, 0).HitTest({12, 2}, scale));
    EXPECT_FALSE(CWire(0, 0, 0, 1, 1, 5, 0).HitTest({14, 0}, scale));
}

}  // namespace
