#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "nec/ListingSweep.h"
#include "nec/SweepFigures.h"

class CPolarCutView;
class CSweepChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QTableWidget;

// "Results": the figures of every frequency of a run, for one source at a
// time, against a reference resistance the user sets. A table with a row per
// frequency, the impedance and SWR across the sweep, and the two polar cuts
// through the strongest direction of the selected row; the table and each
// chart can be saved.
class CResultsWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CResultsWindow(ListingSweep sweep);

    // Makes the window a resizable sub-window of `area`, beside the pattern
    // and structure windows, shown, raised and activated. False without an
    // area.
    bool Create(QMdiArea* area);
    // Closes the window and destroys it, frame and all.
    void DestroyWindow();

    // Where the window opens in an area of `areaSize`: to the right of the
    // two 3D windows where there is room for it, below them otherwise.
    static QRect PlaceIn(QSize areaSize);

  private:
    void OnSourceChosen(int index);
    void OnReferenceEdited(const QString& text);
    void OnRowSelected();
    void OnExportCsv();
    // Works the figures out again and shows them in the table and the chart.
    void ShowFigures();
    void ShowCuts(int row);

    ListingSweep m_sweep;
    std::vector<StepFigures> m_figures;
    std::size_t m_source = 0;
    double m_referenceOhms = kDefaultReferenceOhms;

    QComboBox* m_sourceBox = nullptr;  // only when the run has several sources
    QLineEdit* m_referenceEdit;
    QLabel* m_referenceMessage;
    QTableWidget* m_table;
    CSweepChartView* m_sweepChart = nullptr;  // only for two or more frequencies
    CPolarCutView* m_azimuth;
    CPolarCutView* m_elevation;
    QPointer<QMdiSubWindow> m_frame;
};
