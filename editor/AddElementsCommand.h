#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "model/GroundSettings.h"

class CElement;
class CQuadrellDoc;

// Elements that come into the design in one step: a placed or pasted
// element, or everything a deck brings, with the ground it names. Undo takes
// them out again; redo puts the very same elements back at their places.
class CAddElementsCommand : public QUndoCommand {
  public:
    // `add` puts the elements into the design; it runs once, on the first redo.
    CAddElementsCommand(CQuadrellDoc& document, const QString& text,
                        std::function<void(CQuadrellDoc&)> add, QUndoCommand* parent = nullptr);
    ~CAddElementsCommand() override;

    void redo() override;
    void undo() override;

  private:
    CQuadrellDoc& m_document;
    std::function<void(CQuadrellDoc&)> m_add;
    // Each element added and its place counted from the head, head first.
    std::vector<std::pair<std::size_t, const CElement*>> m_places;
    // The same elements while they are out of the design.
    std::vector<std::unique_ptr<CElement>> m_taken;
    GroundSettings m_groundBefore;
    GroundSettings m_groundAfter;
};
