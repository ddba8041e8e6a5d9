#include "plots/ResultsCharts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPolarChart>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "nec/DeckFile.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

namespace {

// Each curve's own colour, the same in every chart.
const QColor kResistanceColour(0, 90, 200);
const QColor kReactanceColour(230, 120, 0);
const QColor kSwrColour(200, 0, 0);

// The rings of a polar chart: 10 dB apart, 40 dB deep.
constexpr double kRingDb = 10.0;
constexpr double kPolarDepthDb = 40.0;

QValueAxis* NewAxis(const QString& title, const QString& format) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    return axis;
}

QLineSeries* NewLine(const QString& name, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour);
    pen.setWidth(2);
    series->setPen(pen);
    return series;
}

// Bounds a little wider than the values, so that no curve runs along the frame.
std::pair<double, double> PaddedRange(double low, double high) {
    const double pad = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 1.0);
    return {low - pad, high + pad};
}

}  // namespace

QString FormatFigure(std::optional<double> value, int decimals) {
    if (!value) return {};
    if (std::isinf(*value)) return QStringLiteral("∞");
    return QString::number(*value, 'f', decimals);
}

CSweepChartView::CSweepChartView(QLabel* readout, QWidget* parent)
    : QChartView(parent), m_readout(readout) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setMinimumSize(320, 220);
}

void CSweepChartView::SetPoints(std::vector<SweepChartPoint> points) {
    m_points = std::move(points);
    m_readout->setText(QStringLiteral("Point at the chart to read its values."));
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Impedance and SWR"));
    // Beside the plot, so that the curves keep the height of a short window.
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* resistance = NewLine(QStringLiteral("R (Ω)"), kResistanceColour);
    auto* reactance = NewLine(QStringLiteral("X (Ω)"), kReactanceColour);
    auto* swr = NewLine(QStringLiteral("SWR"), kSwrColour);
    auto* lowest = new QScatterSeries;
    lowest->setColor(kSwrColour);
    lowest->setMarkerSize(11);

    double ohmsLow = std::numeric_limits<double>::infinity(), ohmsHigh = -ohmsLow;
    double swrHigh = 1.0;
    const SweepChartPoint* best = nullptr;
    for (const SweepChartPoint& point : m_points) {
        const StepFigures& f = point.figures;
        if (f.resistance && f.reactance) {
            resistance->append(point.frequencyMhz, *f.resistance);
            reactance->append(point.frequencyMhz, *f.reactance);
            ohmsLow = std::min({ohmsLow, *f.resistance, *f.reactance});
            ohmsHigh = std::max({ohmsHigh, *f.resistance, *f.reactance});
        }
        // An infinite SWR has no place on the axis; the table shows it.
        if (f.swr && std::isfinite(*f.swr)) {
            swr->append(point.frequencyMhz, *f.swr);
            swrHigh = std::max(swrHigh, *f.swr);
            if (best == nullptr || *f.swr < *best->figures.swr) best = &point;
        }
    }
    if (best != nullptr) {
        lowest->setName(QStringLiteral("Lowest SWR %1 at %2 MHz")
                            .arg(FormatFigure(best->figures.swr, 2))
                            .arg(best->frequencyMhz, 0, 'g', 6));
        lowest->append(best->frequencyMhz, *best->figures.swr);
    }
    const QList<QAbstractSeries*> ohmCurves{resistance, reactance};
    const QList<QAbstractSeries*> ratioCurves{swr, lowest};
    for (QAbstractSeries* series : ohmCurves + ratioCurves) chart->addSeries(series);

    auto* frequency = NewAxis(QStringLiteral("Frequency (MHz)"), QStringLiteral("%.3f"));
    auto* ohms = NewAxis(QStringLiteral("R, X (Ω)"), QStringLiteral("%.0f"));
    auto* ratio = NewAxis(QStringLiteral("SWR"), QStringLiteral("%.1f"));
    if (!m_points.empty()) {
        frequency->setRange(m_points.front().frequencyMhz, m_points.back().frequencyMhz);
    }
    if (ohmsLow <= ohmsHigh) {
        const auto [low, high] = PaddedRange(ohmsLow, ohmsHigh);
        ohms->setRange(low, high);
    }
    ratio->setRange(1.0, PaddedRange(1.0, swrHigh).second);
    chart->addAxis(frequency, Qt::AlignBottom);
    chart->addAxis(ohms, Qt::AlignLeft);
    chart->addAxis(ratio, Qt::AlignRight);
    for (QAbstractSeries* series : ohmCurves) {
        series->attachAxis(frequency);
        series->attachAxis(ohms);
    }
    for (QAbstractSeries* series : ratioCurves) {
        series->attachAxis(frequency);
        series->attachAxis(ratio);
    }
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

QString CSweepChartView::ReadoutText(const SweepChartPoint& point) {
    const StepFigures& f = point.figures;
    return QStringLiteral("%1 MHz: R %2 Ω, X %3 Ω, SWR %4")
        .arg(QString::number(point.frequencyMhz, 'g', 6), FormatFigure(f.resistance, 2),
             FormatFigure(f.reactance, 2), FormatFigure(f.swr, 2));
}

void CSweepChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (m_points.empty() || chart()->series().isEmpty()) return;
    const QPointF scene = mapToScene(event->position().toPoint());
    const QPointF inChart = chart()->mapFromScene(scene);
    if (!chart()->plotArea().contains(inChart)) return;
    const double frequency = chart()->mapToValue(inChart, chart()->series().first()).x();
    const auto nearest = std::min_element(
        m_points.begin(), m_points.end(), [frequency](const auto& a, const auto& b) {
            return std::abs(a.frequencyMhz - frequency) < std::abs(b.frequencyMhz - frequency);
        });
    m_readout->setText(ReadoutText(*nearest));
}

PolarCut MakeAzimuthCut(const SweepStep& step, double thetaDeg,
                        std::optional<double> beamwidthDeg) {
    PolarCut cut;
    cut.caption = QStringLiteral("Azimuth at θ = %1°").arg(thetaDeg, 0, 'g', 6);
    cut.caption += beamwidthDeg ? QStringLiteral(", beamwidth %1°").arg(*beamwidthDeg, 0, 'f', 1)
                                : QStringLiteral(", no -3 dB beamwidth");
    for (const SweepPatternRow& row : AzimuthCut(step, thetaDeg))
        cut.points.emplace_back(row.phi, row.total);
    if (cut.points.size() < 2) {
        cut.missing =
            QStringLiteral("The pattern holds no azimuth cut at θ = %1°").arg(thetaDeg, 0, 'g', 6);
    }
    return cut;
}

PolarCut MakeElevationCut(const SweepStep& step, double phiDeg) {
    PolarCut cut;
    cut.caption = QStringLiteral("Elevation at φ = %1°").arg(phiDeg, 0, 'g', 6);
    for (const SweepPatternRow& row : ElevationCut(step, phiDeg)) {
        const double offset = std::fmod(std::abs(row.phi - phiDeg), 360.0);
        const bool sameSide = offset < 1e-6 || offset > 360.0 - 1e-6;
        cut.points.emplace_back(sameSide ? row.theta : 360.0 - row.theta, row.total);
    }
    std::sort(cut.points.begin(), cut.points.end());
    if (cut.points.size() < 2) {
        cut.missing =
            QStringLiteral("The pattern holds no elevation cut at φ = %1°").arg(phiDeg, 0, 'g', 6);
    }
    return cut;
}

CPolarCutView::CPolarCutView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(240, 240);
}

void CPolarCutView::SetCut(const PolarCut& cut) {
    auto* chart = new QPolarChart;
    chart->legend()->hide();
    // Qt Charts formats axis labels byte by byte: a degree sign would not survive.
    auto* angle = NewAxis({}, QStringLiteral("%.0f"));
    angle->setRange(0, 360);
    angle->setTickCount(13);
    auto* gain = NewAxis({}, QStringLiteral("%.0f dBi"));
    chart->addAxis(angle, QPolarChart::PolarOrientationAngular);
    chart->addAxis(gain, QPolarChart::PolarOrientationRadial);
    if (!cut.missing.isEmpty()) {
        chart->setTitle(cut.missing);
        gain->setRange(-kPolarDepthDb, 0);
    } else {
        chart->setTitle(cut.caption);
        double top = -std::numeric_limits<double>::infinity();
        for (const auto& point : cut.points) top = std::max(top, point.second);
        top = std::ceil(top / kRingDb) * kRingDb;
        const double floor = top - kPolarDepthDb;
        gain->setRange(floor, top);
        gain->setTickCount(static_cast<int>(kPolarDepthDb / kRingDb) + 1);
        auto* series = NewLine(QStringLiteral("Total gain"), kResistanceColour);
        // Directions weaker than the innermost ring sit on it.
        for (const auto& [a, g] : cut.points) series->append(a, std::max(g, floor));
        chart->addSeries(series);
        series->attachAxis(angle);
        series->attachAxis(gain);
    }
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

bool WriteResultFile(QWidget* parent, const QString& path, std::string_view bytes) {
    const DeckFileResult written =
        WriteDeckFile(std::filesystem::path(QFile::encodeName(path).toStdString()), bytes);
    if (written.written) return true;
    ShowQuadrellMessage(parent, QStringLiteral("Cannot write %1:\n%2.\n\nFile Not Created")
                                    .arg(QDir::toNativeSeparators(path),
                                         QString::fromLocal8Bit(written.errorText.c_str())));
    return false;
}

void SaveChartImage(QWidget* parent, QChartView* view, const QString& initialName) {
    const QString path = AskSavePath(parent, QStringLiteral("png"), initialName);
    if (path.isEmpty()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(view->size());
        svg.setViewBox(view->rect());
        svg.setTitle(view->chart()->title());
        QPainter painter(&svg);
        view->render(&painter);
    } else {
        view->grab().save(&buffer, "PNG");
    }
    WriteResultFile(parent, path, std::string_view(bytes.constData(), bytes.size()));
}
