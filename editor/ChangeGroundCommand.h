#pragma once

#include <QUndoCommand>

#include "model/GroundSettings.h"

class CQuadrellDoc;

// New ground and drawing-plane settings for the design.
class CChangeGroundCommand : public QUndoCommand {
  public:
    CChangeGroundCommand(CQuadrellDoc& document, const GroundSettings& before,
                         const GroundSettings& after, QUndoCommand* parent = nullptr);

    void redo() override;
    void undo() override;

  private:
    CQuadrellDoc& m_document;
    GroundSettings m_before;
    GroundSettings m_after;
};
