#include "model/QuadrellDoc.h"

#include <algorithm>

CElement* CQuadrellDoc::AddElementAtHead(std::unique_ptr<CElement> element) {
    return m_elements.AddHead(std::move(element));
}

CElement* CQuadrellDoc::AddElementAtTail(std::unique_ptr<CElement> element) {
    return m_elements.AddTail(std::move(element));
}

void CQuadrellDoc::RemoveElement(CElement* element) { TakeElement(element); }

std::unique_ptr<CElement> CQuadrellDoc::TakeElement(const CElement* element) {
    if (element == nullptr || !m_elements.Contains(element)) return nullptr;
    NotifyObservers([element](CDocumentObserver& observer) { observer.OnElementRemoved(element); });
    return m_elements.Take(element);
}

CElement* CQuadrellDoc::InsertElement(std::size_t index, std::unique_ptr<CElement> element) {
    return m_elements.InsertAt(index, std::move(element));
}

void CQuadrellDoc::AddObserver(CDocumentObserver* observer) {
    if (observer != nullptr &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CQuadrellDoc::RemoveObserver(CDocumentObserver* observer) {
    std::erase(m_observers, observer);
}

void CQuadrellDoc::UpdateAllViews() {
    NotifyObservers([](CDocumentObserver& observer) { observer.OnDocumentUpdated(); });
}

void CQuadrellDoc::NotifyObservers(const std::function<void(CDocumentObserver&)>& notify) {
    // A view may close, and unregister, while it is being told: walk a copy
    // and skip any observer that has gone in the meantime.
    const std::vector<CDocumentObserver*> observers = m_observers;
    for (CDocumentObserver* observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) {
            notify(*observer);
        }
    }
}
