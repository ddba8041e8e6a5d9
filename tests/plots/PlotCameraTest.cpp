#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "plots/PatternGeometry.h"
#include "plots/PlotCamera.h"

namespace {

// A camera after one drag from `from` to `to`, still held.
PlotCamera Dragged(PlotCamera camera, CPoint from, CPoint to) {
    camera.OnLButtonDown(from);
    camera.OnDrag(to);
    camera.UpdateView();
    return camera;
}

// Where `p` lands after a drag from the committed `eye`: the camera's
// formulas worked through in double precision.
std::pair<double, double> Reference(Vector3f eye, CPoint drag, Vector3f p) {
    const double r = std::hypot(double{eye.x}, double{eye.y}, double{eye.z});
    const double theta = std::acos(eye.z / r) - drag.y / 10.0 / r;
    const double phi = std::atan2(double{eye.y}, double{eye.x});
    const double tx = r * std::sin(theta) * std::cos(phi), ty = r * std::sin(theta) * std::sin(phi);
    const double rho = std::hypot(tx, ty), tz = r * std::cos(theta);
    const double psi = std::atan2(ty, tx) - drag.x / 10.0 / rho;
    // The view direction times |T|.
    const double vx = -rho * std::cos(psi), vy = -rho * std::sin(psi), vz = -tz;
    const double hx = vy / std::hypot(vx, vy), hy = -vx / std::hypot(vx, vy);
    const double length = std::hypot(vx, vy, vz);
    return {p.x * hx + p.y * hy,
            -(p.x * hy * vz - p.y * hx * vz + p.z * (hx * vy - hy * vx)) / length};
}

// A drag turns the eye by a tenth of a radian per pixel over the eye's length:
// the axes and a point land where these formulas put them.
TEST(PlotCamera, ProjectsAsItsFormulasInDoublePrecision) {
    // The first view shows X to the lower left, Y to the lower right and Z
    // up; seventeen pixels down carry its eye over the pole. Near a pole the
    // azimuth turn divides by the eye's tiny distance from the Z axis, where
    // single precision turns the drawing round.
    // clang-format off
    const std::pair<Vector3f, CPoint> cases[] = {  // committed eye, drag
        {{1, 1, 1}, {0, 0}}, {{1, 1, 1}, {10, 0}}, {{1, 1, 1}, {0, 10}}, {{1, 1, 1}, {0, 16}},
        {{1, 1, 1}, {0, 17}}, {{-0.00555983046f, -0.00889590755f, 0.999944985f}, {30, 0}},
        {{0.00662629772f, -0.00586538715f, -0.99996084f}, {-11, 0}},
        {{0.226033628f, 0.190385506f, 0.955333531f}, {2, 3}},  // 1e-5 rad from the pole
        {{0.6f, -0.48f, 0.64f}, {-25, 12}}};
    // clang-format on
    const Vector3f ends[] = {{}, {100, 0, 0}, {}, {0, 100, 0}, {}, {0, 0, 100}, {300, -200, 150}};
    for (const auto& [eye, drag] : cases) {
        const PlotCamera camera =
            Dragged(PlotCamera(eye), {100, 100}, {100 + drag.x, 100 + drag.y});
        const auto axes = ProjectAxes(camera);
        for (int i = 0; i < 7; ++i) {
            const auto [x, y] = Reference(eye, drag, ends[i]);
            const Point2f at = i < 6 ? axes[i] : camera.Project(ends[i]);
            EXPECT_NEAR(at.x, x, 0.01) << eye.x << " " << drag.x << " " << drag.y << " end " << i;
            EXPECT_NEAR(at.y, y, 0.01) << eye.x << " " << drag.x << " " << drag.y << " end " << i;
        }
    }
}

TEST(PlotCamera, ReleaseCommitsAUnitEyeSoLaterDragsTurnFaster) {
    // Moves count only after a press in the window; a click without a move
    // changes nothing but the eye's length, which the drags' ratio shows.
    PlotCamera camera;
    camera.UpdateView();
    EXPECT_FALSE(camera.OnDrag({40, 40}));
    camera.OnLButtonDown({5, 5});
    camera.OnLButtonUp();
    EXPECT_FALSE(camera.OnDrag({40, 40}));
    camera.UpdateView();

    const auto elevation = [](const PlotCamera& c) { return std::asin(-c.View().z); };
    const double first = elevation(Dragged(PlotCamera(), {0, 0}, {0, 5})) - elevation(camera);
    const double later = elevation(Dragged(camera, {0, 0}, {0, 5})) - elevation(camera);
    EXPECT_NEAR(later / first, std::sqrt(3.0), 1e-3);
}

TEST(PlotCamera, AViewAlongZKeepsTheLastHorizontalAxis) {
    // Exactly on the axis there is no horizontal axis to work out and no
    // azimuth to turn; just off it, any horizontal axis will do.
    for (const Vector3f eye : {Vector3f{0, 0, 1}, Vector3f{0, 0, -2}}) {
        const Point2f x = Dragged(PlotCamera(eye), {0, 0}, {25, 0}).Project({100, 0, 0});
        ASSERT_TRUE(std::isfinite(x.x) && std::isfinite(x.y));
        EXPECT_NEAR(std::hypot(x.x, x.y), 100, 0.01);
        if (eye.z > 0) {
            EXPECT_NEAR(x.x, -70.71, 0.01);  // the first view's
        }
    }
}

TEST(SegmentToPixels, CutsFarSegmentsKeepingTheirDirection) {
    const auto far = SegmentToPixels({0, 0}, {3e30f, 1e30f});
    ASSERT_TRUE(far);
    EXPECT_EQ(far->first, (CPoint{0, 0}));
    EXPECT_NEAR(double(far->second.y) / far->second.x, 1.0 / 3, 1e-5);
    EXPECT_LE(far->second.x, 1000000);

    // The cut end is placed from the other one, which stays where it is.
    for (const float far : {-1.4e38f, -3e6f}) {
        EXPECT_EQ(SegmentToPixels({0, far}, {0, 0}),
                  (std::pair{CPoint{0, -1000000}, CPoint{0, 0}}));
    }

    EXPECT_EQ(SegmentToPixels({-0.9f, 0.9f}, {-2.5f, 3.99f})->second, (CPoint{-2, 3}));
    EXPECT_FALSE(SegmentToPixels({2e6f, 2e6f}, {3e6f, 2e6f}));
    EXPECT_FALSE(SegmentToPixels({0, 0}, {NAN, 0}));
    EXPECT_FALSE(SegmentToPixels({INFINITY, 0}, {0, 0}));
}

TEST(KeepsRadius, SlicesKeepTheirPlaneWithinAThousandthOfADegree) {
    const auto xz = SliceMode::SliceXZ, yz = SliceMode::SliceYZ, xy = SliceMode::SliceXY;
    // clang-format off
    const std::tuple<SliceMode, double, double, bool> cases[] = {  // mode, theta, phi, kept
        {xz, 45, 0, true}, {xz, 45, 180, true}, {xz, 45, 360, true}, {xz, 45, 90, false},
        {xz, 45, 179.998, false}, {xz, 45, 270, false}, {xz, 45, -90, true}, {yz, 45, 90, true},
        {yz, 45, 270, true}, {yz, 45, 0, false}, {yz, 45, 360, false}, {yz, 45, 90.0009, true},
        {yz, 45, 90.0011, false}, {yz, 45, -90, true}, {yz, 45, 400, true}, {xy, 90, 33, true},
        {xy, 180, 33, true}, {xy, 0, 33, false}, {xy, 89.998, 33, false},
        {SliceMode::FullPattern, 10, 10, true},
    };
    // clang-format on
    const auto radians = [](double degrees) { return float(degrees * 3.14159265359 / 180); };
    for (const auto& [mode, theta, phi, kept] : cases) {
        EXPECT_EQ(KeepsRadius(mode, radians(theta), radians(phi)), kept)
            << int(mode) << " theta " << theta << " phi " << phi;
    }
}

}  // namespace
