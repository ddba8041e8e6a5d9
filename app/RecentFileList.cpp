#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kSection = QStringLiteral("Recent File List");

}  // namespace

void CRecentFileList::Load() {
    QSettings settings;
    m_paths.clear();
    for (int i = 1; i <= kSize; ++i) {
        const QString path =
            settings.value(QStringLiteral("%1/File%2").arg(kSection).arg(i)).toString();
        if (!path.isEmpty() && !m_paths.contains(path)) m_paths.append(path);
    }
}

void CRecentFileList::Save() const {
    QSettings settings;
    settings.remove(kSection);
    for (int i = 0; i < m_paths.size(); ++i) {
        settings.setValue(QStringLiteral("%1/File%2").arg(kSection).arg(i + 1), m_paths[i]);
    }
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kSize) m_paths.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < m_paths.size()) m_paths.removeAt(index);
}

QString CRecentFileList::MenuText(int index) const {
    if (index < 0 || index >= m_paths.size()) return QString();
    QString shown = QDir::toNativeSeparators(m_paths[index]);
    constexpr int kMaxShown = 48;
    if (shown.size() > kMaxShown) {
        shown = QStringLiteral("...") + shown.right(kMaxShown - 3);
    }
    // A literal ampersand in a path must not become a mnemonic.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
