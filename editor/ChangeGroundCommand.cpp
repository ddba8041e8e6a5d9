#include "editor/ChangeGroundCommand.h"

#include "model/QuadrellDoc.h"

CChangeGroundCommand::CChangeGroundCommand(CQuadrellDoc& document, const GroundSettings& before,
                                           const GroundSettings& after, QUndoCommand* parent)
    : QUndoCommand(QStringLiteral("Ground and Height"), parent),
      m_document(document),
      m_before(before),
      m_after(after) {}

void CChangeGroundCommand::redo() {
    m_document.SetGround(m_after);
    m_document.UpdateAllViews();
}

void CChangeGroundCommand::undo() {
    m_document.SetGround(m_before);
    m_document.UpdateAllViews();
}
