#include "plots/ResultsWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "plots/ResultsCharts.h"
#include "ui/FileDialogs.h"

namespace {

// The 3D windows fill the area from (50, 50) to (775, 400); the Results
// window keeps the same 25 pixel gap from them and from the area's edges.
constexpr int kThreeDRight = 775;
constexpr int kThreeDBottom = 400;
constexpr int kGap = 25;
constexpr int kTop = 50;
constexpr int kLeft = 50;
const QSize kSmallest(640, 440);

enum Column { kFrequency, kResistance, kReactance, kSwr, kGain, kTheta, kPhi, kFrontToBack };

// A panel of a chart with its readout, if any, and a button that saves it.
QWidget* ChartPanel(QChartView* view, QLabel* readout, const QString& fileName) {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view, 1);
    auto* row = new QHBoxLayout;
    if (readout != nullptr) row->addWidget(readout, 1);
    row->addStretch();
    auto* save = new QPushButton(QStringLiteral("Save Chart..."));
    QObject::connect(save, &QPushButton::clicked, panel,
                     [panel, view, fileName] { SaveChartImage(panel, view, fileName); });
    row->addWidget(save);
    layout->addLayout(row);
    return panel;
}

}  // namespace

CResultsWindow::CResultsWindow(ListingSweep sweep) : m_sweep(std::move(sweep)) {
    setObjectName(QStringLiteral("Results"));
    auto* layout = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    const std::size_t sources = m_sweep.steps.empty() ? 0 : m_sweep.steps.front().sources.size();
    if (sources > 1) {
        controls->addWidget(new QLabel(QStringLiteral("Source")));
        m_sourceBox = new QComboBox;
        for (const SweepSource& source : m_sweep.steps.front().sources) {
            m_sourceBox->addItem(
                QStringLiteral("Tag %1, segment %2").arg(source.tag).arg(source.segment));
        }
        controls->addWidget(m_sourceBox);
        connect(m_sourceBox, &QComboBox::currentIndexChanged, this,
                &CResultsWindow::OnSourceChosen);
    }
    auto* referenceLabel = new QLabel(QStringLiteral("Z0 (Ω)"));
    m_referenceEdit = new QLineEdit(QStringLiteral("50"));
    m_referenceEdit->setObjectName(QStringLiteral("Z0"));
    m_referenceEdit->setMaximumWidth(90);
    referenceLabel->setBuddy(m_referenceEdit);
    m_referenceMessage = new QLabel;
    m_referenceMessage->setObjectName(QStringLiteral("Z0Message"));
    m_referenceMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    controls->addWidget(referenceLabel);
    controls->addWidget(m_referenceEdit);
    controls->addWidget(m_referenceMessage, 1);
    auto* exportButton = new QPushButton(QStringLiteral("Export CSV..."));
    controls->addWidget(exportButton);
    layout->addLayout(controls);
    connect(m_referenceEdit, &QLineEdit::textEdited, this, &CResultsWindow::OnReferenceEdited);
    connect(exportButton, &QPushButton::clicked, this, &CResultsWindow::OnExportCsv);

    m_table = new QTableWidget(static_cast<int>(m_sweep.steps.size()), 8);
    m_table->setHorizontalHeaderLabels(
        {"Frequency (MHz)", "R (Ω)", "X (Ω)", "SWR", "Gain (dBi)", "θ (°)", "φ (°)", "F/B (dB)"});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }

    auto* top = new QSplitter(Qt::Horizontal);
    top->addWidget(m_table);
    if (m_sweep.steps.size() >= 2) {
        auto* readout = new QLabel;
        readout->setObjectName(QStringLiteral("Readout"));
        m_sweepChart = new CSweepChartView(readout);
        top->addWidget(ChartPanel(m_sweepChart, readout, QStringLiteral("impedance-swr")));
    }
    m_azimuth = new CPolarCutView;
    m_azimuth->setObjectName(QStringLiteral("azimuth"));
    m_elevation = new CPolarCutView;
    m_elevation->setObjectName(QStringLiteral("elevation"));
    auto* cuts = new QSplitter(Qt::Horizontal);
    cuts->addWidget(ChartPanel(m_azimuth, nullptr, QStringLiteral("azimuth")));
    cuts->addWidget(ChartPanel(m_elevation, nullptr, QStringLiteral("elevation")));
    auto* parts = new QSplitter(Qt::Vertical);
    parts->addWidget(top);
    parts->addWidget(cuts);
    layout->addWidget(parts, 1);

    ShowFigures();
    m_table->resizeColumnsToContents();
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CResultsWindow::OnRowSelected);
    if (m_table->rowCount() > 0) {
        m_table->selectRow(0);
    } else {
        ShowCuts(-1);
    }
}

QRect CResultsWindow::PlaceIn(QSize areaSize) {
    const QRect right(kThreeDRight + kGap, kTop, areaSize.width() - kThreeDRight - 2 * kGap,
                      areaSize.height() - kTop - kGap);
    if (right.width() >= kSmallest.width() && right.height() >= kSmallest.height()) return right;
    const QRect below(kLeft, kThreeDBottom + kGap, areaSize.width() - kLeft - kGap,
                      areaSize.height() - kThreeDBottom - 2 * kGap);
    return QRect(below.topLeft(), below.size().expandedTo(kSmallest));
}

bool CResultsWindow::Create(QMdiArea* area) {
    if (area == nullptr) return false;
    auto* frame = new QMdiSubWindow;
    frame->setWindowTitle(QStringLiteral("Results"));
    frame->setWidget(this);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    area->addSubWindow(frame);
    frame->setGeometry(PlaceIn(area->viewport()->size()));
    frame->show();
    frame->raise();
    area->setActiveSubWindow(frame);
    m_frame = frame;
    return true;
}

void CResultsWindow::DestroyWindow() {
    if (m_frame) {
        delete m_frame.data();
    } else {
        delete this;
    }
}

void CResultsWindow::OnSourceChosen(int index) {
    if (index < 0) return;
    m_source = static_cast<std::size_t>(index);
    ShowFigures();
}

void CResultsWindow::OnReferenceEdited(const QString& text) {
    bool ok = false;
    const double ohms = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(ohms) || ohms <= 0) {
        m_referenceMessage->setText(
            QStringLiteral("Z0 must be a positive number of ohms, such as 50 or 75; the SWR "
                           "shown is still against %1 Ω.")
                .arg(m_referenceOhms, 0, 'g', 6));
        return;
    }
    m_referenceMessage->clear();
    m_referenceOhms = ohms;
    ShowFigures();
}

void CResultsWindow::ShowFigures() {
    m_figures.clear();
    std::vector<SweepChartPoint> points;
    for (const SweepStep& step : m_sweep.steps) {
        m_figures.push_back(ComputeStepFigures(step, m_source, m_referenceOhms));
        points.push_back({step.frequencyMhz, m_figures.back()});
    }
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const StepFigures& f = m_figures[static_cast<std::size_t>(row)];
        const QString texts[] = {
            QString::number(m_sweep.steps[static_cast<std::size_t>(row)].frequencyMhz, 'g', 6),
            FormatFigure(f.resistance, 2),
            FormatFigure(f.reactance, 2),
            FormatFigure(f.swr, 2),
            FormatFigure(f.gainDbi, 2),
            FormatFigure(f.thetaDeg, 1),
            FormatFigure(f.phiDeg, 1),
            FormatFigure(f.frontToBackDb, 2)};
        for (int column = kFrequency; column <= kFrontToBack; ++column)
            m_table->item(row, column)->setText(texts[column]);
    }
    if (m_sweepChart != nullptr) m_sweepChart->SetPoints(std::move(points));
}

void CResultsWindow::OnRowSelected() {
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    if (!ranges.isEmpty()) ShowCuts(ranges.first().topRow());
}

void CResultsWindow::ShowCuts(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_figures.size()) {
        PolarCut none;
        none.missing = QStringLiteral("No radiation pattern");
        m_azimuth->SetCut(none);
        m_elevation->SetCut(none);
        return;
    }
    const SweepStep& step = m_sweep.steps[static_cast<std::size_t>(row)];
    const StepFigures& f = m_figures[static_cast<std::size_t>(row)];
    if (!f.gainDbi) {
        PolarCut none;
        none.missing = QStringLiteral("No radiation pattern at %1 MHz")
                           .arg(QString::number(step.frequencyMhz, 'g', 6));
        m_azimuth->SetCut(none);
        m_elevation->SetCut(none);
        return;
    }
    m_azimuth->SetCut(MakeAzimuthCut(step, *f.thetaDeg, f.beamwidthDeg));
    m_elevation->SetCut(MakeElevationCut(step, *f.phiDeg));
}

void CResultsWindow::OnExportCsv() {
    const QString path = AskSavePath(this, QStringLiteral("csv"), QStringLiteral("results"));
    if (path.isEmpty()) return;
    WriteResultFile(this, path, SweepCsv(m_sweep, m_source, m_referenceOhms));
}
