// The application shell: menus, keys, toolbar, status bar, window commands,
// help and the recent file list.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "app/ChildFrm.h"
#include "app/DocTemplate.h"
#include "editor/CommandIds.h"
#include "plots/PlotWindowClass.h"
#include "tests/support/ShellFixture.h"

namespace {

class ShellTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        QApplication::setActiveWindow(m_frame);
    }

    // Each menu of the menu bar as "title: item|item", "-" for a separator.
    QStringList Menus() const {
        QStringList menus;
        for (const QAction* title : m_frame->menuBar()->actions()) {
            QStringList items;
            for (const QAction* item : title->menu()->actions()) {
                if (item->isVisible()) items << (item->isSeparator() ? "-" : item->text());
            }
            menus << title->text() + ": " + items.join('|');
        }
        return menus;
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
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
};

TEST_F(ShellTest, ShowsTheDesignMenusOnlyWhileADesignIsOpen) {
    ASSERT_EQ(DesignWindows().size(), 1);
    EXPECT_EQ(DesignWindows().front()->windowTitle(), "Quadre1");
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell - Quadre1");
    EXPECT_TRUE(IsPlotWindowClassRegistered());
    const QStringList designMenus = {
        "&File: &New|&Open...|&Close|-|&Print...|Print Pre&view|P&rint Setup...|-|Recent "
        "File|-|E&xit",
        "&Edit: &Undo|Redo|Repeat|-|Cu&t|&Copy|&Paste",
        "&View: &Toolbar|&Status Bar",
        "&Tools: &Snap Controls|&Rotate|&Flip",
        "&Window: &New Window|&Cascade|&Tile|&Arrange Icons",
        "&Help: &Help Topics|-|&About Quadrell...",
    };
    EXPECT_EQ(Menus(), designMenus);
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isEnabled());
    Trigger(ID_FILE_OPEN);  // the design's own, which opens nothing yet
    EXPECT_TRUE(m_catcher.Messages().isEmpty());

    CloseAllDesigns();
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 0);
    EXPECT_EQ(Menus(), (QStringList{"&File: &New|&Open...|-|P&rint Setup...|-|Recent File|-|E&xit",
                                    "&View: &Toolbar|&Status Bar",
                                    "&Help: &Help Topics|-|&About Quadrell..."}));
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell");
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(m_catcher.Messages(),
              QStringList{"Please create New document first.\nThen try opening the file again."});

    // New brings the design menus back, numbered on.
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(DesignWindows().front()->windowTitle(), "Quadre2");
    EXPECT_EQ(Menus(), designMenus);
}

TEST_F(ShellTest, CommandsAreEnabledOnlyWhereSomebodyHandlesThem) {
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

TEST_F(ShellTest, KeysToolbarAndStatusBarFollowTheCommandTable) {
    const std::pair<const char*, int> keys[] = {
        {"Ctrl+N", ID_FILE_NEW},    {"Ctrl+O", ID_FILE_OPEN},        {"Ctrl+P", ID_FILE_PRINT},
        {"Ctrl+Z", ID_EDIT_UNDO},   {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},
        {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Ctrl+V", ID_EDIT_PASTE},  {"Shift+Ins", ID_EDIT_PASTE},    {"Ctrl+G", ID_SNAP_CONTROLS},
        {"Ctrl+F", ID_FLIP},        {"Ctrl+R", ID_ROTATE},           {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE}, {"Shift+F1", ID_CONTEXT_HELP},   {"F1", ID_HELP},
        {"Del", ID_DELETE_ELEMENT},
    };
    for (const auto& [key, id] : keys) {
        // Bound on the main window, so they work in every window.
        EXPECT_TRUE(m_frame->Action(id)->shortcuts().contains(QKeySequence(key))) << key;
        EXPECT_TRUE(m_frame->actions().contains(m_frame->Action(id))) << key;
    }
    // Designs have nothing to save.
    EXPECT_EQ(m_frame->Action(ID_FILE_SAVE), nullptr);
    for (const QAction* action : m_frame->findChildren<QAction*>()) {
        EXPECT_FALSE(action->shortcuts().contains(QKeySequence("Ctrl+S")));
    }

    QStringList tips;
    for (const QAction* action : m_frame->ToolBar()->actions()) {
        tips << (action->isSeparator() ? "|" : action->toolTip());
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());
    }
    EXPECT_EQ(tips.join(','),
              "New,Open,|,Cut,Copy,Paste,|,Print,About,Help,|,Place new wire,"
              "Place new source,Generate Input File for NEC2D, Launch NEC2d, "
              "Process OutPut Data,|,Snap Controls, Rotate,Flip");
    EXPECT_EQ(m_frame->Action(ID_PLACE_SOURCE)->statusTip(), "Places new source ");
    EXPECT_EQ(m_frame->Action(ID_ROTATE)->statusTip(), "Rotate the Element 90 degrees CCW");

    const QList<QLabel*> panes = m_frame->statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panes.size(), 6);
    EXPECT_EQ(m_frame->StatusPaneText(0), "For Help, press F1");
    EXPECT_EQ(m_frame->StatusPaneText(1), "Snap On         ");
    EXPECT_EQ(m_frame->StatusPaneText(2), QString(39, ' '));
    // The coordinates pane keeps a width for the widest readout.
    const int width = panes[2]->width();
    m_frame->SetStatusPaneText(2, "\t\t\t\t\t");
    EXPECT_EQ(panes[2]->width(), width);
    EXPECT_GE(width, panes[2]->fontMetrics().horizontalAdvance("(-500., -300.)  (500., 300.)"));
    m_frame->SetStatusPaneText(6, "no such pane");

    m_frame->show();
    for (bool shown : {false, true}) {
        Trigger(ID_VIEW_TOOLBAR);
        Trigger(ID_VIEW_STATUS_BAR);
        EXPECT_EQ(m_frame->ToolBar()->isVisible(), shown);
        EXPECT_EQ(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked(), shown);
        EXPECT_EQ(m_frame->statusBar()->isVisible(), shown);
        EXPECT_EQ(m_frame->Action(ID_VIEW_STATUS_BAR)->isChecked(), shown);
    }
}

TEST_F(ShellTest, WindowCommandsShowTheDesignInMoreViewsAndCloseThemAll) {
    CChildFrame* first = DesignWindows().front();
    Trigger(ID_WINDOW_NEW);
    ASSERT_EQ(DesignWindows().size(), 2);
    CChildFrame* second = DesignWindows().back();
    EXPECT_EQ(first->GetDocument(), second->GetDocument());
    EXPECT_NE(first->GetView(), second->GetView());
    EXPECT_EQ(first->windowTitle(), "Quadre1:1");
    EXPECT_EQ(second->windowTitle(), "Quadre1:2");
    second->close();
    ProcessDeletes();
    EXPECT_EQ(first->windowTitle(), "Quadre1");

    // Minimised windows line up along the bottom of the area.
    first->showMinimized();
    Trigger(ID_WINDOW_ARRANGE);
    EXPECT_EQ(first->geometry().bottomLeft(),
              QPoint(0, m_frame->MdiArea()->viewport()->height() - 1));

    Trigger(ID_WINDOW_NEW);
    Trigger(ID_FILE_CLOSE);
    ProcessDeletes();
    EXPECT_TRUE(DesignWindows().isEmpty());
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 0);
}

class CUrlRecorder : public QObject {
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { urls << url; }

  public:
    QList<QUrl> urls;
};

TEST_F(ShellTest, AboutShowsTheVersionAndHelpOpensTheUserGuide) {
    QStringList labels;
    m_catcher.OnDialog([&](QWidget* dialog) {
        labels << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    Trigger(ID_APP_ABOUT);
    EXPECT_EQ(labels.value(0), "About Quadrell");
    EXPECT_TRUE(labels.contains("Quadrell Version 1.0"));

    CUrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "Open");
    Trigger(ID_HELP);
    Trigger(ID_HELP_FINDER);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(recorder.urls.size(), 2);
    EXPECT_TRUE(recorder.urls[1].toLocalFile().endsWith("user-guide.html"));
    EXPECT_TRUE(QFile::exists(recorder.urls[0].toLocalFile()));
    Trigger(ID_CONTEXT_HELP);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
}

TEST_F(ShellTest, RecentFilesAreKeptInTheSettingsAndReopen) {
    QTemporaryDir folder;
    const QString names[] = {"one.in", "a&b.in", "a-deck-with-a-rather-long-name-for-the-menu.in",
                             "four.in", "five.in"};
    QSettings settings;
    for (int i = 0; i < 5; ++i) {
        QFile(folder.filePath(names[i])).open(QIODevice::WriteOnly);
        if (i < 4)
            settings.setValue(QString("Recent File List/File%1").arg(i + 1),
                              folder.filePath(names[i]));
    }
    // The list is read at start-up.
    m_app.reset();
    m_app = std::make_unique<CQuadrellApp>();
    ASSERT_TRUE(m_app->InitInstance({}));
    m_frame = m_app->MainFrame();
    const QString path = QDir::toNativeSeparators(folder.path());
    const QString long3 = path + "/" + names[2];
    QStringList texts;
    for (const QAction* action : m_frame->RecentActions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"&1 " + path + "/one.in", "&2 " + path + "/a&&b.in",
                                  "&3 ..." + long3.right(45), "&4 " + path + "/four.in"}));
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isVisible());

    // An opened file goes first, the oldest leaves.
    ASSERT_TRUE(m_app->OpenDocumentFile(folder.filePath("five.in")));
    EXPECT_EQ(DesignWindows().back()->windowTitle(), "five.in");
    EXPECT_EQ(m_frame->RecentActions()[0]->text(), "&1 " + path + "/five.in");
    EXPECT_EQ(m_frame->RecentActions()[3]->text(), "&4 ..." + long3.right(45));
    EXPECT_EQ(QSettings().value("Recent File List/File1").toString(), folder.filePath("five.in"));
    EXPECT_FALSE(QSettings().contains("Recent File List/File5"));

    // Reopening through the menu makes another window on it.
    m_frame->RecentActions()[1]->trigger();
    EXPECT_EQ(DesignWindows().back()->windowTitle(), "one.in");
    EXPECT_EQ(DesignWindows().size(), 3);

    // A file that went away is reported and leaves the list; one never there
    // is only reported.
    QFile::remove(folder.filePath("one.in"));
    m_frame->RecentActions()[0]->trigger();
    EXPECT_FALSE(m_app->OpenDocumentFile(folder.filePath("never.in")));
    ASSERT_EQ(m_catcher.Messages().size(), 2);
    EXPECT_EQ(m_catcher.Messages()[0],
              "Cannot open " + path + "/one.in.\nThe file does not exist or cannot be read.");
    texts.clear();
    for (const QAction* action : m_frame->RecentActions()) {
        if (action->isVisible()) texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"&1 " + path + "/five.in", "&2 " + path + "/a&&b.in",
                                  "&3 ..." + long3.right(45)}));
}

}  // namespace

#include "MainFrameTest.moc"
