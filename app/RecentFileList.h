#pragma once

#include <QString>
#include <QStringList>

// The recent-file list of the File menu: at most four paths, newest first,
// kept in the per-user settings under "Recent File List".
class CRecentFileList {
  public:
    static constexpr int kSize = 4;

    void Load();
    void Save() const;

    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Paths() const { return m_paths; }
    bool IsEmpty() const { return m_paths.isEmpty(); }

    // The menu text of an entry: "&1 name", with long paths shortened.
    QString MenuText(int index) const;

  private:
    QStringList m_paths;
};
