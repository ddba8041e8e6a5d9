#pragma once

#include <QMdiSubWindow>

#include "ui/CmdTarget.h"

class CPrinterSettings;
class CQuadrellDoc;
class CQuadrellView;
class QUndoStack;

// A design window: one editor view of a design inside the main window.
class CChildFrame : public QMdiSubWindow, public CCmdTarget {
    Q_OBJECT

  public:
    CChildFrame(CQuadrellDoc& document, QUndoStack& history, CPrinterSettings& printer,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    CQuadrellView* GetView() const { return m_view; }
    CQuadrellDoc* GetDocument() const { return m_document; }

    bool OnCmdMsg(int id, bool execute) override;

  signals:
    // Sent while the frame is being destroyed, after its view has gone and
    // before the frame itself goes.
    void frameDestroyed(CChildFrame* frame);

  private:
    CQuadrellDoc* m_document;
    CQuadrellView* m_view;
};
