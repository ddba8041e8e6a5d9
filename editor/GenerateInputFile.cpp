#include "editor/GenerateInputFile.h"

#include <QDir>
#include <QFile>
#include <filesystem>

#include "editor/FrequencyProperties.h"
#include "editor/RadiationPatternProperties.h"
#include "nec/DeckFile.h"
#include "nec/DeckWriter.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

bool GenerateInputFile(QWidget* parent, const CQuadrellDoc& doc, CPoint origin,
                       FrequencySettings& lastSweep, int& tagCounter) {
    tagCounter = 0;
    // A wire the solver cannot take is said before the user fills in the
    // run settings for nothing.
    const UnsolvableWire unsolvable = FindUnsolvableWire(doc, origin);
    if (unsolvable.wire != nullptr) {
        ShowQuadrellMessage(parent, QString::fromStdString(UnsolvableWireMessage(unsolvable)));
        return false;
    }
    CFrequencyProperties frequency(lastSweep.m_nSteps, lastSweep.m_frequency, lastSweep.m_increment,
                                   parent);
    if (frequency.exec() != QDialog::Accepted) return false;
    lastSweep = frequency.Settings();

    const PatternSettings d;
    CRadiationPatternProperties pattern(d.m_mode, d.m_nTheta, d.m_nPhi, d.m_outputFormat,
                                        d.m_normalization, d.m_gain, d.m_averaging, d.m_thetaStart,
                                        d.m_phiStart, d.m_thetaStep, d.m_phiStep, parent);
    if (pattern.exec() != QDialog::Accepted) return false;

    const QString path = AskDeckPath(parent);
    if (path.isEmpty()) return false;

    // The deck is complete before anything touches the disk, so a source on
    // no wire costs the user no file.
    const DeckText deck =
        WriteDeck(doc, frequency.Settings(), pattern.Settings(), origin, tagCounter);
    if (!deck.allSourcesConnected) {
        ShowQuadrellMessage(
            parent, QStringLiteral("All Sources Must be connected to a Wire.\n\nFile Not Created"));
        return false;
    }
    const DeckFileResult written =
        WriteDeckFile(std::filesystem::path(QFile::encodeName(path).toStdString()), deck.text);
    if (!written.written) {
        ShowQuadrellMessage(parent, QStringLiteral("Cannot write %1:\n%2.\n\nFile Not Created")
                                        .arg(QDir::toNativeSeparators(path),
                                             QString::fromLocal8Bit(written.errorText)));
        return false;
    }
    ShowQuadrellInformation(parent, QStringLiteral("NEC File Created"));
    return true;
}
