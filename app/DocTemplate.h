#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "ui/CmdTarget.h"

class CChildFrame;
class CPrinterSettings;
class CQuadrellDoc;
class QMdiArea;

// Makes a design document, its child frame and its editor view together, and
// keeps each open document with its frames. New designs are titled Quadre1,
// Quadre2, ...; with several windows on one design they read "Quadre1:1",
// "Quadre1:2". A document is destroyed when its last window closes, after
// its views. Each design has one undo stack, shared by its views; closing the
// last window of a design that changed since it was made, opened or written
// as a deck asks first.
class CDocTemplate : public QObject {
    Q_OBJECT

  public:
    // Its views print with `printer`.
    CDocTemplate(QMdiArea* area, CPrinterSettings& printer, QObject* parent = nullptr);
    ~CDocTemplate() override;

    // A new empty design in a new window.
    CChildFrame* OpenNewDocument();
    // A new empty design titled with the file's name, for the deck in the
    // file to be imported into.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Another window on the design shown in `frame`.
    CChildFrame* NewWindow(CChildFrame* frame);

    // The document's own command target (Close) for the design in `frame`.
    CCmdTarget* DocumentTarget(CChildFrame* frame);
    int DocumentCount() const { return static_cast<int>(m_documents.size()); }
    // Asks, once for each changed design, whether to write it as a deck
    // before it goes; false when the user cancelled, or a deck was not
    // written. With true every window may close without another question.
    bool SaveAllModified();

  signals:
    // A design window was added or is being destroyed. Receivers that look
    // at the windows should connect queued.
    void framesChanged();
    void frameDestroyed(CChildFrame* frame);
    // A deck was imported into a design through one of its views.
    void deckImported(const QString& path);
    // A view wrote a status-bar pane.
    void statusPaneText(int pane, const QString& text);
    // A step was done, undone or redone in some design.
    void historyChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct OpenDocument;
    class CDocumentTarget;

    CChildFrame* AddFrame(OpenDocument& entry);
    void OnFrameDestroyed(OpenDocument* entry, CChildFrame* frame);
    void RetitleFrames(OpenDocument& entry);
    OpenDocument* EntryOf(const CChildFrame* frame);
    CChildFrame* CreateDocument(const QString& title);
    // True when the design may go: it is clean, or the user wrote it or let
    // it go; the question sits over `parent`.
    bool SaveModified(OpenDocument& entry, QWidget* parent);

    QMdiArea* m_area;
    CPrinterSettings& m_printer;
    std::vector<std::unique_ptr<OpenDocument>> m_documents;
    int m_nextNumber = 1;
};
