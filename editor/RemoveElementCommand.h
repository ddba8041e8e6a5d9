#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <memory>

class CElement;
class CQuadrellDoc;

// An element leaving the design (Delete, Cut, the old wire of a turn). The
// command keeps it while it is out, so that undo puts the same element back
// at the same place in the list.
class CRemoveElementCommand : public QUndoCommand {
  public:
    CRemoveElementCommand(CQuadrellDoc& document, const CElement* element, const QString& text,
                          QUndoCommand* parent = nullptr);
    ~CRemoveElementCommand() override;

    void redo() override;
    void undo() override;

  private:
    CQuadrellDoc& m_document;
    const CElement* m_element;
    std::size_t m_place = 0;
    std::unique_ptr<CElement> m_taken;
};
