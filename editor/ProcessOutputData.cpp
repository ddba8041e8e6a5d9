#include "editor/ProcessOutputData.h"

#include <QFile>
#include <filesystem>
#include <optional>
#include <string>

#include "nec/ListingReader.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
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
                       QPointer<CAntennaPlot>& structureWindow) {
    const QString path = AskOpenFilePath(parent);
    if (path.isEmpty()) return;

    std::string error;
    const std::optional<ListingResult> listing =
        ReadListingFile(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
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
}
