#pragma once

#include <QWidget>
#include <vector>

#include "model/DocumentObserver.h"
#include "model/Element.h"
#include "model/Point.h"

class CElement;
class CQuadrellDoc;
class QTableWidget;
class QTableWidgetItem;
class QUndoStack;

// The "Wires" window: every wire of a design with its start, length, angle,
// end, radius and segments, and below them every source with its centre,
// magnitude and phase, in deck coordinates (X and Z for an upright design). Typing into a cell
// changes the element at once in every view of the design; a value the property dialogs would
// refuse is refused with their message. It follows the design through the document's notifications.
class CWireTable : public QWidget, public CDocumentObserver {
    Q_OBJECT

  public:
    // `origin`: where the deck's (0, 0) lies in the design, in metres; each
    // edit is a step on `history`.
    CWireTable(CQuadrellDoc& document, QUndoStack& history, CPoint origin,
               QWidget* parent = nullptr);
    ~CWireTable() override;

    QTableWidget* Wires() const { return m_wires; }
    QTableWidget* Sources() const { return m_sources; }

    void OnElementRemoved(const CElement* element) override;
    void OnDocumentUpdated() override;

  signals:
    // The user picked the row of `element`.
    void elementChosen(CElement* element);

  private:
    void Fill();
    // Fills the table once the event that changed the design is over: an
    // item must not go while its own change is being reported.
    void FillLater();
    void OnWireEdited(QTableWidgetItem* item);
    void OnSourceEdited(QTableWidgetItem* item);
    // The element of the edited row, with the number typed into `item` in
    // `value`; null, after telling the user why and showing the row as it
    // was, when the number is refused or the element has gone.
    CElement* ReadEdit(const std::vector<CElement*>& rows, QTableWidgetItem* item, double min,
                       double max, float& value);
    // A deck Z typed into the table as a height above the drawing's origin.
    float Unlifted(float deckValue) const;
    // Moves the element's start to a deck X (or Y, or Z upright) typed into
    // the table.
    void MoveStart(CElement& element, bool alongX, float deckValue);
    // `element` was edited from `before`.
    void Changed(CElement& element, const CElement::State& before);
    void Choose(const std::vector<CElement*>& rows, int row);

    CQuadrellDoc& m_document;
    QUndoStack& m_history;
    CPoint m_origin;
    QTableWidget* m_wires;
    QTableWidget* m_sources;
    std::vector<CElement*> m_wireRows;
    std::vector<CElement*> m_sourceRows;
    bool m_filling = false;
    bool m_fillPending = false;
};
