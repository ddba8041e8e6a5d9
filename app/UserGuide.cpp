#include "app/UserGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// True for the program as built, in the build tree's own bin/ folder. An
// installed program never reads the source tree it was built from: that
// folder may be gone, and anybody may have made one at its place since.
bool IsBuildTreeProgram(const QString& programFolder) {
    const QString folder = QFileInfo(programFolder).canonicalFilePath();
    return !folder.isEmpty() &&
           folder == QFileInfo(QStringLiteral(QUADRELL_BUILD_BIN_DIR)).canonicalFilePath();
}

}  // namespace

QString UserGuideFileName() { return QStringLiteral("user-guide.html"); }

QString UserGuidePath() { return UserGuidePath(QCoreApplication::applicationDirPath()); }

QString UserGuidePath(const QString& programFolder) {
    QStringList candidates = {
        programFolder + QStringLiteral("/../share/doc/quadrell/"),
        programFolder + QStringLiteral("/../docs/"),
    };
    if (IsBuildTreeProgram(programFolder)) candidates << QStringLiteral(QUADRELL_DOCS_DIR "/");
    for (const QString& folder : candidates) {
        const QFileInfo guide(QDir::cleanPath(folder + UserGuideFileName()));
        if (guide.isFile() && guide.isReadable()) return guide.absoluteFilePath();
    }
    return QString();
}
