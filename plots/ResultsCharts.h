#pragma once

#include <QString>
#include <QtCharts/QChartView>
#include <optional>
#include <string_view>
#include <vector>

#include "nec/SweepFigures.h"

class QLabel;
class QWidget;

// One frequency of the sweep chart.
struct SweepChartPoint {
    double frequencyMhz = 0;
    StepFigures figures;
};

// R and X in ohms on the left axis and SWR on the right, against frequency,
// with the lowest SWR marked. Moving the mouse over it shows the values of
// the nearest frequency in the readout label.
class CSweepChartView : public QChartView {
    Q_OBJECT

  public:
    explicit CSweepChartView(QLabel* readout, QWidget* parent = nullptr);

    // Draws the curves of `points` afresh, for a new source or Z0.
    void SetPoints(std::vector<SweepChartPoint> points);

    // "3.55 MHz: R 22.31 Ω, X -5.20 Ω, SWR 2.25" for a step.
    static QString ReadoutText(const SweepChartPoint& point);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QLabel* m_readout;
    std::vector<SweepChartPoint> m_points;
};

// One cut of the pattern as the polar chart shows it: angles in degrees
// round the circle and the total gain in dBi.
struct PolarCut {
    QString caption;
    std::vector<std::pair<double, double>> points;  // (angle, gain)
    QString missing;  // what to say instead of the curve when there is none
};

// The azimuth cut of `step` at `thetaDeg` (phi round the circle), captioned
// with the beamwidth when there is one.
PolarCut MakeAzimuthCut(const SweepStep& step, double thetaDeg, std::optional<double> beamwidthDeg);
// The elevation cut at `phiDeg`: theta from the zenith round one side and
// back up the opposite side (phi + 180).
PolarCut MakeElevationCut(const SweepStep& step, double phiDeg);

// A polar chart of the total gain with rings every 10 dB down to 40 dB
// below the top ring.
class CPolarCutView : public QChartView {
    Q_OBJECT

  public:
    explicit CPolarCutView(QWidget* parent = nullptr);
    void SetCut(const PolarCut& cut);
};

// Asks for a file name and saves what `view` shows there, as SVG when the
// name ends in ".svg" and as PNG otherwise. A file that cannot be written is
// reported and left as it was.
void SaveChartImage(QWidget* parent, QChartView* view, const QString& initialName);

// Puts `bytes` into the file at `path` all or nothing; a failure is reported
// and leaves a file already there as it was.
bool WriteResultFile(QWidget* parent, const QString& path, std::string_view bytes);

// A number the C way, with `decimals` digits after the point; empty when
// there is none and "∞" when it is infinite.
QString FormatFigure(std::optional<double> value, int decimals);
