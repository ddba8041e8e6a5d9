#include "editor/ProcessOutputData.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <optional>
#include <string>

#include "nec/ListingReader.h"
#include "nec/ListingSweep.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "plots/ResultsWindow.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

namespace {

// Shows a new result window in the area, active, above its siblings and
// painted before the command goes on. False, and the window gone, when it
// cannot be shown there.
bool ShowResultWindow(CPlotWindow* window, QMdiArea* area) {
    if (!window->Create(area)) {
        window->DestroyWindow();
        return false;
    }
    window->setEnabled(true);
    window->repaint();
    return true;
}

}  // namespace

void ProcessOutputData(QWidget* parent, QMdiArea* area, QPointer<CPlotDlg>& patternWindow,
                       QPointer<CAntennaPlot>& structureWindow,
                       QPointer<CResultsWindow>& resultsWindow) {
    const QString path = AskOpenFilePath(parent);
    if (path.isEmpty()) return;
    ShowListingResults(parent, area, path, patternWindow, structureWindow, resultsWindow);
}

void ShowListingResults(QWidget* parent, QMdiArea* area, const QString& path,
                        QPointer<CPlotDlg>& patternWindow, QPointer<CAntennaPlot>& structureWindow,
                        QPointer<CResultsWindow>& resultsWindow) {
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    std::string error;
    const std::optional<ListingResult> listing = ReadListingFile(file, error);
    if (!listing) {
        const QString invalid = QStringLiteral("Invalid Input File");
        ShowQuadrellMessage(
            parent,
            error.empty() ? invalid : CannotReadText(path, QString::fromStdString(error), invalid));
        return;
    }

    auto* pattern = new CPlotDlg(listing->pattern);
    if (!ShowResultWindow(pattern, area)) return;
    patternWindow = pattern;
    auto* structure = new CAntennaPlot(listing->structure);
    if (!ShowResultWindow(structure, area)) return;
    structureWindow = structure;

    // The 3D windows show the first frequency only; the whole run is read
    // again for the figures of every frequency.
    std::optional<ListingSweep> sweep = ReadListingSweepFile(file, error);
    if (!sweep) {
        ShowQuadrellMessage(
            parent, QStringLiteral("The Results window cannot show %1:\n%2.")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(error)));
        return;
    }
    auto* results = new CResultsWindow(std::move(*sweep));
    if (!results->Create(area)) {
        results->DestroyWindow();
        return;
    }
    results->repaint();
    resultsWindow = results;
}
