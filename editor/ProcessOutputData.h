#pragma once

#include <QPointer>
#include <QString>

class CAntennaPlot;
class CPlotDlg;
class CResultsWindow;
class QMdiArea;
class QWidget;

// The Process Output Data command: asks for a NEC2D listing and, when it holds
// a completed run in the solver's layout, opens a new far-field pattern
// window and then a new structure window in `area`, each activated and
// painted at once, and after them a new "Results" window with the figures of
// every frequency of the run. The pointers then hold the new windows; the
// windows they held before stay open. Any other file is reported as "Invalid Input
// File", with the reason first when it could not be read at all, and changes
// nothing.
void ProcessOutputData(QWidget* parent, QMdiArea* area, QPointer<CPlotDlg>& patternWindow,
                       QPointer<CAntennaPlot>& structureWindow,
                       QPointer<CResultsWindow>& resultsWindow);

// The same for the listing at `path`, once it is chosen.
void ShowListingResults(QWidget* parent, QMdiArea* area, const QString& path,
                        QPointer<CPlotDlg>& patternWindow, QPointer<CAntennaPlot>& structureWindow,
                        QPointer<CResultsWindow>& resultsWindow);
