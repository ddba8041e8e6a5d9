// The application shell: menus, keys, toolbar, status bar, window commands
// and the recent file list.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/ChildFrm.h"
#include "app/DocTemplate.h"
#include "model/QuadrellDoc.h"
#include "tests/support/ShellFixture.h"
#include "ui/CommandIds.h"

namespace {

class ShellTest : public CShellFixture {
  protected:
    // Each menu of the menu bar as "title: item|item", "-" for a separator.
    QStringList Menus() const {
        QStringList menus;
        for (const QAction* title : m_frame->menuBar()->actions()) {
            QStringList items;
            for (const QAction* item : title->menu()->actions())
                if (item->isVisible()) items << (item->isSeparator() ? "-" : item->text());
            menus << title->text() + ": " + items.join('|');
        }
        return menus;
    }
    // The texts of the commands that are disabled.
    QString Disabled() const {
        QStringList texts;
        for (const QAction* action : m_frame->actions())
            if (!action->isEnabled()) texts << action->text();
        return texts.join('|');
    }
    // Each design window as "title (elements)".
    QStringList Designs() const {
        QStringList designs;
        for (QMdiSubWindow* window : m_frame->MdiArea()->subWindowList())
            if (const auto* frame = qobject_cast<CChildFrame*>(window))
                designs << QString("%1 (%2)")
                               .arg(window->windowTitle())
                               .arg(frame->GetDocument()->GetElements().GetCount());
        return designs;
    }
    // The application started anew with these command-line arguments.
    void Restart(const QStringList& arguments) {
        m_app.reset();
        m_app = std::make_unique<CQuadrellApp>();
        ASSERT_TRUE(m_app->InitInstance(arguments));
        m_frame = m_app->MainFrame();
    }
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
};

TEST_F(ShellTest, OffersTheDesignCommandsAndWindowsOnlyWhileADesignIsOpen) {
    EXPECT_EQ(Designs(), QStringList{"Quadre1 (0)"});
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell - Quadre1");
    // Titles show exactly as set: the application gives the platform no
    // display name of its own to append; it would not follow the name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(name);
    const QStringList designMenus = {
        "&File: &New|&Open...|&Close|-|&Print...|Print Pre&view|P&rint Setup...|-|Recent "
        "File|-|E&xit",
        "&Edit: &Undo|Redo|Repeat|-|Cu&t|&Copy|&Paste",
        "&View: &Toolbar|&Status Bar|-|Zoom &In|Zoom &Out|Zoom to &Fit|&Actual Size",
        "&Tools: &Snap Controls|&Rotate|&Flip|-|&Wire Table...|&Ground and Height...",
        "&Window: &New Window|&Cascade|&Tile|&Arrange Icons",
        "&Help: &Help Topics|-|&About Quadrell..."};
    EXPECT_EQ(Menus(), designMenus);
    // The element and zoom commands are never disabled in a design window;
    // the plot commands wait for a result window.
    EXPECT_EQ(Disabled(),
              "Normal View|Slice X Z|Slice Y Z|Slice X Y|View Full Pattern|"
              "Repeat|&Undo|Redo|Next Pane|Previous Pane");
    EXPECT_FALSE(m_frame->RecentPlaceHolder()->isEnabled());

    m_frame->MdiArea()->closeAllSubWindows();
    ProcessDeletes();
    EXPECT_EQ(Menus(), (QStringList{"&File: &New|&Open...|-|P&rint Setup...|-|Recent File|-|E&xit",
                                    "&View: &Toolbar|&Status Bar",
                                    "&Help: &Help Topics|-|&About Quadrell..."}));
    EXPECT_EQ(Disabled(),
              "Place new wire|&Delete|Place new source|Generate Input File for NEC2D|&Snap "
              "Controls|Launch NEC2d|Process OutPut Data|&Flip|&Rotate|Zoom &In|Zoom &Out|Zoom to "
              "&Fit|&Actual Size|&Wire Table...|&Ground and Height...|Normal View|Slice X Z|Slice "
              "Y Z|Slice X Y|View "
              "Full Pattern|&Close|&Print...||Print "
              "Pre&view|&Copy|Cu&t|&Paste|Repeat|&Undo|Redo|&New Window|&Arrange "
              "Icons|&Cascade|&Tile|Next Pane|Previous Pane");
    EXPECT_EQ(m_frame->windowTitle(), "Quadrell");
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(m_catcher.Messages(),
              QStringList{"Please create New document first.\nThen try opening the file again."});

    // New brings the design menus back, numbered on; a design shows in more
    // windows, and Close closes them all.
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(Menus(), designMenus);
    Trigger(ID_WINDOW_NEW);
    EXPECT_EQ(Designs(), (QStringList{"Quadre2:1 (0)", "Quadre2:2 (0)"}));
    m_frame->ActiveChild()->close();
    ProcessDeletes();
    EXPECT_EQ(Designs(), QStringList{"Quadre2 (0)"});
    Trigger(ID_WINDOW_NEW);
    Trigger(ID_FILE_CLOSE);
    ProcessDeletes();
    EXPECT_TRUE(Designs().isEmpty());
    EXPECT_EQ(m_frame->DocTemplate()->DocumentCount(), 0);
}

TEST_F(ShellTest, KeysToolbarAndStatusBarFollowTheCommandTable) {
    // Bound on the main window, so that they work in all; none saves.
    QStringList keys;
    for (const QAction* action : m_frame->actions())
        if (!action->shortcuts().isEmpty())
            keys << action->text() + "=" + QKeySequence::listToString(action->shortcuts());
    EXPECT_EQ(
        keys.join('|'),
        "&Delete=Del|&Snap Controls=Ctrl+G|&Flip=Ctrl+F|&Rotate=Ctrl+R|Zoom &In=Ctrl++; "
        "Ctrl+=|Zoom &Out=Ctrl+-|&New=Ctrl+N|&Open..."
        "=Ctrl+O|&Print...=Ctrl+P|&Copy=Ctrl+C; Ctrl+Ins|Cu&t=Ctrl+X; Shift+Del|&Paste=Ctrl+V; "
        "Shift+Ins|&Undo=Ctrl+Z; Alt+Backspace|Redo=Ctrl+Y; Ctrl+Shift+Z|Help=Shift+F1|Help=F1|"
        "Next Pane=F6|Previous Pane=Shift+F6");

    QStringList tips;
    for (const QAction* action : m_frame->ToolBar()->actions()) {
        tips << (action->isSeparator() ? "|" : action->toolTip());
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());
    }
    EXPECT_EQ(tips.join(','),
              "New,Open,|,Cut,Copy,Paste,|,Print,About,Help,|,Place new wire,Place new source,"
              "Generate Input File for NEC2D, Launch NEC2d, Process OutPut Data,|,Snap Controls, "
              "Rotate,Flip");

    EXPECT_EQ(m_frame->StatusPaneText(1), "Snap On         ");
    m_frame->SetStatusPaneText(8, "no such pane");

    for (bool shown : {false, true}) {
        Trigger(ID_VIEW_TOOLBAR);
        Trigger(ID_VIEW_STATUS_BAR);
        EXPECT_EQ(QList<bool>({m_frame->ToolBar()->isVisible(), m_frame->statusBar()->isVisible(),
                               m_frame->Action(ID_VIEW_TOOLBAR)->isChecked(),
                               m_frame->Action(ID_VIEW_STATUS_BAR)->isChecked()}),
                  QList<bool>(4, shown));
    }
}

TEST_F(ShellTest, DecksNamedOrRecentAreImportedIntoNewDesigns) {
    QTemporaryDir folder;
    const QString at = QDir::toNativeSeparators(folder.path()) + "/";
    const QString names[] = {
        "a&b.in", "two.in", "three.in", "four.in", "a-deck-whose-name-is-too-long-for-the-menu.in",
        "-x.in"};
    for (int i = 0; i < 6; ++i) {
        QFile deck(folder.filePath(names[i]));
        ASSERT_TRUE(deck.open(QIODevice::WriteOnly) &&
                    deck.write("CE\nGW 1 1 0 0 0 1 0 0 .1\nGE\nEN") > 0);
        if (i < 5)
            QSettings().setValue(QString("Recent File List/File%1").arg(i + 1), deck.fileName());
    }
    const auto recent = [this] { return Menus()[0].section('|', 8, -3); };
    // Four are read at start-up, and the deck named on the command line goes
    // first once it is imported.
    Restart({folder.filePath(names[4])});
    EXPECT_EQ(Designs(), QStringList{names[4] + " (1)"});
    EXPECT_EQ(recent(), "&1 ..." + (at + names[4]).right(45) + "|&2 " + at + "a&&b.in|&3 " + at +
                            "two.in|&4 " + at + "three.in");
    EXPECT_FALSE(QSettings().contains("Recent File List/File5"));

    // Reopening through the menu makes another design; a deck gone is
    // reported, leaves its design empty and leaves the list.
    m_frame->RecentActions()[1]->trigger();
    QFile::remove(folder.filePath("two.in"));
    m_frame->RecentActions()[2]->trigger();
    EXPECT_FALSE(m_app->OpenDocumentFile(folder.filePath("never.in")));
    EXPECT_EQ(Designs(),
              (QStringList{names[4] + " (1)", "a&b.in (1)", "two.in (0)", "never.in (0)"}));
    const QString gone = ": No such file or directory.\nFile Cannot be Opened";
    EXPECT_EQ(m_catcher.Messages(), (QStringList{"Cannot read " + at + "two.in" + gone,
                                                 "Cannot read " + at + "never.in" + gone}));
    EXPECT_EQ(recent(),
              "&1 " + at + "a&&b.in|&2 ..." + (at + names[4]).right(45) + "|&3 " + at + "three.in");

    // Each deck named opens in its own design; "--" ends the options, and
    // Quadrell has none.
    const std::pair<QStringList, QStringList> cases[] = {
        // arguments, designs
        {{"four.in", "--", "-x.in", "four.in"}, {"four.in (1)", "-x.in (1)", "four.in (1)"}},
        {{"-x.in", "four.in"}, {"four.in (1)"}},
        {{"--"}, {"Quadre1 (0)"}}};
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    for (const auto& [arguments, designs] : cases) {
        Restart(arguments);
        EXPECT_EQ(Designs(), designs) << arguments.join(' ').toStdString();
    }
    QDir::setCurrent(before);
}

}  // namespace
