#include "editor/ChangeElementCommand.h"

#include <QUndoStack>

#include "model/QuadrellDoc.h"

CChangeElementCommand::CChangeElementCommand(CQuadrellDoc& document, CElement& element,
                                             const CElement::State& before,
                                             const CElement::State& after, const QString& text,
                                             QUndoCommand* parent)
    : QUndoCommand(text, parent),
      m_document(document),
      m_element(element),
      m_before(before),
      m_after(after) {}

void CChangeElementCommand::redo() {
    m_element.SetState(m_after);
    m_document.UpdateAllViews();
}

void CChangeElementCommand::undo() {
    m_element.SetState(m_before);
    m_document.UpdateAllViews();
}

QString StepText(const char* verb, const CElement& element) {
    return QString::fromLatin1(verb) + (element.GetType() == ELEMENT_WIRE
                                            ? QStringLiteral(" Wire")
                                            : QStringLiteral(" Source"));
}

void PushElementChange(QUndoStack& history, CQuadrellDoc& document, CElement& element,
                       const CElement::State& before, const char* verb) {
    if (element.GetState() == before) return document.UpdateAllViews();
    history.push(new CChangeElementCommand(document, element, before, element.GetState(),
                                           StepText(verb, element)));
}
