#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "app/RecentFileList.h"
#include "editor/PrinterSettings.h"
#include "ui/CmdTarget.h"

class CMainFrame;

// The files named on the command line, in order. Arguments that begin with
// "-" are options up to a "--", which ends them: every argument after it is a
// file, and so is a lone "-". Quadrell has no options of its own, so each one
// is reported on the standard error and skipped.
QStringList CommandLineFiles(const QStringList& arguments);

// The application object: start-up, the commands that need no design (New,
// Print Setup, About, Exit, recent files) and the recent-file list. It lives
// beside the QApplication for the whole run.
class CQuadrellApp : public QObject, public CCmdTarget {
    Q_OBJECT

  public:
    CQuadrellApp();
    ~CQuadrellApp() override;

    // Builds the main window and opens the designs: each deck named on the
    // command line imported into a new design of its own, else a new empty
    // one. False ends the run.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }

    bool OnCmdMsg(int id, bool execute) override;

    void OnFileNew();
    // Opens a new design window titled with the file and imports the deck
    // into it. A deck that fails is reported and leaves the design empty; a
    // file that cannot be read also leaves the recent-file list.
    bool OpenDocumentFile(const QString& path);
    // Puts an imported deck first in the recent-file list.
    void AddRecentFile(const QString& path);
    void OnAppAbout();
    void OnFilePrintSetup();

  private:
    void RefreshRecentFileMenus();

    // Declared before the main frame, whose views hold it, so that it outlives them.
    CPrinterSettings m_printer;
    std::unique_ptr<CMainFrame> m_mainFrame;
    CRecentFileList m_recentFiles;
};
