#pragma once

#include <QWidget>
#include <vector>

#include "model/DocumentObserver.h"
#include "model/Point.h"

class CElement;
class CQuadrellDoc;
class QTableWidget;
class QTableWidgetItem;

// The "Wires" window: every wire of a design with its start, length, angle,
// end, radius and segments, and below them every source with its centre,
// magnitude and phase, in deck coordinates. Typing into a cell changes the
// element at once in every view of the design; a value the property dialogs
// would refuse is refused with their message. It follows the design through
// the document's notifications.
class CWireTable : public QWidget, public CDocumentObserver {
    Q_OBJECT

  public:
    // `origin`: where the deck's (0, 0) lies in the design, in metres.
    CWireTable(CQuadrellDoc& document, CPoint origin, QWidget* parent = nullptr);
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
    // The number typed into `item`, or nothing after telling the user why
    // not and showing the old value again.
    bool ReadCell(QTableWidgetItem* item, double min, double max, float& value);
    void Choose(const std::vector<CElement*>& rows, int row);

    CQuadrellDoc& m_document;
    CPoint m_origin;
    QTableWidget* m_wires;
    QTableWidget* m_sources;
    std::vector<CElement*> m_wireRows;
    std::vector<CElement*> m_sourceRows;
    bool m_filling = false;
    bool m_fillPending = false;
};
