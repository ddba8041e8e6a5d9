#include "app/UserGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString UserGuideFileName() { return QStringLiteral("user-guide.html"); }

QString UserGuidePath() { return UserGuidePath(QCoreApplication::applicationDirPath()); }

QString UserGuidePath(const QString& programFolder) {
    const QString& appDir = programFolder;
    const QStringList candidates = {
        appDir + QStringLiteral("/../share/doc/quadrell/"),
        appDir + QStringLiteral("/../docs/"),
        QStringLiteral(QUADRELL_DOCS_DIR "/"),
    };
    for (const QString& folder : candidates) {
        const QFileInfo guide(QDir::cleanPath(folder + UserGuideFileName()));
        if (guide.isFile() && guide.isReadable()) return guide.absoluteFilePath();
    }
    return QString();
}
