#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QtCharts/QXYSeries>

#include "nec/ListingSweep.h"
#include "plots/ResultsCharts.h"
#include "plots/ResultsWindow.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"

namespace {

ListingSweep ReadSweep(const char* name) {
    std::string error;
    auto s = ReadListingSweepFile(std::string(QUADRELL_TEST_DATA_DIR "/listings/") + name, error);
    EXPECT_TRUE(s) << error;
    return s.value_or(ListingSweep{});
}

class ResultsWindowTest : public testing::Test {
  protected:
    void Open(ListingSweep sweep) {
        m_area.resize(1500, 1000);
        m_area.show();
        m_window = new CResultsWindow(std::move(sweep));
        ASSERT_TRUE(m_window->Create(&m_area));
        QApplication::processEvents();
        m_table = m_window->findChild<QTableWidget*>();
    }
    // The texts of one row, or with row -1 of one column.
    QStringList Cells(int row, int column = -1) const {
        QStringList texts;
        for (int r = 0; r < m_table->rowCount(); ++r)
            for (int c = 0; c < m_table->columnCount(); ++c)
                if (r == row || (row < 0 && c == column)) texts << m_table->item(r, c)->text();
        return texts;
    }
    void SetZ0(const QString& text) {
        Retype(m_window->findChild<QLineEdit*>("Z0"), text);
        QApplication::processEvents();
    }
    QString Z0Message() const { return m_window->findChild<QLabel*>("Z0Message")->text(); }
    // The captions and the numbers of points of the azimuth and elevation cuts.
    QString Cuts() const {
        QStringList cuts;
        for (const char* name : {"azimuth", "elevation"}) {
            const QChart* chart = m_window->findChild<CPolarCutView*>(name)->chart();
            const auto* curve = qobject_cast<QXYSeries*>(chart->series().value(0));
            cuts << chart->title() + QStringLiteral(" #%1").arg(curve ? curve->count() : 0);
        }
        return cuts.join('|');
    }

    QMdiArea m_area;
    CResultsWindow* m_window = nullptr;
    QTableWidget* m_table = nullptr;
    CModalCatcher m_catcher;
};

// The first row as the listing gives it, R and X straight from the input
// parameters, SWR worked out by hand from the reflection coefficient, F/B
// the TOTAL gain at the maximum less the one at phi + 180 (7.18 - 1.28 for
// the Yagi, 6.05 - 2.69 for the two dipoles); the cuts of the last row.
struct TableCase {
    ListingSweep sweep;
    QStringList sources;   // the selector's items, the last picked; none for one source
    const char* firstRow;  // its cells joined by '|'
    const char* lastCuts;  // as Cuts() gives them
};

TEST_F(ResultsWindowTest, ShowsEveryFrequencyOfTheChosenSourceAndTheCutsOfTheSelectedRow) {
    // One step whose table holds a single azimuth direction and no back row.
    SweepStep lone{10, {{1, 1, 50, 0}}, {}};
    for (double theta : {0.0, 45.0, 90.0})
        lone.pattern.push_back({theta, 0, 0, -999.99, theta == 45.0 ? 6.0 : 1.0});
    // clang-format off
    const TableCase cases[] = {
        {ReadSweep("dipole.out"), {}, "28.6|69.13|-19.34|1.58|2.11|90.0|0.0|0.00",
         "Azimuth at θ = 90°, no -3 dB beamwidth #4|Elevation at φ = 0° #14"},
        {ReadSweep("yagi-sweep.out"), {}, "3.5|33.81|-30.94|2.28|7.18|90.0|90.0|5.90",
         "Azimuth at θ = 90°, beamwidth 57.9° #36|Elevation at φ = 90° #10"},
        {ReadSweep("two-sources.out"), {"Tag 1, segment 6", "Tag 2, segment 17"},
         "14.2|42.93|-0.77|1.17|6.05|90.0|180.0|3.36",
         "Azimuth at θ = 90°, beamwidth 120.9° #36|Elevation at φ = 180° #2"},
        {ListingSweep{"VERTC", "HORIZ", {lone}}, {}, "10|50.00|0.00|1.00|6.00|45.0|0.0|",
         "The pattern holds no azimuth cut at θ = 45° #0|Elevation at φ = 0° #3"}};
    // clang-format on
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.firstRow);
        Open(c.sweep);
        EXPECT_EQ(m_window->parentWidget()->windowTitle(), "Results");
        QStringList headers;
        for (int column = 0; column < m_table->columnCount(); ++column)
            headers << m_table->horizontalHeaderItem(column)->text();
        EXPECT_EQ(headers, (QStringList{"Frequency (MHz)", "R (Ω)", "X (Ω)", "SWR", "Gain (dBi)",
                                        "θ (°)", "φ (°)", "F/B (dB)"}));
        EXPECT_EQ(m_table->rowCount(), int(c.sweep.steps.size()));
        auto* selector = m_window->findChild<QComboBox*>();
        QStringList items;
        for (int i = 0; selector && i < selector->count(); ++i) items << selector->itemText(i);
        EXPECT_EQ(items, c.sources);
        if (selector) selector->setCurrentIndex(selector->count() - 1);
        EXPECT_EQ(Cells(0), QString(c.firstRow).split('|'));
        EXPECT_EQ(m_window->findChild<CSweepChartView*>() != nullptr, c.sweep.steps.size() > 1);
        m_table->selectRow(m_table->rowCount() - 1);
        EXPECT_EQ(Cuts(), c.lastCuts);
        m_window->DestroyWindow();
    }
}

TEST_F(ResultsWindowTest, Z0TakesPositiveNumbersOnlyAndUpdatesEverySwrAndTheCsv) {
    Open(ReadSweep("yagi-sweep.out"));
    const QStringList at50 = Cells(-1, 3);
    // By hand at 75 ohms: Z = 33.807 - j30.944, |G| = 0.4555, SWR 2.67.
    SetZ0("75");
    const QStringList at75 = Cells(-1, 3);
    EXPECT_EQ(at75[0], "2.67");
    for (int row = 0; row < 7; ++row) EXPECT_NE(at75[row], at50[row]) << row;
    // The values under the mouse are those of the nearest row, at this Z0.
    auto* chart = m_window->findChild<CSweepChartView*>();
    const QPointF middle =
        chart->mapFromScene(chart->chart()->mapToScene(chart->chart()->plotArea().center()));
    QMouseEvent move(QEvent::MouseMove, middle, chart->viewport()->mapToGlobal(middle),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &move);
    const QStringList row = Cells(3);
    EXPECT_EQ(m_window->findChild<QLabel*>("Readout")->text(),
              QStringLiteral("%1 MHz: R %2 Ω, X %3 Ω, SWR %4").arg(row[0], row[1], row[2], row[3]));
    for (const char* typed : {"0", "-50", "abc", "", "inf"}) {
        SetZ0(typed);
        EXPECT_TRUE(Z0Message().startsWith("Z0 must be a positive number of ohms")) << typed;
        EXPECT_EQ(Cells(-1, 3), at75);
    }
    const CScratchFolder folder;
    const QString path = QString::fromStdString((folder / "sweep.csv").string());
    m_catcher.OnDialog([path](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        Retype(name, path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    for (QPushButton* button : m_window->findChildren<QPushButton*>())
        if (button->text() == "Export CSV...") button->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), SweepCsv(ReadSweep("yagi-sweep.out"), 0, 75));
    EXPECT_TRUE(m_catcher.Messages().isEmpty());
    SetZ0(" 50 ");
    EXPECT_EQ(Z0Message(), "");
    EXPECT_EQ(Cells(-1, 3), at50);
}

}  // namespace
