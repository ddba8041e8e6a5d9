#include "app/MainFrm.h"

#include <QAction>
#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QWhatsThis>

#include "app/ChildFrm.h"
#include "app/CommandTable.h"
#include "app/DocTemplate.h"
#include "app/LockIndicators.h"
#include "app/ToolbarIcons.h"
#include "app/UserGuide.h"
#include "editor/GroundHeightDialog.h"
#include "editor/QuadrellView.h"
#include "ui/CommandIds.h"
#include "ui/MessageBox.h"

namespace {

const QString kIdleMessage = QStringLiteral("For Help, press F1");
const QString kSnapPaneText = QStringLiteral("Snap On         ");
const QString kCoordsPaneText = QString(39, QLatin1Char(' '));

}  // namespace

CMainFrame::CMainFrame(CCmdTarget* application, CPrinterSettings& printer)
    : m_application(application) {
    setWindowTitle(QStringLiteral("Quadrell"));
    setWindowIcon(MakeApplicationIcon());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A result window opens at its own place and size with its title bar, over
    // a maximised design window that stays maximised behind it; design windows
    // still take the maximised state over from each other (see below).
    m_mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(m_mdiArea);
    m_docTemplate = new CDocTemplate(m_mdiArea, printer, this);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    // Queued: a window being destroyed must be gone before menus, title and
    // command states are worked out again.
    connect(m_docTemplate, &CDocTemplate::framesChanged, this, &CMainFrame::OnFramesChanged,
            Qt::QueuedConnection);
    connect(m_docTemplate, &CDocTemplate::frameDestroyed, this, [this](CChildFrame* frame) {
        if (m_lastActiveChild == frame) m_lastActiveChild = nullptr;
    });

    // The lock keys are polled only where the windowing system reports them.
    if (QueryLockState()) {
        auto* lockTimer = new QTimer(this);
        connect(lockTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
        lockTimer->start(250);
    }

    connect(m_docTemplate, &CDocTemplate::statusPaneText, this, &CMainFrame::SetStatusPaneText);
    // Undo's keys work only while its action is enabled, so a step made with
    // the mouse enables it at once.
    connect(m_docTemplate, &CDocTemplate::historyChanged, this, &CMainFrame::UpdateCommandUI);
    ShowMenuSet();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // Close the design windows while the frame is still whole, and stop
    // listening to the area as they go.
    m_mdiArea->disconnect(this);
    m_lastActiveChild = nullptr;
    delete m_docTemplate;
    m_docTemplate = nullptr;
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& command : CommandTable()) {
        if (command.id == ID_FILE_SAVE) continue;  // designs have nothing to save
        auto* action = new QAction(this);
        const QString text =
            command.menuText.isEmpty() ? command.ToolTip().trimmed() : command.menuText;
        action->setText(text);
        action->setStatusTip(command.StatusPrompt());
        action->setToolTip(command.ToolTip());
        action->setWhatsThis(command.StatusPrompt());
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setIcon(MakeToolbarIcon(command.id));
        ConnectCommand(action, command.id);
        // Keys work in every window of the application, menu item or not.
        addAction(action);
        m_actions.insert(command.id, action);
    }
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }

    m_recentPlaceHolder = new QAction(QStringLiteral("Recent File"), this);
    m_recentPlaceHolder->setEnabled(false);
    for (int i = 0; i < 4; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(QStringLiteral("Open this document"));
        action->setVisible(false);
        ConnectCommand(action, ID_FILE_MRU_FILE1 + i);
        m_recentActions.append(action);
    }
}

void CMainFrame::ConnectCommand(QAction* action, int id) {
    connect(action, &QAction::triggered, this, [this, id] {
        RouteCommand(id, true);
        UpdateCommandUI();
    });
}

void CMainFrame::CreateMenus() {
    const auto menu = [this](const QString& title, const QList<int>& ids) {
        auto* result = new QMenu(title, this);
        for (int id : ids) {
            if (id == 0) {
                result->addSeparator();
            } else if (id == ID_FILE_MRU_FILE1) {
                result->addAction(m_recentPlaceHolder);
                result->addActions(m_recentActions);
            } else {
                result->addAction(m_actions.value(id));
            }
        }
        connect(result, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        return result;
    };
    const QList<int> viewItems = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
    const QList<int> helpItems = {ID_HELP_FINDER, 0, ID_APP_ABOUT};

    m_noDesignMenus = {
        menu(QStringLiteral("&File"), {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0,
                                       ID_FILE_MRU_FILE1, 0, ID_APP_EXIT}),
        menu(QStringLiteral("&View"), viewItems),
        menu(QStringLiteral("&Help"), helpItems),
    };
    m_designMenus = {
        menu(QStringLiteral("&File"),
             {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
              ID_FILE_PRINT_SETUP, 0, ID_FILE_MRU_FILE1, 0, ID_APP_EXIT}),
        menu(QStringLiteral("&Edit"), {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_REPEAT, 0, ID_EDIT_CUT,
                                       ID_EDIT_COPY, ID_EDIT_PASTE}),
        menu(QStringLiteral("&View"),
             viewItems + QList<int>{0, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_TO_FIT, ID_ACTUAL_SIZE}),
        menu(QStringLiteral("&Tools"),
             {ID_SNAP_CONTROLS, ID_ROTATE, ID_FLIP, 0, ID_WIRE_TABLE, ID_GROUND_AND_HEIGHT}),
        menu(QStringLiteral("&Window"),
             {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE}),
        menu(QStringLiteral("&Help"), helpItems),
    };
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolbarLayout()) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
        } else {
            m_wndToolBar->addAction(m_actions.value(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, m_actions[ID_VIEW_TOOLBAR],
            &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // Each indicator pane keeps the width of its widest text, so the bar does
    // not shift as texts change; longer texts are cut off.
    const auto pane = [bar](const QString& text, const QStringList& widest) {
        auto* label = new QLabel(text);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (widest.isEmpty()) {
            bar->addWidget(label, 1);
            return label;
        }
        int width = 0;
        for (const QString& sample : widest) {
            width = std::max(width, label->fontMetrics().horizontalAdvance(sample));
        }
        label->setFixedWidth(width + 2 * label->frameWidth() + 6);
        bar->addPermanentWidget(label);
        return label;
    };
    m_panes = {
        pane(kIdleMessage, {}),
        pane(kSnapPaneText, {kSnapPaneText, QStringLiteral("Snap Element")}),
        pane(kCoordsPaneText,
             {kCoordsPaneText, QStringLiteral("(-888.888, -888.888)  (-888.888, -888.888)")}),
        pane(QStringLiteral("1 px/m"), {QStringLiteral("1000 px/m"), QStringLiteral("0.01 px/m")}),
        // What a new design stands on.
        pane(GroundPaneText({}),
             {GroundPaneText({}), QStringLiteral("Very good ground, horizontal, -888.888 m")}),
        pane(QStringLiteral("CAP"), {QStringLiteral("CAP")}),
        pane(QStringLiteral("NUM"), {QStringLiteral("NUM")}),
        pane(QStringLiteral("SCRL"), {QStringLiteral("SCRL")}),
    };
    // The lock panes show their texts only while the lock is on.
    for (int i = STATUS_PANE_CAPS; i <= STATUS_PANE_SCRL; ++i) m_panes[i]->setText(QString());
    UpdateLockIndicators();
}

void CMainFrame::SetStatusPaneText(int pane, const QString& text) {
    if (pane < 0 || pane >= m_panes.size()) return;
    m_panes[pane]->setText(text);
    m_panes[pane]->repaint();
}

QString CMainFrame::StatusPaneText(int pane) const {
    return pane >= 0 && pane < m_panes.size() ? m_panes[pane]->text() : QString();
}

void CMainFrame::UpdateLockIndicators() {
    const std::optional<LockState> state = QueryLockState();
    if (!state) return;
    // As with the classic indicators, a pane shows its text only while on.
    const auto show = [this](int pane, bool on, const char* text) {
        const QString wanted = on ? QString::fromLatin1(text) : QString();
        if (m_panes[pane]->text() != wanted) m_panes[pane]->setText(wanted);
    };
    show(STATUS_PANE_CAPS, state->caps, "CAP");
    show(STATUS_PANE_NUM, state->num, "NUM");
    show(STATUS_PANE_SCRL, state->scroll, "SCRL");
}

void CMainFrame::SetRecentFiles(const QStringList& menuTexts) {
    m_recentPlaceHolder->setVisible(menuTexts.isEmpty());
    for (int i = 0; i < m_recentActions.size(); ++i) {
        const bool used = i < menuTexts.size();
        m_recentActions[i]->setVisible(used);
        if (used) m_recentActions[i]->setText(menuTexts[i]);
    }
}

CChildFrame* CMainFrame::ActiveChild() const {
    if (auto* child = qobject_cast<CChildFrame*>(m_mdiArea->activeSubWindow())) return child;
    return m_lastActiveChild;
}

CQuadrellView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child != nullptr ? child->GetView() : nullptr;
}

bool CMainFrame::RouteCommand(int id, bool execute) {
    if (CChildFrame* child = ActiveChild()) {
        if (child->GetView() != nullptr && child->GetView()->OnCmdMsg(id, execute)) return true;
        if (CCmdTarget* document = m_docTemplate->DocumentTarget(child)) {
            if (document->OnCmdMsg(id, execute)) return true;
        }
        if (child->OnCmdMsg(id, execute)) return true;
    }
    if (OnCmdMsg(id, execute)) return true;
    return m_application != nullptr && m_application->OnCmdMsg(id, execute);
}

void CMainFrame::UpdateCommandUI() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(RouteCommand(it.key(), false));
    }
    for (int i = 0; i < m_recentActions.size(); ++i) {
        m_recentActions[i]->setEnabled(RouteCommand(ID_FILE_MRU_FILE1 + i, false));
    }
    UpdateUndoPrompts();
}

void CMainFrame::UpdateUndoPrompts() {
    CChildFrame* child = ActiveChild();
    const QUndoStack* history =
        child != nullptr && child->GetView() != nullptr ? &child->GetView()->GetHistory() : nullptr;
    const auto name = [this](int id, const QString& step) {
        QAction* action = m_actions[id];
        const CommandInfo* command = FindCommand(id);
        const QString prompt = step.isEmpty() ? command->StatusPrompt() : step;
        action->setStatusTip(prompt);
        action->setWhatsThis(prompt);
        action->setToolTip(step.isEmpty() ? command->ToolTip() : step);
    };
    // A stack names no step to undo or redo when it has none.
    const bool undo = history != nullptr && !history->undoText().isEmpty();
    const bool redo = history != nullptr && !history->redoText().isEmpty();
    name(ID_EDIT_UNDO, undo ? QStringLiteral("Undo ") + history->undoText() : QString());
    name(ID_EDIT_REDO, redo ? QStringLiteral("Redo ") + history->redoText() : QString());
}

bool CMainFrame::OnCmdMsg(int id, bool execute) {
    CChildFrame* child = ActiveChild();
    switch (id) {
        case ID_FILE_OPEN:
            if (execute) OnFileOpenWithoutDesign();
            return true;
        case ID_HELP_FINDER:
        case ID_HELP:
        case ID_DEFAULT_HELP:
            if (execute) OpenUserGuide();
            return true;
        case ID_CONTEXT_HELP:
            if (execute) QWhatsThis::enterWhatsThisMode();
            return true;
        case ID_VIEW_TOOLBAR:
            if (execute) m_wndToolBar->setVisible(!m_wndToolBar->isVisible());
            return true;
        case ID_VIEW_STATUS_BAR:
            if (execute) {
                statusBar()->setVisible(!statusBar()->isVisible());
                m_actions[ID_VIEW_STATUS_BAR]->setChecked(statusBar()->isVisible());
            }
            return true;
        case ID_WINDOW_NEW:
            if (child == nullptr) return false;
            if (execute) m_docTemplate->NewWindow(child);
            return true;
        case ID_WINDOW_CASCADE:
            if (child == nullptr) return false;
            if (execute) m_mdiArea->cascadeSubWindows();
            return true;
        case ID_WINDOW_TILE_HORZ:
            if (child == nullptr) return false;
            if (execute) m_mdiArea->tileSubWindows();
            return true;
        case ID_WINDOW_ARRANGE:
            if (child == nullptr) return false;
            if (execute) ArrangeIcons();
            return true;
        default:
            return false;
    }
}

void CMainFrame::OnFileOpenWithoutDesign() {
    ShowQuadrellMessage(this, QStringLiteral("Please create New document first.\n"
                                             "Then try opening the file again."));
}

void CMainFrame::OpenUserGuide() {
    const QString path = UserGuidePath();
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ShowQuadrellMessage(this, QStringLiteral("The user guide could not be opened.\n%1")
                                      .arg(path.isEmpty() ? UserGuideFileName() : path));
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows line up along the bottom of the area, left to right.
    int x = 0;
    const int bottom = m_mdiArea->viewport()->height();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    if (auto* child = qobject_cast<CChildFrame*>(window)) {
        m_lastActiveChild = child;
        // The window active before may be closing: its state counts now.
        const bool followsMaximised = m_activeWindow && m_activeWindow != window &&
                                      m_activeWindow->isMaximized() &&
                                      qobject_cast<CChildFrame*>(m_activeWindow.data());
        // Not while the window is still being shown: a state change from
        // inside its activation breaks the area's own handling of it.
        QTimer::singleShot(0, child, [this, child, followsMaximised] {
            TakeOverMaximisedState(child, followsMaximised);
        });
    }
    if (window != nullptr) m_activeWindow = window;
    OnFramesChanged();
}

void CMainFrame::TakeOverMaximisedState(CChildFrame* child, bool followsMaximised) {
    if (m_mdiArea->activeSubWindow() != child || child->isMaximized()) return;
    bool maximise = followsMaximised;
    for (QMdiSubWindow* other : m_mdiArea->subWindowList()) {
        if (other == child || !other->isVisible() || !other->isMaximized() ||
            !qobject_cast<CChildFrame*>(other)) {
            continue;
        }
        other->showNormal();
        maximise = true;
    }
    if (maximise) child->showMaximized();
}

void CMainFrame::OnFramesChanged() {
    ShowMenuSet();
    UpdateTitle();
    UpdateCommandUI();
}

QList<QMenu*> CMainFrame::CurrentMenus() const {
    return m_showingDesignMenus ? m_designMenus : m_noDesignMenus;
}

void CMainFrame::ShowMenuSet() {
    const bool design = ActiveChild() != nullptr;
    if (design == m_showingDesignMenus && !menuBar()->actions().isEmpty()) return;
    m_showingDesignMenus = design;
    menuBar()->clear();
    for (QMenu* menu : CurrentMenus()) menuBar()->addMenu(menu);
}

void CMainFrame::UpdateTitle() {
    CChildFrame* child = ActiveChild();
    setWindowTitle(child != nullptr ? QStringLiteral("Quadrell - %1").arg(child->windowTitle())
                                    : QStringLiteral("Quadrell"));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Each changed design asks once; Cancel on any keeps them all.
    if (!m_docTemplate->SaveAllModified()) {
        event->ignore();
        return;
    }
    m_mdiArea->closeAllSubWindows();
    event->accept();
}
