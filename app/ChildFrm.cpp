#include "app/ChildFrm.h"

#include "editor/QuadrellView.h"

CChildFrame::CChildFrame(CQuadrellDoc& document, QUndoStack& history, CPrinterSettings& printer,
                         QWidget* parent)
    : QMdiSubWindow(parent), m_document(&document) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new CQuadrellView(document, history, printer, this);
    setWidget(m_view);
}

CChildFrame::~CChildFrame() {
    // The view leaves its document before the document may go with the
    // frame, and nobody is told of a frame that has no view any more.
    delete m_view;
    m_view = nullptr;
    emit frameDestroyed(this);
}

bool CChildFrame::OnCmdMsg(int /*id*/, bool /*execute*/) { return false; }
