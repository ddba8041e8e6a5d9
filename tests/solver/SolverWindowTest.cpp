#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "solver/SolverWindow.h"
#include "tests/solver/ListingReaderEmulation.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(SolverWindowTest, OffersTheNewestDeckAndFollowsItWithTheListing) {
    CTestFolder folder;
    WriteTextFile(folder / "first.in", kHalfWaveDipoleDeck);
    fs::last_write_time(folder / "first.in",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    WriteTextFile(folder / "second.in", kHalfWaveDipoleDeck);
    CSolverWindow window(folder.Path());
    EXPECT_EQ(window.windowTitle(), "NEC2d");
    EXPECT_EQ(window.DeckEdit()->text(), "second.in");
    EXPECT_EQ(window.ListingEdit()->text(), "second.out");

    window.DeckEdit()->setText("first.in");
    EXPECT_EQ(window.ListingEdit()->text(), "first.out");
    // Once the user names the listing, the deck no longer changes it.
    QTest::keyClicks(window.ListingEdit(), "x");
    window.DeckEdit()->setText("second.in");
    EXPECT_EQ(window.ListingEdit()->text(), "first.outx");
}

TEST(SolverWindowTest, RunShowsTheBusyIndicatorThenTheOutcome) {
    if (!IsOnPath("nec2c")) GTEST_SKIP() << "nec2c is not installed";
    CTestFolder folder;
    WriteTextFile(folder / "dipole.in", kHalfWaveDipoleDeck);
    CSolverWindow window(folder.Path());
    window.show();
    QSignalSpy finished(&window, &CSolverWindow::RunFinished);

    QTest::mouseClick(window.RunButton(), Qt::LeftButton);
    EXPECT_TRUE(window.IsRunning());
    EXPECT_TRUE(window.BusyIndicator()->isVisible());
    EXPECT_FALSE(window.RunButton()->isEnabled());
    EXPECT_EQ(window.OutcomeLabel()->text(), "Running nec2c on dipole.in ...");

    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);
    EXPECT_FALSE(window.BusyIndicator()->isVisible());
    EXPECT_TRUE(window.RunButton()->isEnabled());
    const fs::path listing = folder / "dipole.out";
    EXPECT_EQ(window.OutcomeLabel()->text().toStdString(),
              "Listing written to \"" + listing.string() + "\".");
    EXPECT_TRUE(ReadLikeQuadrell(ReadFileBytes(listing.string())).complete);
}

TEST(SolverWindowTest, FailureIsShownInTheWindow) {
    CTestFolder folder;
    CSolverWindow window(folder.Path());
    window.show();
    EXPECT_EQ(window.DeckEdit()->text(), "");
    QTest::mouseClick(window.RunButton(), Qt::LeftButton);
    EXPECT_FALSE(window.IsRunning());
    EXPECT_EQ(window.OutcomeLabel()->text(), "Name the deck to run.");

    QSignalSpy finished(&window, &CSolverWindow::RunFinished);
    window.DeckEdit()->setText("missing.in");
    QTest::mouseClick(window.RunButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), false);
    EXPECT_TRUE(window.OutcomeLabel()->text().startsWith("Cannot read the deck"));
    EXPECT_FALSE(fs::exists(folder / "missing.out"));
}

TEST(SolverWindowTest, ClosingDuringARunStopsItAndWritesNothing) {
    if (!IsOnPath("nec2c")) GTEST_SKIP() << "nec2c is not installed";
    CTestFolder folder;
    // A deck big enough to keep nec2c busy for a while.
    std::string deck = "CE\n";
    for (int i = 0; i < 8; ++i) {
        deck += "GW " + std::to_string(i + 1) + " 100 " + std::to_string(i * 0.5) + " 0 -2.5 " +
                std::to_string(i * 0.5) + " 0 2.5 .001\n";
    }
    deck += "GE\nEX 0 1 50 0 1.\nFR 0 1 0 0 30\nRP 0 181 361 1000 0 0 1 1\nEN\n";
    WriteTextFile(folder / "big.in", deck);
    auto window = std::make_unique<CSolverWindow>(folder.Path());
    window->show();
    QTest::mouseClick(window->RunButton(), Qt::LeftButton);
    ASSERT_TRUE(window->IsRunning());
    QTest::qWait(200);
    const auto start = std::chrono::steady_clock::now();
    window->close();
    EXPECT_FALSE(window->IsRunning());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    window.reset();
    EXPECT_FALSE(fs::exists(folder / "big.out"));
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename(), "big.in");
}

}  // namespace
