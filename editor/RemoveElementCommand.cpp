#include "editor/RemoveElementCommand.h"

#include "model/QuadrellDoc.h"

CRemoveElementCommand::CRemoveElementCommand(CQuadrellDoc& document, const CElement* element,
                                             const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent), m_document(document), m_element(element) {}

CRemoveElementCommand::~CRemoveElementCommand() = default;

void CRemoveElementCommand::redo() {
    m_place = m_document.IndexOf(m_element);
    m_taken = m_document.TakeElement(m_element);
    m_document.UpdateAllViews();
}

void CRemoveElementCommand::undo() {
    m_document.InsertElement(m_place, std::move(m_taken));
    m_document.UpdateAllViews();
}
