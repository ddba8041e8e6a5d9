#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "nec/ListingReader.h"
#include "solver/SolverWindow.h"
#include "tests/solver/SolverTestSupport.h"
#include "tests/support/DialogDriver.h"

namespace fs = std::filesystem;

namespace {

// The window offers the newest deck (by name on a tie) and its listing until
// the user names one; closing it during a run stops nec2c and writes nothing.
TEST(SolverWindowTest, RunsTheOfferedDeckAndShowsHowItWent) {
    SKIP_WITHOUT_NEC2C();
    CScratchFolder folder;
    fs::create_directory(folder / "dir.in");
    fs::copy_file(SolverDataFile("busy.in"), folder / "busy.in");
    const auto now = fs::file_time_type::clock::now();
    for (const auto& [name, age] :
         {std::pair{"busy.in", -300}, {"e.in", -10}, {"d.in", -10}, {"newer.out", 0}}) {
        if (!fs::exists(folder / name)) WriteTextFile(folder / name, "GW 1 <b>5.5</b>\n");
        fs::last_write_time(folder / name, now + std::chrono::seconds(age));
    }
    CSolverWindow window(folder.path);
    window.show();
    QSignalSpy finished(&window, &CSolverWindow::RunFinished);
    EXPECT_EQ(window.DeckEdit()->text() + " " + window.ListingEdit()->text(), "d.in d.out");

    QTest::mouseClick(window.RunButton(), Qt::LeftButton);
    EXPECT_TRUE(window.BusyIndicator()->isVisible());
    EXPECT_FALSE(window.RunButton()->isEnabled());
    EXPECT_EQ(window.OutcomeLabel()->text(), "Running nec2c on d.in ...");
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(window.BusyIndicator()->isVisible());
    EXPECT_TRUE(window.RunButton()->isEnabled());
    // Deck fields are quoted as they stand, never read as markup.
    EXPECT_TRUE(VisibleText(window.OutcomeLabel()->text(), window.OutcomeLabel()->textFormat())
                    .endsWith("field 2 of the GW card, \"<b>5.5</b>\", is not a number."));

    // Enter in either field runs, as Run is the default.
    window.DeckEdit()->clear();
    QTest::keyClick(window.DeckEdit(), Qt::Key_Return);
    EXPECT_EQ(window.OutcomeLabel()->text(), "Name the deck to run.");

    QTest::keyClicks(window.ListingEdit(), "x.out");
    window.DeckEdit()->setText("busy.in");
    EXPECT_EQ(window.ListingEdit()->text(), "x.out");
    QTest::keyClick(window.ListingEdit(), Qt::Key_Return);
    ASSERT_TRUE(window.IsRunning());
    QTest::qWait(200);
    const auto start = std::chrono::steady_clock::now();
    window.close();
    EXPECT_FALSE(window.IsRunning());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 5);

    // A deck whose name is no UTF-8 is offered as best it reads, and run under
    // the file system's own name; its listing's name keeps the same bytes.
    CScratchFolder other;
    const std::string name = std::string("d\xe9") + "ck";
    fs::copy_file(SolverDataFile("quadrell_default.in"), other / (name + ".in"));
    CSolverWindow second(other.path);
    second.show();
    QSignalSpy secondFinished(&second, &CSolverWindow::RunFinished);
    EXPECT_EQ(second.DeckEdit()->text(), "d\uFFFDck.in");
    QTest::mouseClick(second.RunButton(), Qt::LeftButton);
    ASSERT_TRUE(secondFinished.wait(10000));
    EXPECT_TRUE(ReadListingFile(other / (name + ".out")).has_value());
}

// The bar counts a sweep's frequencies to the end; Cancel stops a split sweep,
// leaving no nec2c, no temporary folder and the earlier listing.
TEST(SolverWindowTest, CountsFrequenciesAndCancels) {
    SKIP_WITHOUT_NEC2C();
    CScratchFolder folder, temporary;
    fs::copy_file(SolverDataFile("quadrell_sweep.in"), folder / "sweep.in");
    std::string busy = Bytes(SolverDataFile("busy.in"));
    WriteTextFile(folder / "long.in", busy.replace(busy.find("FR 0 1"), 6, "FR 0 20"));
    WriteTextFile(folder / "long.out", "old listing\r\n");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(temporary.path.string()));
    // Deck, the outcome's start, and the bar's text after the run.
    const std::tuple<QString, QString, QString> cases[] = {
        {"sweep.in", "Listing written", "3 of 3 frequencies solved"}, {"long.in", "Cancelled", ""}};
    for (const auto& [deck, outcome, bar] : cases) {
        CSolverWindow window(folder.path);
        window.show();
        QSignalSpy finished(&window, &CSolverWindow::RunFinished);
        window.DeckEdit()->setText(deck);
        QTest::mouseClick(window.RunButton(), Qt::LeftButton);
        EXPECT_TRUE(window.CancelButton()->isVisible());
        if (bar.isEmpty()) QTest::qWait(300);
        if (bar.isEmpty()) QTest::mouseClick(window.CancelButton(), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_FALSE(window.CancelButton()->isVisible());
        EXPECT_TRUE(window.OutcomeLabel()->text().startsWith(outcome));
        EXPECT_EQ(window.BusyIndicator()->text(), bar);
    }
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    // No child of any thread of the tests is left.
    for (const auto& task : fs::directory_iterator("/proc/self/task"))
        EXPECT_EQ(Bytes(task.path() / "children"), "");
    EXPECT_TRUE(fs::is_empty(temporary.path));
    EXPECT_EQ(Bytes(folder / "long.out"), "old listing\r\n");
}

}  // namespace
