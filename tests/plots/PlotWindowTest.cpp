// The two result windows: the far-field pattern and the antenna structure.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenu>
#include <cmath>

#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/RecordingSurface.h"
#include "ui/CommandIds.h"

namespace {

constexpr PenColor kBlack{0, 0, 0};
const QRgb kWhite = qRgb(255, 255, 255);

// Directions as (theta, phi) in degrees, all of magnitude 1 unless given.
PatternResult Pattern(const std::vector<std::pair<double, double>>& directions, int perCut,
                      std::vector<float> magnitude = {}) {
    PatternResult pattern{magnitude, {}, {}, static_cast<int>(directions.size()), perCut};
    if (magnitude.empty()) pattern.magnitude.assign(directions.size(), 1.0f);
    for (const auto& [theta, phi] : directions) {
        pattern.theta.push_back(static_cast<float>(theta * M_PI / 180));
        pattern.phi.push_back(static_cast<float>(phi * M_PI / 180));
    }
    return pattern;
}

// Counts the paints a window gets.
struct CPaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class PlotWindowTest : public testing::Test {
  protected:
    PlotWindowTest() {
        m_area.resize(900, 600);
        m_area.show();
    }
    template <typename Window>
    Window* Open(Window* window) {
        EXPECT_TRUE(window->Create(&m_area));
        window->repaint();
        QApplication::processEvents();
        return window;
    }
    // The window's pixel at (x, y) from the centre of its drawing area.
    static QRgb Pixel(CPlotWindow* window, int x, int y) {
        const CPoint origin = window->DrawingOrigin();
        return window->grab().toImage().pixel(origin.x + x, origin.y + y) | 0xff000000;
    }
    static CRecordingSurface Record(CPlotWindow* window) {
        CRecordingSurface surface;
        window->Paint(surface);
        return surface;
    }

    QMdiArea m_area;
    CModalCatcher m_catcher;
};

TEST_F(PlotWindowTest, BothWindowsFrameTheDrawingAndDrawTheAxes) {
    for (CPlotWindow* window :
         {static_cast<CPlotWindow*>(Open(new CPlotDlg(PatternResult{}))),
          static_cast<CPlotWindow*>(Open(new CAntennaPlot(StructureResult{})))}) {
        SCOPED_TRACE(window->metaObject()->className());
        EXPECT_EQ(window->DrawingOrigin(), (CPoint{window->width() / 2, window->height() / 2}));
        EXPECT_EQ(Record(window).Lines(),
                  (std::vector<RecordedLine>{{{0, 0}, {-70, 40}, {255, 0, 0}},
                                             {{0, 0}, {70, 40}, {0, 255, 0}},
                                             {{0, 0}, {0, -81}, {0, 0, 255}}}));
        EXPECT_EQ(window->grab().toImage().pixel(2, 2) | 0xff000000, qRgb(192, 192, 192));
        EXPECT_EQ(Pixel(window, 0, -80), qRgb(0, 0, 255));
        EXPECT_EQ(Pixel(window, 0, -81), kWhite);  // like the classic line-to, not the last point
    }
}

TEST_F(PlotWindowTest, PatternPointsLieAtTheirFieldTimesTheZoom) {
    // Fewer points than values: only the counted ones are drawn.
    PatternResult pattern = Pattern({{0, 0}, {90, 90}, {90, 0}, {90, 90}}, 3, {1, 0, 1, 1});
    pattern.pointCount = 3;
    auto* window = Open(new CPlotDlg(pattern));
    ASSERT_EQ(window->ProjectedPoints().size(), 3u);
    // The strongest point, straight up, ends where the Z axis does.
    EXPECT_EQ(Pixel(window, 0, -81), qRgb(0, 0, 0));

    const std::pair<int, float> steps[] = {
        {ID_ZOOM_IN, 200}, {ID_ZOOM_OUT, 100}, {ID_ZOOM_OUT, 50}, {ID_NORMAL_VIEW, 100}};
    CPaintCounter counter;
    window->installEventFilter(&counter);
    for (const auto& [command, scale] : steps) {
        const int paints = counter.paints;
        ASSERT_TRUE(window->OnCmdMsg(command, true));
        EXPECT_EQ(counter.paints, paints + 1);  // at once, before the command returns
        EXPECT_EQ(window->GetRadiusScale(), scale);
        EXPECT_NEAR(window->ProjectedPoints()[0].y, -0.8165 * scale, 0.01);
        EXPECT_NEAR(window->ProjectedAxes()[5].y, -81.65, 0.01);
    }
    // Lines far out are cut to the window; the scale stops short of infinity,
    // where no line could be drawn.
    for (int i = 0; i < 200; ++i) window->OnZoomIn();
    EXPECT_EQ(Pixel(window, 0, -100), qRgb(0, 0, 0));
}

TEST_F(PlotWindowTest, PatternLinesJoinNeighboursAndTheSameThetaOfTheNextCut) {
    // Points per cut, and what that comes to within four points.
    for (const auto& [perCut, step] : {std::pair{2, 2}, {4, 0}, {-1, 3}, {9, 1}}) {
        auto* window = Open(new CPlotDlg(Pattern({{30, 0}, {60, 0}, {30, 90}, {60, 90}}, perCut)));
        const std::vector<Point2f>& p = window->ProjectedPoints();
        std::vector<RecordedLine> expected;
        const auto line = [&](Point2f a, Point2f b) {
            const auto pixels = SegmentToPixels(a, b);
            expected.push_back({pixels->first, pixels->second, kBlack});
        };
        for (int i = 0; i < 3; ++i) line(p[i], p[i + 1]);
        for (int i = 0; i < 4; ++i) line(p[i], p[(i + step) % 4]);
        std::vector<RecordedLine> drawn = Record(window).Lines();
        drawn.resize(drawn.size() - 3);  // the axes
        EXPECT_EQ(drawn, expected);
        window->DestroyWindow();
    }
}

TEST_F(PlotWindowTest, TheMouseTurnsThePatternAndItsSlicesCollapseThePointsOutside) {
    // Theta 0 to 180 in 45 degree steps in four cuts: phi 0, 90, 180, 270.
    std::vector<std::pair<double, double>> directions;
    for (int i = 0; i < 20; ++i) directions.push_back({i % 5 * 45, i / 5 * 90});
    auto* window = Open(new CPlotDlg(Pattern(directions, 5)));
    // The mouse turns the drawing, and only with the left button down.
    QTest::mouseMove(window, QPoint(90, 80));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(80, 80));
    QTest::mouseMove(window, QPoint(90, 80));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(90, 80));
    EXPECT_NEAR(window->ProjectedAxes()[1].x, -7.8, 0.05);
    EXPECT_NEAR(window->ProjectedAxes()[1].y, 57.6, 0.05);
    EXPECT_EQ(Pixel(window, -35, 20), kWhite);  // repainted
    // Its popup offers the zoom and the slices.
    const auto press = [window] { QTest::mousePress(window, Qt::RightButton, {}, {80, 80}); };
    EXPECT_EQ(AnswerPopup(press, "Zoom &In"),
              (QStringList{"Zoom &In 32791", "Zoom &Out 32792", "Normal View 32793", "-",
                           "Slice X Z 32794", "Slice Y Z 32795", "Slice X Y 32796",
                           "View Full Pattern 32797"}));
    EXPECT_EQ(LoadPlotPopup(1)->actions().size(), 3);  // the structure's: the zoom only
    const Vector3f view = window->Camera().View();
    // The points each slice keeps, cut by cut; the others collapse to the centre.
    const std::tuple<int, std::string, std::string> cases[] = {
        {ID_SLICE_XZ, "X-Z Plane", "11111 00000 11111 00000"},
        {ID_SLICE_YZ, "Y-Z Plane", "00000 11111 00000 11111"},
        {ID_SLICE_XY, "X-Y Plane", "00101 00101 00101 00101"},
        {ID_FULL_PATTERN, "         ", "11111 11111 11111 11111"}};
    for (const auto& [command, caption, kept] : cases) {
        ASSERT_TRUE(window->OnCmdMsg(command, true));
        std::string shown;
        for (const Point2f p : window->ProjectedPoints())
            shown += std::string(shown.size() % 6 == 5, ' ') + (p.x == 0 && p.y == 0 ? '0' : '1');
        EXPECT_EQ(shown, kept);
        EXPECT_EQ(Record(window).Texts().front(), (RecordedText{{-160, 140}, caption}));
        EXPECT_EQ(window->GetRadiusScale(), 200);
        EXPECT_EQ(window->Camera().View().x, view.x);
    }
}

TEST_F(PlotWindowTest, StructureShowsWiresAtTheirSizeAndTheImpedanceAsPrinted) {
    // One wire from the origin straight up.
    StructureResult structure{{0}, {0}, {0}, {0}, {0}, {50}, 1, {}, {}};
    std::string("  6.9127E+01").copy(structure.impedanceRealText.data(), 12);
    std::string(" -1.9344E+01").copy(structure.impedanceImagText.data(), 12);
    auto* window = Open(new CAntennaPlot(structure));
    const CRecordingSurface surface = Record(window);
    EXPECT_EQ(surface.Texts(), (std::vector<RecordedText>{{{-160, 140}, "Impedance= "},
                                                          {{-80, 140}, "  6.9127E+01"},
                                                          {{20, 140}, "+ j"},
                                                          {{40, 140}, " -1.9344E+01"}}));
    EXPECT_EQ(surface.Lines().back(), (RecordedLine{{0, 0}, {0, -40}, kBlack}));
    // Once painted, and only once, the window says how to use it.
    QApplication::processEvents();
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Use mouse to rotate plots."});

    // Zooming in stops while the farthest wire can still be drawn: for a Yagi
    // across the Y axis, far beyond the window, the driven element still runs
    // through the centre in the Y axis's direction.
    window = Open(new CAntennaPlot(
        {{-40, 0, 40}, {-40, 0, 40}, {-55, -50, -45}, {55, 50, 45}, {0, 0, 0}, {0, 0, 0}, 3}));
    for (int i = 0; i < 200; ++i) window->OnZoomIn();
    EXPECT_EQ(Pixel(window, 100, 58), qRgb(0, 0, 0));
}

}  // namespace
