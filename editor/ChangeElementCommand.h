#pragma once

#include <QUndoCommand>

#include "model/Element.h"

class CQuadrellDoc;
class QUndoStack;

// An element changed in place: dragged, edited in its property dialog or in
// the wire table. Both states are whole, so undo gives back every bit.
class CChangeElementCommand : public QUndoCommand {
  public:
    CChangeElementCommand(CQuadrellDoc& document, CElement& element, const CElement::State& before,
                          const CElement::State& after, const QString& text,
                          QUndoCommand* parent = nullptr);

    void redo() override;
    void undo() override;

  private:
    CQuadrellDoc& m_document;
    CElement& m_element;
    CElement::State m_before;
    CElement::State m_after;
};

// The name of a step on `element`: "Delete Wire", "Move Source".
QString StepText(const char* verb, const CElement& element);

// Puts the change of `element` from `before` on the design's stack as the
// step "<verb> Wire" or "<verb> Source"; a change that changed nothing is no
// step, and the views repaint all the same.
void PushElementChange(QUndoStack& history, CQuadrellDoc& document, CElement& element,
                       const CElement::State& before, const char* verb);
