#include "app/DocTemplate.h"

#include <QFileInfo>
#include <QMdiArea>
#include <algorithm>

#include "app/ChildFrm.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "ui/CommandIds.h"

class CDocTemplate::CDocumentTarget : public CCmdTarget {
  public:
    explicit CDocumentTarget(OpenDocument& entry) : m_entry(entry) {}
    bool OnCmdMsg(int id, bool execute) override;

  private:
    OpenDocument& m_entry;
};

struct CDocTemplate::OpenDocument {
    std::unique_ptr<CQuadrellDoc> document;
    QString title;
    QList<CChildFrame*> frames;
    CDocumentTarget target{*this};
};

bool CDocTemplate::CDocumentTarget::OnCmdMsg(int id, bool execute) {
    if (id != ID_FILE_CLOSE) return false;
    if (execute) {
        // Designs are never modified, so closing never asks to save.
        const QList<CChildFrame*> frames = m_entry.frames;
        for (CChildFrame* frame : frames) frame->close();
    }
    return true;
}

CDocTemplate::CDocTemplate(QMdiArea* area, CPrinterSettings& printer, QObject* parent)
    : QObject(parent), m_area(area), m_printer(printer) {}

CDocTemplate::~CDocTemplate() {
    // Views go before their documents.
    for (const auto& entry : m_documents) {
        for (CChildFrame* frame : entry->frames) {
            frame->disconnect(this);
            delete frame;
        }
    }
}

CChildFrame* CDocTemplate::OpenNewDocument() {
    return CreateDocument(QStringLiteral("Quadre%1").arg(m_nextNumber++));
}

CChildFrame* CDocTemplate::OpenDocumentFile(const QString& path) {
    return CreateDocument(QFileInfo(path).fileName());
}

CChildFrame* CDocTemplate::CreateDocument(const QString& title) {
    auto entry = std::make_unique<OpenDocument>();
    entry->document = std::make_unique<CQuadrellDoc>();
    entry->title = title;
    OpenDocument& added = *entry;
    m_documents.push_back(std::move(entry));
    return AddFrame(added);
}

CChildFrame* CDocTemplate::NewWindow(CChildFrame* frame) {
    OpenDocument* entry = EntryOf(frame);
    return entry != nullptr ? AddFrame(*entry) : nullptr;
}

CChildFrame* CDocTemplate::AddFrame(OpenDocument& entry) {
    auto* frame = new CChildFrame(*entry.document, m_printer);
    entry.frames.append(frame);
    connect(frame, &CChildFrame::frameDestroyed, this,
            [this, entry = &entry](CChildFrame* gone) { OnFrameDestroyed(entry, gone); });
    connect(frame->GetView(), &CQuadrellView::deckImported, this, &CDocTemplate::deckImported);
    connect(frame->GetView(), &CQuadrellView::statusPaneText, this, &CDocTemplate::statusPaneText);
    m_area->addSubWindow(frame);
    // A new design window takes most of the free area, as classic MDI
    // children do; later ones cascade from the active one.
    const QSize area = m_area->viewport()->size();
    frame->resize(std::max(area.width() * 4 / 5, 320), std::max(area.height() * 4 / 5, 240));
    RetitleFrames(entry);
    frame->GetView()->OnInitialUpdate();
    frame->show();
    m_area->setActiveSubWindow(frame);
    emit framesChanged();
    return frame;
}

void CDocTemplate::OnFrameDestroyed(OpenDocument* entry, CChildFrame* frame) {
    entry->frames.removeIf([frame](CChildFrame* f) { return f == frame; });
    emit frameDestroyed(frame);
    if (entry->frames.isEmpty()) {
        std::erase_if(m_documents, [entry](const auto& owned) { return owned.get() == entry; });
    } else {
        RetitleFrames(*entry);
    }
    emit framesChanged();
}

void CDocTemplate::RetitleFrames(OpenDocument& entry) {
    if (entry.frames.size() == 1) {
        entry.frames.front()->setWindowTitle(entry.title);
        return;
    }
    for (qsizetype i = 0; i < entry.frames.size(); ++i) {
        entry.frames[i]->setWindowTitle(QStringLiteral("%1:%2").arg(entry.title).arg(i + 1));
    }
}

CDocTemplate::OpenDocument* CDocTemplate::EntryOf(const CChildFrame* frame) {
    for (const auto& entry : m_documents) {
        if (entry->frames.contains(frame)) return entry.get();
    }
    return nullptr;
}

CCmdTarget* CDocTemplate::DocumentTarget(CChildFrame* frame) {
    OpenDocument* entry = EntryOf(frame);
    return entry != nullptr ? &entry->target : nullptr;
}
