#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "nec/SweepFigures.h"
#include "nec/WholeFile.h"

namespace {

using Maybe = std::optional<double>;

std::string Listing(const std::string& name) {
    std::string text, error;
    EXPECT_TRUE(
        ReadWholeFile(std::string(QUADRELL_TEST_DATA_DIR) + "/listings/" + name, text, error));
    return text;
}

ListingSweep Read(const std::string& text) {
    std::string error;
    std::optional<ListingSweep> sweep = ReadListingSweep(text, error);
    EXPECT_TRUE(sweep) << error;
    return sweep.value_or(ListingSweep{});
}

// One source of one step of a NEC2d listing as printed, its last pattern row,
// and its figures worked by hand from the printed impedance and gains.
struct RealCase {
    const char* file;
    std::size_t steps, step, source;
    double mhz;
    SweepSource fed;
    std::size_t rows;
    SweepPatternRow last;
    double z0, swr, gain, theta, phi;
    Maybe frontToBack, beamwidth;
};

class ListingSweepOfRealListing : public testing::TestWithParam<RealCase> {};

TEST_P(ListingSweepOfRealListing, ReadsWithEitherLineEndAndGivesHandWorkedFigures) {
    const RealCase& c = GetParam();
    std::string lineFeeds = Listing(c.file);
    std::erase(lineFeeds, '\r');
    for (const std::string& text : {Listing(c.file), lineFeeds}) {
        const ListingSweep sweep = Read(text);
        ASSERT_EQ(sweep.steps.size(), c.steps);
        EXPECT_EQ(sweep.firstPolarisation + sweep.secondPolarisation, "VERTCHORIZ");
        const SweepStep& step = sweep.steps[c.step];
        const SweepSource& s = step.sources.at(c.source);
        const SweepPatternRow& r = step.pattern.back();
        EXPECT_EQ(
            std::make_tuple(step.frequencyMhz, s.tag, s.segment, s.resistance, s.reactance),
            std::make_tuple(c.mhz, c.fed.tag, c.fed.segment, c.fed.resistance, c.fed.reactance));
        EXPECT_EQ(std::make_tuple(step.pattern.size(), r.theta, r.phi, r.first, r.second, r.total),
                  std::make_tuple(c.rows, c.last.theta, c.last.phi, c.last.first, c.last.second,
                                  c.last.total));
        const StepFigures f = ComputeStepFigures(step, c.source, c.z0);
        EXPECT_NEAR(f.swr.value(), c.swr, 1e-5);
        EXPECT_EQ(std::make_tuple(*f.gainDbi, *f.thetaDeg, *f.phiDeg),
                  std::make_tuple(c.gain, c.theta, c.phi));
        EXPECT_NEAR(f.frontToBackDb.value(), c.frontToBack.value(), 1e-9);
        EXPECT_NEAR(f.beamwidthDeg.value_or(-1), c.beamwidth.value_or(-1), 1e-4);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Listings, ListingSweepOfRealListing, testing::Values(
    // The vertical dipole is round in azimuth: no -3 dB points.
    RealCase{"dipole.out", 1, 0, 0, 28.6, {1, 6, 69.127, -19.344},
             28, {180, 270, -999.99, -999.99, -999.99}, 50, 1.58199, 2.11, 90, 0, 0.0, {}},
    // 7.59 - (-4.38); the cut falls to 4.59 between 50 and 60 and between 120 and 130.
    RealCase{"yagi-sweep.out", 7, 1, 0, 3.55, {1, 1, 41.789, -3.2669},
             180, {150, 350, -6.23, -20.05, -6.05}, 25, 1.68739, 7.59, 90, 90, 11.97, 64.25837},
    RealCase{"yagi-sweep.out", 7, 6, 0, 3.8, {1, 1, 32.776, 134.92},
             180, {150, 350, -12.77, -26.59, -12.59}, 100, 8.81927, 7.99, 90, 90, 5.19, 57.88944},
    RealCase{"two-sources.out", 1, 0, 1, 14.2, {2, 17, 42.934, -0.77384},
             36, {90, 350, 2.55, -999.99, 2.55}, 50, 1.16564, 6.05, 90, 180, 3.36, 120.85106}));
// clang-format on

// The back row is at the same theta, half a turn round; the azimuth cut
// through the maximum is walked both ways, round the circle when it closes.
const std::tuple<std::vector<std::array<double, 3>>, Maybe, Maybe> kLookups[] = {
    // 350 + 180 wraps to 170; the walk up crosses 360, halfway to 80.
    {{{90, 170, -1}, {90, 260, 1}, {90, 350, 10}, {90, 80, 4}}, 11.0, 75.0},
    // 270 + 180 is 90; a back row at another theta does not count.
    {{{90, 270, 6}, {60, 90, 0}, {90, 90, 2}}, 4.0, {}},
    {{{90, 0, 6}, {60, 180, 0}, {90, 90, 2}}, {}, {}},
    // -90 is 270; no field behind is an unbounded ratio.
    {{{90, -90, 6}, {90, 90, -999.99}}, std::numeric_limits<double>::infinity(), {}},
    // An open cut that ends before the fall, and a closed one that never falls.
    {{{90, 0, 6}, {90, 10, 5}, {90, 20, 2}}, {}, {}},
    {{{90, 0, 6}, {90, 90, 5}, {90, 180, 4}, {90, 270, 5}}, 2.0, {}}};

TEST(SweepFigures, FindsTheBackRowAndTheHalfPowerPoints) {
    for (const auto& [pattern, frontToBack, beamwidth] : kLookups) {
        SweepStep step;
        for (const auto& [theta, phi, total] : pattern)
            step.pattern.push_back({theta, phi, 0, 0, total});
        const StepFigures f = ComputeStepFigures(step, 0, 50);
        EXPECT_EQ(std::tie(f.frontToBackDb, f.beamwidthDeg), std::tie(frontToBack, beamwidth));
    }
}

TEST(SweepFigures, CutsOrderTheirRowsAndAreEmptyWhereTheTableHoldsNone) {
    const SweepStep step = Read(Listing("dipole.out")).steps.at(0);
    std::string azimuth, elevation;
    for (const SweepPatternRow& r : AzimuthCut(step, 60)) azimuth += std::to_string(r.phi) + " ";
    for (const SweepPatternRow& r : ElevationCut(step, 270))
        elevation += std::to_string(int(r.theta)) + "/" + std::to_string(int(r.phi)) + " ";
    EXPECT_EQ(azimuth, "0.000000 90.000000 180.000000 270.000000 ");
    EXPECT_EQ(elevation,
              "0/270 30/270 60/270 90/270 120/270 150/270 180/270 "
              "180/90 150/90 120/90 90/90 60/90 30/90 0/90 ");
    EXPECT_TRUE(AzimuthCut(step, 45).empty() && ElevationCut(step, 45).empty());
}

TEST(SweepFigures, CsvHasEveryStepAndEmptyFieldsForMissingFigures) {
    ListingSweep sweep = Read(Listing("two-sources.out"));
    // Power flows into a source whose resistance is negative: no finite SWR.
    sweep.steps.push_back({14.35, {{1, 6, -2.5, 1e-7}, {2, 17, 1234567.8, 0}}, {}});
    const std::string header =
        "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,theta_deg,phi_deg,front_to_back_db\n";
    EXPECT_EQ(SweepCsv(sweep, 1, 50), header + "14.2,42.934,-0.77384,1.16564,6.05,90,180,3.36\n" +
                                          "14.35,1.23457e+06,0,24691.4,,,,\n");
    EXPECT_EQ(SweepCsv(sweep, 0, 75), header + "14.2,31.875,66.73,4.41404,6.05,90,180,3.36\n" +
                                          "14.35,-2.5,1e-07,inf,,,,\n");
}

// A listing cut short, or with a table that is not one, is refused with a reason.
TEST(ListingSweepRefusal, SaysWhy) {
    const char* const cases[][3] = {
        {" ** END OF RADIATION", nullptr,
         "The run did not complete: the listing does not end with its run time."},
        // The run time line right after the last pattern row.
        {"\r\n\r\n\r\n\r\n\r\n\r\n\r\n ** END", "RUN TIME =  0.03 SEC\r\n **",
         "Line 2196 is not a row of the radiation pattern."},
        {"  150.00   350.00     -12.77", "  150.00   350.00     -12,77",
         "Line 2195 is not a row of the radiation pattern."},
        {"FREQUENCY : 3.8", "FREQUENCY = 3.8", "Line 1907 is not a row of the frequency block."},
        {"0.0000E+00  1.7003E-03", "0.0000E+00  1.7003E-03x",
         "Line 1929 is not a row of the antenna input parameters."}};
    for (const auto& [find, replace, reason] : cases) {
        std::string text = Listing("yagi-sweep.out"), error;
        const std::size_t at = text.rfind(find);
        ASSERT_NE(at, std::string::npos);
        text = replace ? text.replace(at, std::strlen(find), replace) : text.substr(0, at);
        EXPECT_FALSE(ReadListingSweep(text, error));
        EXPECT_EQ(error, reason);
    }
}

}  // namespace
