#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "ui/CmdTarget.h"

class CChildFrame;
class CDocTemplate;
class CPrinterSettings;
class CQuadrellView;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: the design windows in an MDI area, the menu bar (one set
// of menus while no design is open, another while one is), the toolbar, the
// status bar with its panes, and the routing of every command.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT

  public:
    // `application` is the last target of the routing; the design windows
    // print with `printer`.
    CMainFrame(CCmdTarget* application, CPrinterSettings& printer);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdiArea; }
    CDocTemplate* DocTemplate() const { return m_docTemplate; }

    // The design window commands go to: the active one, or, while a result
    // window is active, the design window that was active last.
    CChildFrame* ActiveChild() const;
    CQuadrellView* ActiveView() const;

    // Offers `id` to the view, its document, its child frame, this frame and
    // the application; true when one of them handles it.
    bool RouteCommand(int id, bool execute);
    // Enables exactly the commands that somebody reachable handles.
    void UpdateCommandUI();

    QAction* Action(int id) const { return m_actions.value(id); }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The menus of the menu bar now shown.
    QList<QMenu*> CurrentMenus() const;

    bool OnCmdMsg(int id, bool execute) override;
    // Sets the text of the pane with that index and repaints it at once.
    void SetStatusPaneText(int pane, const QString& text);
    QString StatusPaneText(int pane) const;

    // Shows the recent-file entries in the File menus; with none, the
    // disabled "Recent File" place holder.
    void SetRecentFiles(const QStringList& menuTexts);
    QAction* RecentPlaceHolder() const { return m_recentPlaceHolder; }
    const QList<QAction*>& RecentActions() const { return m_recentActions; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateActions();
    // Routes the action's trigger as command `id`.
    void ConnectCommand(QAction* action, int id);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void OnSubWindowActivated(QMdiSubWindow* window);
    // A design window that becomes active while another one is maximised, or
    // right after a maximised one, is maximised in its place, as in any MDI
    // frame. Result windows never take or end the maximised state.
    void TakeOverMaximisedState(CChildFrame* child, bool followsMaximised);
    // Menus, title and command states follow the active design window.
    void OnFramesChanged();
    void ShowMenuSet();
    void UpdateTitle();
    // Undo and Redo name the step they would take, in prompt and tool tip.
    void UpdateUndoPrompts();
    void UpdateLockIndicators();
    void ArrangeIcons();
    void OnFileOpenWithoutDesign();
    void OpenUserGuide();

    CCmdTarget* m_application;
    QMdiArea* m_mdiArea = nullptr;
    CDocTemplate* m_docTemplate = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QList<QLabel*> m_panes;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_noDesignMenus;  // resource 128
    QList<QMenu*> m_designMenus;    // resource 129
    QAction* m_recentPlaceHolder = nullptr;
    QList<QAction*> m_recentActions;
    // Cleared by the template as the window is destroyed.
    CChildFrame* m_lastActiveChild = nullptr;
    QPointer<QMdiSubWindow> m_activeWindow;
    bool m_showingDesignMenus = false;
};
