#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "app/ChildFrm.h"
#include "app/CommandTable.h"
#include "app/DocTemplate.h"
#include "app/MainFrm.h"
#include "app/Quadrell.h"
#include "editor/CommandIds.h"
#include "editor/QuadrellView.h"
#include "plots/PlotWindowClass.h"
#include "tests/support/ModalCatcher.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ShellFixture.h"

namespace {

// The texts of a menu's items, "-" for a separator, hidden items left out.
QStringList ItemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

QStringList MenuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (const QAction* action : frame.menuBar()->actions()) titles << action->text();
    return titles;
}

class CShellTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        QApplication::setActiveWindow(m_frame);
    }

    QList<CChildFrame*> DesignWindows() const {
        QList<CChildFrame*> windows;
        for (QMdiSubWindow* window : m_frame->MdiArea()->subWindowList()) {
            if (auto* child = qobject_cast<CChildFrame*>(window)) windows << child;
        }
        return windows;
    }
    void CloseAllDesigns() {
        m_frame->MdiArea()->closeAllSubWindows();
        ProcessDeletes();
    }
};

TEST_F(CShellTest, StartsWithOneEmptyDesignAndTheDesignMenus) {
    ASSERT_EQ(DesignWindows().size(), 1);
    EXPECT_EQ(DesignWindows().front()->windowTitle(), "Quadre1");
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell - Quadre1");
    EXPECT_TRUE(IsPlotWindowClassRegistered());

    EXPECT_EQ(MenuTitles(*m_frame),
              (QStringList{"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
    const QList<QMenu*> menus = m_frame->CurrentMenus();
    EXPECT_EQ(ItemTexts(menus[0]),
              (QStringList{"&New", "&Open...", "&Close", "-", "&Print...", "Print Pre&view",
                           "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(ItemTexts(menus[1]),
              (QStringList{"&Undo", "Redo", "Repeat", "-", "Cu&t", "&Copy", "&Paste"}));
    EXPECT_EQ(ItemTexts(menus[2]), (QStringList{"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(ItemTexts(menus[3]), (QStringList{"&Snap Controls", "&Rotate", "&Flip"}));
    EXPECT_EQ(ItemTexts(menus[4]),
              (QStringList{"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}));
    EXPECT_EQ(ItemTexts(menus[5]), (QStringList{"&Help Topics", "-", "&About Quadrell..."}));
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isEnabled());
}

TEST_F(CShellTest, ClosingTheLastDesignSwitchesBackToTheShortMenus) {
    CloseAllDesigns();
    EXPECT_TRUE(DesignWindows().isEmpty());
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 0);
    EXPECT_EQ(MenuTitles(*m_frame), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(ItemTexts(m_frame->CurrentMenus()[0]),
              (QStringList{"&New", "&Open...", "-", "P&rint Setup...", "-", "Recent File", "-",
                           "E&xit"}));
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell");

    // New brings the design menus back, numbered on.
    m_frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(DesignWindows().front()->windowTitle(), "Quadre2");
    EXPECT_EQ(MenuTitles(*m_frame).size(), 6);
}

TEST_F(CShellTest, FileOpenWithoutADesignAsksForANewOneFirst) {
    CloseAllDesigns();
    m_frame->Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(m_catcher.Messages(),
              QStringList{"Please create New document first.\nThen try opening the file again."});

    // With a design open, Open belongs to its view.
    m_frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_TRUE(m_frame->ActiveView()->OnCmdMsg(ID_FILE_OPEN, false));
}

TEST_F(CShellTest, CommandsNobodyHandlesAreDisabled) {
    m_frame->UpdateCommandUI();
    for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_REPEAT, ID_NEXT_PANE, ID_PREV_PANE}) {
        EXPECT_FALSE(m_frame->Action(id)->isEnabled()) << id;
        EXPECT_FALSE(m_frame->RouteCommand(id, false)) << id;
    }
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_PRINT, ID_APP_ABOUT,
                   ID_WINDOW_NEW, ID_HELP_FINDER, ID_CONTEXT_HELP, ID_VIEW_TOOLBAR, ID_PLACE_WIRE,
                   ID_PLACE_SOURCE, ID_SNAP_CONTROLS, ID_GENERATE_INPUT_FILE, ID_LAUNCH_NEC2D}) {
        EXPECT_TRUE(m_frame->Action(id)->isEnabled()) << id;
    }
    CloseAllDesigns();
    for (int id : {ID_FILE_CLOSE, ID_FILE_PRINT, ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_PLACE_WIRE,
                   ID_LAUNCH_NEC2D, ID_GENERATE_INPUT_FILE}) {
        EXPECT_FALSE(m_frame->Action(id)->isEnabled()) << id;
    }
}

TEST_F(CShellTest, EveryAcceleratorIsBoundAndSaveIsNotOffered) {
    const QList<std::pair<QString, int>> keys = {
        {"Ctrl+N", ID_FILE_NEW},    {"Ctrl+O", ID_FILE_OPEN},        {"Ctrl+P", ID_FILE_PRINT},
        {"Ctrl+Z", ID_EDIT_UNDO},   {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},
        {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Ctrl+V", ID_EDIT_PASTE},  {"Shift+Ins", ID_EDIT_PASTE},    {"Ctrl+G", ID_SNAP_CONTROLS},
        {"Ctrl+F", ID_FLIP},        {"Ctrl+R", ID_ROTATE},           {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE}, {"Shift+F1", ID_CONTEXT_HELP},   {"F1", ID_HELP},
        {"Del", ID_DELETE_ELEMENT},
    };
    for (const auto& [key, id] : keys) {
        EXPECT_TRUE(m_frame->Action(id)->shortcuts().contains(QKeySequence(key)))
            << key.toStdString();
        EXPECT_TRUE(m_frame->actions().contains(m_frame->Action(id))) << key.toStdString();
    }
    for (const QAction* action : m_frame->findChildren<QAction*>()) {
        EXPECT_FALSE(action->shortcuts().contains(QKeySequence("Ctrl+S")));
    }
    EXPECT_EQ(m_frame->Action(ID_FILE_SAVE), nullptr);
}

TEST_F(CShellTest, ToolbarFollowsTheLayoutWithPromptsAndTips) {
    QStringList tips;
    for (const QAction* action : m_frame->ToolBar()->actions()) {
        tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{"New",
                                 "Open",
                                 "|",
                                 "Cut",
                                 "Copy",
                                 "Paste",
                                 "|",
                                 "Print",
                                 "About",
                                 "Help",
                                 "|",
                                 "Place new wire",
                                 "Place new source",
                                 "Generate Input File for NEC2D",
                                 " Launch NEC2d",
                                 " Process OutPut Data",
                                 "|",
                                 "Snap Controls",
                                 " Rotate",
                                 "Flip"}));
    for (const QAction* action : m_frame->ToolBar()->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
    }
    EXPECT_EQ(m_frame->Action(ID_PLACE_SOURCE)->statusTip(), "Places new source ");
    EXPECT_EQ(m_frame->Action(ID_ROTATE)->statusTip(), "Rotate the Element 90 degrees CCW");
}

TEST_F(CShellTest, StatusBarHasSixPanesWithTheirInitialTexts) {
    EXPECT_EQ(m_frame->StatusPaneText(0), "For Help, press F1");
    EXPECT_EQ(m_frame->StatusPaneText(1), "Snap On         ");
    EXPECT_EQ(m_frame->StatusPaneText(2), QString(39, ' '));
    QLabel* coords = m_frame->statusBar()->findChildren<QLabel*>()[2];
    const int width = coords->width();
    m_frame->SetStatusPaneText(2, "(100., 50.)  (200., 50.)");
    EXPECT_EQ(m_frame->StatusPaneText(2), "(100., 50.)  (200., 50.)");
    m_frame->SetStatusPaneText(2, "\t\t\t\t\t");
    EXPECT_EQ(coords->width(), width);
    EXPECT_GE(width, coords->fontMetrics().horizontalAdvance("(-500., -300.)  (500., 300.)"));
    m_frame->SetStatusPaneText(7, "ignored");
    EXPECT_EQ(m_frame->statusBar()->findChildren<QLabel*>().size(), 6);
}

TEST_F(CShellTest, ViewMenuTogglesToolbarAndStatusBar) {
    m_frame->show();
    m_frame->Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_FALSE(m_frame->ToolBar()->isVisible());
    EXPECT_FALSE(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
    m_frame->Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(m_frame->statusBar()->isVisible());
    m_frame->Action(ID_VIEW_TOOLBAR)->trigger();
    m_frame->Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(m_frame->ToolBar()->isVisible());
    EXPECT_TRUE(m_frame->statusBar()->isVisible());
}

TEST_F(CShellTest, NewWindowShowsTheSameDesignInASecondView) {
    CChildFrame* first = DesignWindows().front();
    m_frame->Action(ID_WINDOW_NEW)->trigger();
    ASSERT_EQ(DesignWindows().size(), 2);
    CChildFrame* second = DesignWindows().back();
    EXPECT_EQ(first->GetDocument(), second->GetDocument());
    EXPECT_NE(first->GetView(), second->GetView());
    EXPECT_EQ(first->windowTitle(), "Quadre1:1");
    EXPECT_EQ(second->windowTitle(), "Quadre1:2");

    second->close();
    ProcessDeletes();
    EXPECT_EQ(first->windowTitle(), "Quadre1");
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 1);

    // Close on the File menu closes every window of the design.
    m_frame->Action(ID_WINDOW_NEW)->trigger();
    m_frame->Action(ID_FILE_CLOSE)->trigger();
    ProcessDeletes();
    EXPECT_TRUE(DesignWindows().isEmpty());
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 0);
}

TEST_F(CShellTest, AboutBoxShowsTheVersion) {
    QString title;
    QStringList labels;
    m_catcher.OnDialog([&](QWidget* dialog) {
        title = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    m_frame->Action(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(title, "About Quadrell");
    EXPECT_TRUE(labels.contains("Quadrell Version 1.0"));
    EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
}

class CUrlRecorder : public QObject {
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { urls << url; }

  public:
    QList<QUrl> urls;
};

TEST_F(CShellTest, HelpOpensTheUserGuideAndShiftF1EntersWhatsThisMode) {
    CUrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "Open");
    m_frame->Action(ID_HELP)->trigger();
    m_frame->Action(ID_HELP_FINDER)->trigger();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(recorder.urls.size(), 2);
    EXPECT_TRUE(recorder.urls[0].toLocalFile().endsWith("user-guide.html"));
    EXPECT_TRUE(QFile::exists(recorder.urls[0].toLocalFile()));

    m_frame->Action(ID_CONTEXT_HELP)->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

TEST_F(CShellTest, RecentFilesAreKeptInTheSettingsAndReopen) {
    QTemporaryDir folder;
    const QString deck = folder.filePath("dipole.in");
    QFile file(deck);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    ASSERT_TRUE(m_app->OpenDocumentFile(deck));
    EXPECT_EQ(DesignWindows().back()->windowTitle(), "dipole.in");
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isVisible());
    EXPECT_TRUE(m_frame->RecentActions()[0]->isVisible());
    EXPECT_TRUE(m_frame->RecentActions()[0]->text().startsWith("&1 "));
    EXPECT_TRUE(m_frame->RecentActions()[0]->text().endsWith("dipole.in"));
    QSettings settings;
    EXPECT_EQ(settings.value("Recent File List/File1").toString(),
              QFileInfo(deck).absoluteFilePath());

    // Reopening through the menu makes another window on it.
    m_frame->RecentActions()[0]->trigger();
    EXPECT_EQ(DesignWindows().size(), 3);

    // A file that went away is reported and leaves the list.
    QFile::remove(deck);
    m_frame->RecentActions()[0]->trigger();
    ASSERT_EQ(m_catcher.Messages().size(), 1);
    EXPECT_TRUE(m_catcher.Messages()[0].startsWith("Cannot open"));
    EXPECT_TRUE(m_frame->RecentPlaceHolder()->isVisible());
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isEnabled());
}

TEST(PlotWindowClass, MakesFixedGreySubWindows) {
    RegisterPlotWindowClass();
    QMdiArea area;
    area.resize(900, 700);
    auto* content = new QWidget;
    QMdiSubWindow* window = CreatePlotWindow(&area, content, "Antenna Plot", QPoint(425, 50));
    EXPECT_EQ(window->windowTitle(), "Antenna Plot");
    EXPECT_EQ(window->size(), QSize(350, 350));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->pos(), QPoint(425, 50));
    EXPECT_EQ(content->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace

#include "MainFrameTest.moc"
