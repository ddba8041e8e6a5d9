// The editor view's element commands: rotate, flip, delete, the view's own
// copy buffer, and the context menu of a right press.
#include <QMenu>
#include <QUndoStack>
#include <cmath>

#include "editor/AddElementsCommand.h"
#include "editor/ChangeElementCommand.h"
#include "editor/QuadrellView.h"
#include "editor/RemoveElementCommand.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "ui/CommandIds.h"
#include "ui/PopupMenu.h"

namespace {

constexpr float kRotateStep = 90.0f;
constexpr float kFlipStep = 180.0f;

// Menu 132: the popup for an element under the mouse and the one for empty space.
constexpr PopupItem kElementPopup[] = {
    {"&Flip\tCtrl+F", ID_FLIP},          {"&Rotate\tCtrl+R", ID_ROTATE},
    {"&Delete\tDel", ID_DELETE_ELEMENT}, {nullptr, 0},
    {"Cu&t\tCtrl+X", ID_EDIT_CUT},       {"&Copy\tCtrl+C", ID_EDIT_COPY},
    {"&Paste\tCtrl+V", ID_EDIT_PASTE},
};
constexpr PopupItem kNewElementItems[] = {{"Wire", ID_PLACE_WIRE}, {"Source", ID_PLACE_SOURCE}};
constexpr PopupItem kNoElementPopup[] = {{"&Snap Controls", ID_SNAP_CONTROLS},
                                         {"&Paste", ID_EDIT_PASTE}};

}  // namespace

void CQuadrellView::OnRButtonDown(CPoint point, QPoint screenPoint) {
    m_lastPress = m_scale.ToMetres(point);
    if (!IsInSelectMode()) {
        ResetToArrowCursor();
        return;
    }
    // The menu flag does not restrain this selection: the menu acts on it.
    m_pSelected = FirstElementHit(point);
    repaint();
    const int command = TrackPopupMenu(m_pSelected != nullptr, screenPoint);
    m_bMenuShown = true;
    if (command != 0) OnCmdMsg(command, true);
}

int CQuadrellView::TrackPopupMenu(bool overElement, QPoint screenPoint) {
    QMenu menu(this);
    if (overElement) {
        menu.setTitle(QStringLiteral("Element"));
        AddPopupItems(menu, kElementPopup);
    } else {
        menu.setTitle(QStringLiteral("No Element"));
        QMenu* newElement = menu.addMenu(QStringLiteral("New Element"));
        AddPopupItems(*newElement, kNewElementItems);
        AddPopupItems(menu, kNoElementPopup);
    }
    const QAction* chosen = menu.exec(screenPoint);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

void CQuadrellView::OnRotate() { TurnSelectedWire(kRotateStep, "Rotate Wire"); }

void CQuadrellView::OnFlip() { TurnSelectedWire(kFlipStep, "Flip Wire"); }

// The wire is replaced by a new one turned about its start, at the head of
// the list and at its height; an angle past 360 comes round once, while 360
// itself stays.
void CQuadrellView::TurnSelectedWire(float step, const char* stepText) {
    if (m_pSelected == nullptr || m_pSelected->GetType() != ELEMENT_WIRE) return;
    const float x1 = m_pSelected->GetStartX();
    const float y1 = m_pSelected->GetStartY();
    const float z1 = static_cast<const CWire*>(m_pSelected)->GetStartZ();
    const float segments = std::trunc(m_pSelected->GetSegments());
    const float length = m_pSelected->GetLength();
    const float radius = m_pSelected->GetRadius();
    float angle = m_pSelected->GetAngle() + step;
    if (angle > 360.0f) angle -= 360.0f;
    auto* turn = new QUndoCommand(QString::fromLatin1(stepText));
    new CRemoveElementCommand(*m_document, m_pSelected, {}, turn);
    new CAddElementsCommand(
        *m_document, {},
        [=](CQuadrellDoc& design) {
            design.AddElementAtHead(
                std::make_unique<CWire>(x1, y1, z1, length, radius, segments, angle));
        },
        turn);
    m_history->push(turn);
    m_pSelected = nullptr;
}

void CQuadrellView::OnDeleteElement() { RemoveSelected("Delete"); }

void CQuadrellView::RemoveSelected(const char* verb) {
    if (m_pSelected == nullptr) return;
    m_history->push(
        new CRemoveElementCommand(*m_document, m_pSelected, StepText(verb, *m_pSelected)));
    m_pSelected = nullptr;
}

void CQuadrellView::OnEditCopy() {
    if (m_pSelected == nullptr) return;
    if (m_pSelected->GetType() == ELEMENT_WIRE) {
        m_clipLength = m_pSelected->GetLength();
        m_clipAngle = m_pSelected->GetAngle();
        m_clipSegments = m_pSelected->GetSegments();
        m_clipRadius = m_pSelected->GetRadius();
    } else {
        m_clipMagnitude = m_pSelected->GetMagnitude();
        m_clipPhase = m_pSelected->GetPhase();
    }
    m_clipType = m_pSelected->GetType();
    m_bClipboardFull = true;
}

void CQuadrellView::OnEditCut() {
    OnEditCopy();
    RemoveSelected("Cut");
}

void CQuadrellView::OnEditPaste() {
    if (!m_bClipboardFull) return;
    const float x = m_lastPress.x;
    const float y = m_lastPress.y;
    std::function<void(CQuadrellDoc&)> paste;
    if (m_clipType == ELEMENT_WIRE) {
        paste = [x, y, length = m_clipLength, radius = m_clipRadius, segments = m_clipSegments,
                 angle = m_clipAngle](CQuadrellDoc& design) {
            design.AddElementAtHead(
                std::make_unique<CWire>(x, y, 0.0f, length, radius, segments, angle));
        };
    } else {
        paste = [x, y, magnitude = m_clipMagnitude, phase = m_clipPhase](CQuadrellDoc& design) {
            design.AddElementAtTail(std::make_unique<CSource>(x, y, 0.0f, magnitude, phase));
        };
    }
    m_history->push(new CAddElementsCommand(
        *m_document,
        m_clipType == ELEMENT_WIRE ? QStringLiteral("Paste Wire") : QStringLiteral("Paste Source"),
        std::move(paste)));
}
