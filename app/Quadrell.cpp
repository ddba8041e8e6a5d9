#include "app/Quadrell.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QUndoStack>
#include <clocale>
#include <cstdio>

#include "app/AboutDlg.h"
#include "app/ChildFrm.h"
#include "app/DocTemplate.h"
#include "app/MainFrm.h"
#include "app/ToolbarIcons.h"
#include "editor/QuadrellView.h"
#include "ui/CommandIds.h"

QStringList CommandLineFiles(const QStringList& arguments) {
    QStringList files;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            // Quadrell has no options of its own; the toolkit has taken its own.
            std::fprintf(stderr,
                         "quadrell: unknown option %s (a file whose name begins with - "
                         "goes after --)\n",
                         argument.toLocal8Bit().constData());
        } else {
            files << argument;
        }
    }
    return files;
}

CQuadrellApp::CQuadrellApp() {
    // Numbers on cards, in listings and in dialogs always use a decimal point,
    // whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quadrell"));
    QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus);
    QApplication::setWindowIcon(MakeApplicationIcon());
}

CQuadrellApp::~CQuadrellApp() { m_mainFrame.reset(); }

bool CQuadrellApp::InitInstance(const QStringList& arguments) {
    m_recentFiles.Load();
    m_mainFrame = std::make_unique<CMainFrame>(this, m_printer);
    connect(m_mainFrame->DocTemplate(), &CDocTemplate::deckImported, this,
            &CQuadrellApp::AddRecentFile);
    RefreshRecentFileMenus();

    // The main window is laid out before the first design window opens, so
    // that the design window can take its share of the real area.
    m_mainFrame->resize(1100, 800);
    m_mainFrame->show();
    // Each deck named opens in a design window of its own; one that cannot be
    // imported leaves its window empty, with the reason shown, and the run
    // goes on. Without a deck there is one empty design.
    const QStringList files = CommandLineFiles(arguments);
    for (const QString& file : files) OpenDocumentFile(file);
    if (files.isEmpty()) OnFileNew();
    m_mainFrame->repaint();
    return true;
}

bool CQuadrellApp::OnCmdMsg(int id, bool execute) {
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
        const int index = id - ID_FILE_MRU_FILE1;
        if (index >= m_recentFiles.Paths().size()) return false;
        if (execute) OpenDocumentFile(m_recentFiles.Paths().at(index));
        return true;
    }
    switch (id) {
        case ID_FILE_NEW:
            if (execute) OnFileNew();
            return true;
        case ID_FILE_PRINT_SETUP:
            if (execute) OnFilePrintSetup();
            return true;
        case ID_APP_ABOUT:
            if (execute) OnAppAbout();
            return true;
        case ID_APP_EXIT:
            if (execute) m_mainFrame->close();
            return true;
        default:
            return false;
    }
}

void CQuadrellApp::OnFileNew() { m_mainFrame->DocTemplate()->OpenNewDocument(); }

bool CQuadrellApp::OpenDocumentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    CChildFrame* frame = m_mainFrame->DocTemplate()->OpenDocumentFile(full);
    if (frame->GetView()->ImportDeck(full)) {
        // The design's history begins with the deck it was opened from.
        frame->GetView()->GetHistory().clear();
        return true;
    }
    // A deck that is gone leaves the list; one that did not read stays, to be
    // tried again once it is mended.
    const QFileInfo file(full);
    if (!file.isFile() || !file.isReadable()) {
        m_recentFiles.Remove(static_cast<int>(m_recentFiles.Paths().indexOf(full)));
        m_recentFiles.Save();
        RefreshRecentFileMenus();
    }
    return false;
}

void CQuadrellApp::AddRecentFile(const QString& path) {
    m_recentFiles.Add(QFileInfo(path).absoluteFilePath());
    m_recentFiles.Save();
    RefreshRecentFileMenus();
}

void CQuadrellApp::OnAppAbout() {
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

void CQuadrellApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&m_printer.Printer(), m_mainFrame.get());
    dialog.exec();
}

void CQuadrellApp::RefreshRecentFileMenus() {
    QStringList texts;
    for (int i = 0; i < m_recentFiles.Paths().size(); ++i) texts << m_recentFiles.MenuText(i);
    m_mainFrame->SetRecentFiles(texts);
    m_mainFrame->UpdateCommandUI();
}
