#include "editor/AddElementsCommand.h"

#include <unordered_set>

#include "model/QuadrellDoc.h"

CAddElementsCommand::CAddElementsCommand(CQuadrellDoc& document, const QString& text,
                                         std::function<void(CQuadrellDoc&)> add,
                                         QUndoCommand* parent)
    : QUndoCommand(text, parent), m_document(document), m_add(std::move(add)) {}

CAddElementsCommand::~CAddElementsCommand() = default;

void CAddElementsCommand::redo() {
    if (m_add) {
        // The first time, the elements that were not there before are the
        // ones added, wherever the adding put them.
        m_groundBefore = m_document.GetGround();
        std::unordered_set<const CElement*> before;
        for (ElementPosition pos = m_document.GetFirstElementPosition(); pos;)
            before.insert(m_document.GetNextElement(pos));
        std::exchange(m_add, nullptr)(m_document);
        std::size_t place = 0;
        for (ElementPosition pos = m_document.GetFirstElementPosition(); pos; ++place) {
            const CElement* element = m_document.GetNextElement(pos);
            if (!before.contains(element)) m_places.emplace_back(place, element);
        }
        m_groundAfter = m_document.GetGround();
        // A deck that brought nothing is no step.
        setObsolete(m_places.empty() && m_groundAfter == m_groundBefore);
    } else {
        // Head first, so that each element finds the ones before it in place.
        for (std::size_t i = 0; i < m_places.size(); ++i)
            m_document.InsertElement(m_places[i].first, std::move(m_taken[i]));
        m_taken.clear();
        m_document.SetGround(m_groundAfter);
    }
    m_document.UpdateAllViews();
}

void CAddElementsCommand::undo() {
    m_taken.resize(m_places.size());
    for (std::size_t i = m_places.size(); i-- > 0;)
        m_taken[i] = m_document.TakeElement(m_places[i].second);
    m_document.SetGround(m_groundBefore);
    m_document.UpdateAllViews();
}
