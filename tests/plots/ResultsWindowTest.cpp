// The Results window: its table, the reference resistance, the cuts, the CSV.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
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
    auto sweep =
        ReadListingSweepFile(std::string(QUADRELL_TEST_DATA_DIR "/listings/") + name, error);
    EXPECT_TRUE(sweep) << error;
    return sweep.value_or(ListingSweep{});
}

class ResultsWindowTest : public testing::Test {
  protected:
    ResultsWindowTest() {
        m_area.resize(1500, 1000);
        m_area.show();
    }
    void Open(ListingSweep sweep) {
        m_window = new CResultsWindow(std::move(sweep));
        ASSERT_TRUE(m_window->Create(&m_area));
        QApplication::processEvents();
        m_table = m_window->findChild<QTableWidget*>();
    }
    QStringList Row(int row) const {
        QStringList texts;
        for (int column = 0; column < m_table->columnCount(); ++column)
            texts << m_table->item(row, column)->text();
        return texts;
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < m_table->rowCount(); ++row)
            texts << m_table->item(row, column)->text();
        return texts;
    }
    void SetZ0(const QString& text) {
        Retype(m_window->findChild<QLineEdit*>("Z0"), text);
        QApplication::processEvents();
    }
    QString Z0Message() const { return m_window->findChild<QLabel*>("Z0Message")->text(); }
    // The caption and the number of points of the azimuth and elevation cuts.
    QStringList Cuts() const {
        QStringList cuts;
        for (const char* name : {"azimuth", "elevation"}) {
            const QChart* chart = m_window->findChild<CPolarCutView*>(name)->chart();
            const auto* curve = qobject_cast<QXYSeries*>(chart->series().value(0));
            cuts << chart->title() + QStringLiteral(" #%1").arg(curve ? curve->count() : 0);
        }
        return cuts;
    }

    QMdiArea m_area;
    CResultsWindow* m_window = nullptr;
    QTableWidget* m_table = nullptr;
    CModalCatcher m_catcher;
};

// The first row as the listing gives it, R and X straight from the input
// parameters, SWR worked out by hand from the reflection coefficient, F/B
// the TOTAL gain at the maximum less the one at phi + 180 (7.18 - 1.28 for
// the Yagi, 6.05 - 2.69 for the two dipoles).
struct TableCase {
    const char* listing;
    int rows;
    QStringList sources;   // the selector's items; none for one source
    int source;            // the one picked
    const char* firstRow;  // its cells joined by '|'
    bool chart;
};

class ResultsTableTest : public ResultsWindowTest, public testing::WithParamInterface<TableCase> {};

TEST_P(ResultsTableTest, ShowsEveryFrequencyOfTheChosenSource) {
    const TableCase& c = GetParam();
    Open(ReadSweep(c.listing));
    EXPECT_EQ(m_window->parentWidget()->windowTitle(), "Results");
    QStringList headers;
    for (int column = 0; column < m_table->columnCount(); ++column)
        headers << m_table->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headers, (QStringList{"Frequency (MHz)", "R (Ω)", "X (Ω)", "SWR", "Gain (dBi)",
                                    "θ (°)", "φ (°)", "F/B (dB)"}));
    EXPECT_EQ(m_table->rowCount(), c.rows);
    auto* selector = m_window->findChild<QComboBox*>();
    QStringList items;
    for (int i = 0; selector && i < selector->count(); ++i) items << selector->itemText(i);
    EXPECT_EQ(items, c.sources);
    if (selector) selector->setCurrentIndex(c.source);
    EXPECT_EQ(Row(0), QString(c.firstRow).split('|'));
    EXPECT_EQ(m_window->findChild<CSweepChartView*>() != nullptr, c.chart);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, ResultsTableTest,
    testing::Values(
        TableCase{"dipole.out", 1, {}, 0, "28.6|69.13|-19.34|1.58|2.11|90.0|0.0|0.00", false},
        TableCase{"yagi-sweep.out", 7, {}, 0, "3.5|33.81|-30.94|2.28|7.18|90.0|90.0|5.90", true},
        TableCase{"two-sources.out",
                  1,
                  {"Tag 1, segment 6", "Tag 2, segment 17"},
                  1,
                  "14.2|42.93|-0.77|1.17|6.05|90.0|180.0|3.36",
                  false}));

TEST_F(ResultsWindowTest, Z0TakesPositiveNumbersOnlyAndUpdatesEverySwr) {
    Open(ReadSweep("yagi-sweep.out"));
    const QStringList at50 = Column(3);
    struct {
        QString typed;
        bool taken;
    } cases[] = {{"75", true}, {"0", false},   {"-50", false}, {"abc", false},
                 {"", false},  {"inf", false}, {" 50 ", true}};
    QStringList previous = at50;
    for (const auto& c : cases) {
        SetZ0(c.typed);
        EXPECT_EQ(Z0Message().isEmpty(), c.taken) << c.typed.toStdString();
        if (c.taken) {
            EXPECT_EQ(m_window->ReferenceOhms(), c.typed.trimmed().toDouble());
            // Every row's SWR moves with the reference.
            for (int row = 0; row < m_table->rowCount(); ++row)
                EXPECT_NE(Column(3)[row], previous[row]) << row;
            previous = Column(3);
        } else {
            EXPECT_EQ(Column(3), previous);
            EXPECT_TRUE(Z0Message().startsWith("Z0 must be a positive number of ohms"));
        }
    }
    EXPECT_EQ(Column(3), at50);
    // The values under the mouse are those of the nearest row, at this Z0.
    auto* chart = m_window->findChild<CSweepChartView*>();
    const QPointF middle =
        chart->mapFromScene(chart->chart()->mapToScene(chart->chart()->plotArea().center()));
    QMouseEvent move(QEvent::MouseMove, middle, chart->viewport()->mapToGlobal(middle),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &move);
    const QString readout = m_window->findChild<QLabel*>("Readout")->text();
    EXPECT_EQ(readout, QStringLiteral("%1 MHz: R %2 Ω, X %3 Ω, SWR %4")
                           .arg(Row(3)[0], Row(3)[1], Row(3)[2], Row(3)[3]));
    // By hand at 75 ohms: Z = 33.807 - j30.944, |G| = 0.4555, SWR 2.67.
    SetZ0("75");
    EXPECT_EQ(Column(3)[0], "2.67");
}

TEST_F(ResultsWindowTest, ExportCsvWritesTheTableAsShown) {
    Open(ReadSweep("yagi-sweep.out"));
    SetZ0("75");
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
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0],
              "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,theta_deg,phi_deg,front_to_back_db");
    // Each field rounds to the table's text: the same source, Z0 and step.
    const int decimals[] = {-1, 2, 2, 2, 2, 1, 1, 2};
    for (int row = 0; row < 7; ++row) {
        const QStringList fields = lines[row + 1].split(',');
        ASSERT_EQ(fields.size(), 8) << row;
        for (int column = 0; column < 8; ++column) {
            const double value = fields[column].toDouble();
            EXPECT_EQ(column ? QString::number(value, 'f', decimals[column]) : fields[column],
                      Row(row)[column]);
        }
    }
    EXPECT_TRUE(m_catcher.Messages().isEmpty());
}

TEST_F(ResultsWindowTest, TheCutsFollowTheSelectedRowAndSayWhenMissing) {
    // One step whose table holds a single azimuth direction and no back row.
    SweepStep step{10, {{1, 1, 50, 0}}, {}};
    for (double theta : {0.0, 45.0, 90.0})
        step.pattern.push_back({theta, 0, 0, -999.99, theta == 45.0 ? 6.0 : 1.0});
    ListingSweep lone{"VERTC", "HORIZ", {step}};
    Open(lone);
    EXPECT_EQ(Row(0), (QStringList{"10", "50.00", "0.00", "1.00", "6.00", "45.0", "0.0", ""}));
    EXPECT_EQ(Cuts(), (QStringList{"The pattern holds no azimuth cut at θ = 45° #0",
                                   "Elevation at φ = 0° #3"}));
    m_window->DestroyWindow();

    Open(ReadSweep("yagi-sweep.out"));
    // 36 directions round the horizon, 5 thetas down each side of the plane.
    const QStringList first = Cuts();
    EXPECT_TRUE(first[0].startsWith("Azimuth at θ = 90°, beamwidth ") && first[0].endsWith(" #36"));
    EXPECT_EQ(first[1], "Elevation at φ = 90° #10");
    m_table->selectRow(6);
    EXPECT_NE(Cuts(), first);
}

}  // namespace
