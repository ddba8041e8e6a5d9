// The editor view's left-button handling: placing, selecting, dragging with
// snapping, and editing by double-click.
#include <QMouseEvent>
#include <QUndoStack>
#include <utility>

#include "editor/AddElementsCommand.h"
#include "editor/ChangeElementCommand.h"
#include "editor/DiscardingSurface.h"
#include "editor/QuadrellView.h"
#include "editor/SourcePropertiesDialog.h"
#include "editor/WirePropertiesDialog.h"
#include "model/ElementReadout.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "ui/CommandIds.h"

namespace {

// What a newly placed element starts with.
constexpr float kDefaultLength = 100.0f;
constexpr float kDefaultRadius = 0.005f;
constexpr float kDefaultSegments = 5.0f;
constexpr float kDefaultAngle = 0.0f;
constexpr float kDefaultMagnitude = 1.0f;
constexpr float kDefaultPhase = 0.0f;

}  // namespace

void CQuadrellView::mousePressEvent(QMouseEvent* event) {
    const CPoint point = ClientToLogical(event->position().toPoint());
    if (event->button() == Qt::MiddleButton) {
        m_bPanning = true;
        m_panFrom = point;
    }
    if (event->button() == Qt::LeftButton) OnLButtonDown(point);
    if (event->button() == Qt::RightButton) OnRButtonDown(point, event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

void CQuadrellView::mouseMoveEvent(QMouseEvent* event) {
    const CPoint point = ClientToLogical(event->position().toPoint());
    if (m_bPanning && (event->buttons() & Qt::MiddleButton) != 0) {
        PanBy(point.x - m_panFrom.x, point.y - m_panFrom.y);
        m_panFrom = point;
    }
    OnMouseMove(point, (event->buttons() & Qt::LeftButton) != 0);
    QWidget::mouseMoveEvent(event);
}

void CQuadrellView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) m_bPanning = false;
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(ClientToLogical(event->position().toPoint()));
    QWidget::mouseReleaseEvent(event);
}

void CQuadrellView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Not the base handler: it would treat the double-click as another press.
    if (event->button() == Qt::LeftButton) {
        OnLButtonDblClk(ClientToLogical(event->position().toPoint()));
    }
}

CElement* CQuadrellView::ElementAt(CPoint point) const {
    return m_bMenuShown ? nullptr : FirstElementHit(point);
}

CElement* CQuadrellView::FirstElementHit(CPoint point) const {
    for (ElementPosition pos = m_document->GetFirstElementPosition(); pos;) {
        CElement* element = m_document->GetNextElement(pos);
        if (element->HitTest(point, m_scale)) return element;
    }
    return nullptr;
}

void CQuadrellView::OnPlaceWire() {
    SetCurrentCursor(&m_hWireCursor);
    m_pSelected = nullptr;
}

void CQuadrellView::OnPlaceSource() {
    SetCurrentCursor(&m_hSourceCursor);
    m_pSelected = nullptr;
}

void CQuadrellView::OnLButtonDown(CPoint point) {
    // No explicit capture: while the button is down Qt sends its moves and
    // its release to this view, and a placement dialog opened below must get
    // the mouse for itself.
    // A press lands on the metre value of its pixel: whole metres at actual
    // size, tenths at 10 px/m.
    m_lastPress = m_scale.ToMetres(point);

    if (IsInSelectMode()) {
        if (CElement* element = ElementAt(point)) {
            m_pSelected = element;
            m_grabOffset = GrabOffset(*element, m_lastPress, m_scale);
            m_grabbedEnd = GrabbedEndAfterPress(*element, m_lastPress, m_grabbedEnd);
            emit statusPaneText(STATUS_PANE_COORDS, FormatElementCoordinates(*element));
        } else if (m_pSelected != nullptr) {
            m_pSelected = nullptr;
            emit statusPaneText(STATUS_PANE_COORDS, QString::fromLatin1(kBlankReadout));
        }
    } else if (IsPlacingWire()) {
        PlaceWire(m_lastPress);
    } else if (IsPlacingSource()) {
        PlaceSource(m_lastPress);
    }

    // One repaint shows the new selection or element. After one placement,
    // made or cancelled, the view is back in select mode.
    m_bMenuShown = false;
    update();
    SetCurrentCursor(&m_hArrowCursor);
}

void CQuadrellView::PlaceWire(CPointF point) {
    CWirePropertiesDialog dialog(kDefaultLength, kDefaultRadius, kDefaultSegments, kDefaultAngle,
                                 this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Placement uses the point as pressed: it does not snap.
    m_history->push(new CAddElementsCommand(
        *m_document, QStringLiteral("Place Wire"),
        [point, length = dialog.m_length, radius = dialog.m_radius, segments = dialog.m_segments,
         angle = dialog.m_angle](CQuadrellDoc& design) {
            design.AddElementAtHead(
                std::make_unique<CWire>(point.x, point.y, 0.0f, length, radius, segments, angle));
        }));
}

void CQuadrellView::PlaceSource(CPointF point) {
    CSourcePropertiesDialog dialog(kDefaultMagnitude, kDefaultPhase, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_history->push(new CAddElementsCommand(
        *m_document, QStringLiteral("Place Source"),
        [point, magnitude = dialog.m_magnitude, phase = dialog.m_phase](CQuadrellDoc& design) {
            design.AddElementAtTail(
                std::make_unique<CSource>(point.x, point.y, 0.0f, magnitude, phase));
        }));
}

void CQuadrellView::OnMouseMove(CPoint point, bool leftDown) {
    if (m_pSelected == nullptr || !leftDown) return;
    if (!m_bDragging) m_dragStart = m_pSelected->GetState();
    m_bDragging = true;
    const CPointF start = SnapDragStart(*m_document, *m_pSelected, point, m_scale, m_grabOffset,
                                        m_snapMode, m_grabbedEnd, m_origin, m_gridPoints);
    // While dragging the element only traces itself; the repaint shows it.
    CDiscardingSurface surface;
    m_pSelected->MoveStartTo(start, surface, true);
    update();
}

void CQuadrellView::OnLButtonUp(CPoint /*point*/) {
    if (m_bDragging) {
        m_bDragging = false;
        repaint();
        // Other views and the wire table show where the element went.
        if (m_pSelected != nullptr) {
            PushElementChange(*m_history, *m_document, *m_pSelected, m_dragStart, "Move");
        } else {
            m_document->UpdateAllViews();
        }
    }
    if (m_pSelected != nullptr) {
        emit statusPaneText(STATUS_PANE_COORDS, FormatElementCoordinates(*m_pSelected));
    }
}

void CQuadrellView::OnLButtonDblClk(CPoint point) {
    if (CElement* element = ElementAt(point)) m_pSelected = element;
    EditSelectedProperties();
}

void CQuadrellView::EditSelectedProperties() {
    CDiscardingSurface surface;
    if (m_pSelected != nullptr && m_pSelected->GetType() == ELEMENT_WIRE) {
        CWirePropertiesDialog dialog(m_pSelected->GetLength(), m_pSelected->GetRadius(),
                                     m_pSelected->GetSegments(), m_pSelected->GetAngle(), this);
        // The element may have left the design while the dialog was open.
        if (dialog.exec() == QDialog::Accepted && m_pSelected != nullptr) {
            CElement& wire = *std::exchange(m_pSelected, nullptr);
            const CElement::State before = wire.GetState();
            wire.SetProperties(surface, dialog.m_length, dialog.m_radius, dialog.m_segments,
                               dialog.m_angle);
            repaint();
            PushElementChange(*m_history, *m_document, wire, before, "Edit");
        }
    }
    if (m_pSelected != nullptr && m_pSelected->GetType() == ELEMENT_SOURCE) {
        CSourcePropertiesDialog dialog(m_pSelected->GetMagnitude(), m_pSelected->GetPhase(), this);
        if (dialog.exec() == QDialog::Accepted && m_pSelected != nullptr) {
            CElement& source = *std::exchange(m_pSelected, nullptr);
            const CElement::State before = source.GetState();
            source.SetProperties(surface, dialog.m_magnitude, dialog.m_phase, 0, 0);
            PushElementChange(*m_history, *m_document, source, before, "Edit");
        }
    }
}
