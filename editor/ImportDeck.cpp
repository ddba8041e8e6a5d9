#include "editor/ImportDeck.h"

#include <QFile>
#include <QUndoStack>
#include <filesystem>
#include <string>

#include "editor/AddElementsCommand.h"
#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"
#include "nec/WholeFile.h"
#include "ui/MessageBox.h"

bool ImportDeckFile(QWidget* parent, CQuadrellDoc& document, QUndoStack& history, CPoint origin,
                    const QString& path, FrequencySettings& offeredSweep) {
    const auto cannotRead = [&](const QString& reason) {
        ShowQuadrellMessage(parent,
                            CannotReadText(path, reason, QStringLiteral("File Cannot be Opened")));
        return false;
    };
    std::string deck;
    std::string error;
    if (!ReadWholeFile(std::filesystem::path(QFile::encodeName(path).toStdString()), deck, error,
                       kLargestDeck))
        return cannotRead(QString::fromStdString(error));

    DeckImport imported = ReadDeckImport(deck, origin);
    if (!imported.failure.empty()) {
        ShowQuadrellMessage(parent, QString::fromStdString(imported.failure));
        return false;
    }
    history.push(new CAddElementsCommand(
        document, QStringLiteral("Import Deck"),
        [&imported](CQuadrellDoc& design) { ApplyDeckImport(design, imported); }));
    offeredSweep = imported.frequency;
    const std::string skipped = SkipMessage(imported.skipped);
    if (!skipped.empty()) ShowQuadrellMessage(parent, QString::fromStdString(skipped));
    return true;
}
