#include "editor/ProcessOutputData.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "nec/ListingReader.h"
#include "nec/ListingSweep.h"
#include "nec/MappedFile.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "plots/ResultsWindow.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

namespace {

// Shows a new result window in the area, active, above its siblings and
// painted before the command goes on. False, and the window gone, when it
// cannot be shown there.
template <typename Window>
bool ShowResultWindow(Window* window, QMdiArea* area) {
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
    // One map of the file feeds both readers, so that the 3D windows and the
    // Results window show the same run.
    const CMappedFile file(std::filesystem::path(QFile::encodeName(path).toStdString()));
    std::optional<ListingResult> listing;
    std::optional<ListingSweep> sweep;
    std::string sweepError;
    const std::string error = file.Read([&](std::string_view bytes) {
        listing = ReadListing(bytes);
        if (listing) sweep = ReadListingSweep(bytes, sweepError);
    });
    if (!error.empty() || !listing) {
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

    // The 3D windows show the first frequency only; the Results window the
    // figures of every frequency.
    if (!sweep) {
        ShowQuadrellMessage(
            parent, QStringLiteral("The Results window cannot show %1:\n%2.")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(sweepError)));
        return;
    }
    auto* results = new CResultsWindow(std::move(*sweep));
    if (!ShowResultWindow(results, area)) return;
    resultsWindow = results;
}
