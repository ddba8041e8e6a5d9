#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "model/DocumentObserver.h"
#include "model/ElementList.h"
#include "model/GroundSettings.h"

using ElementPosition = CElementList::Position;

// One antenna design: the ordered list of its wires and sources, which it
// owns. Wires go in at the head and sources at the tail, so a walk from the
// head meets all wires, newest first, then all sources, oldest first.
class CQuadrellDoc {
  public:
    CQuadrellDoc() = default;
    virtual ~CQuadrellDoc() = default;

    CQuadrellDoc(const CQuadrellDoc&) = delete;
    CQuadrellDoc& operator=(const CQuadrellDoc&) = delete;

    ElementPosition GetFirstElementPosition() const { return m_elements.GetHeadPosition(); }
    CElement* GetNextElement(ElementPosition& position) const {
        return m_elements.GetNext(position);
    }

    // Used for every wire.
    CElement* AddElementAtHead(std::unique_ptr<CElement> element);
    // Used for every source.
    CElement* AddElementAtTail(std::unique_ptr<CElement> element);
    // Null does nothing; otherwise the views are told, then the element is
    // unlinked and destroyed.
    void RemoveElement(CElement* element);
    // As RemoveElement, but the element is handed over instead of destroyed,
    // so that it can come back, the same object, with InsertElement.
    std::unique_ptr<CElement> TakeElement(const CElement* element);
    // Puts `element` at `index`, counted from the head.
    CElement* InsertElement(std::size_t index, std::unique_ptr<CElement> element);
    // The element's place counted from the head; the element count when it is not in the design.
    std::size_t IndexOf(const CElement* element) const { return m_elements.IndexOf(element); }

    bool ContainsElement(const CElement* element) const { return m_elements.Contains(element); }
    const CElementList& GetElements() const { return m_elements; }

    // The ground under the design and the plane it is drawn in; every view
    // of the design uses them.
    const GroundSettings& GetGround() const { return m_ground; }
    void SetGround(const GroundSettings& ground) { m_ground = ground; }

    void AddObserver(CDocumentObserver* observer);
    void RemoveObserver(CDocumentObserver* observer);
    // Asks every view to repaint the design.
    void UpdateAllViews();

  private:
    void NotifyObservers(const std::function<void(CDocumentObserver&)>& notify);

    CElementList m_elements;
    GroundSettings m_ground;
    std::vector<CDocumentObserver*> m_observers;
};
