#include "app/Quadrell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <clocale>

#include "app/AboutDlg.h"
#include "app/ChildFrm.h"
#include "app/DocTemplate.h"
#include "app/MainFrm.h"
#include "app/ToolbarIcons.h"
#include "editor/CommandIds.h"
#include "editor/MessageBox.h"
#include "editor/PrinterSettings.h"

CQuadrellApp::CQuadrellApp() {
    // Numbers on cards, in listings and in dialogs always use a decimal point,
    // whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quadrell"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quadrell"));
    QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus);
    QApplication::setWindowIcon(MakeApplicationIcon());
}

CQuadrellApp::~CQuadrellApp() { m_mainFrame.reset(); }

bool CQuadrellApp::InitInstance(const QStringList& arguments) {
    m_recentFiles.Load();
    m_mainFrame = std::make_unique<CMainFrame>(this);
    RefreshRecentFileMenus();

    // The main window is laid out before the first design window opens, so
    // that the design window can take its share of the real area.
    m_mainFrame->resize(1100, 800);
    m_mainFrame->show();
    if (!arguments.isEmpty()) {
        if (!OpenDocumentFile(arguments.front())) return false;
    } else {
        OnFileNew();
    }
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
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        ShowQuadrellMessage(m_mainFrame.get(),
                            QStringLiteral("Cannot open %1.\nThe file does not exist or cannot "
                                           "be read.")
                                .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
        m_recentFiles.Remove(
            static_cast<int>(m_recentFiles.Paths().indexOf(file.absoluteFilePath())));
        m_recentFiles.Save();
        RefreshRecentFileMenus();
        return false;
    }
    m_mainFrame->DocTemplate()->OpenDocumentFile(file.absoluteFilePath());
    m_recentFiles.Add(file.absoluteFilePath());
    m_recentFiles.Save();
    RefreshRecentFileMenus();
    return true;
}

void CQuadrellApp::OnAppAbout() {
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

void CQuadrellApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&ApplicationPrinter(), m_mainFrame.get());
    dialog.exec();
}

void CQuadrellApp::RefreshRecentFileMenus() {
    QStringList texts;
    for (int i = 0; i < m_recentFiles.Paths().size(); ++i) texts << m_recentFiles.MenuText(i);
    m_mainFrame->SetRecentFiles(texts);
    m_mainFrame->UpdateCommandUI();
}
