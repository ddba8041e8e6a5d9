#include "app/DocTemplate.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QUndoStack>
#include <algorithm>

#include "app/ChildFrm.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "ui/CommandIds.h"
#include "ui/MessageBox.h"

// Close, Undo and Redo belong to the design, whichever of its windows is active.
class CDocTemplate::CDocumentTarget : public CCmdTarget {
  public:
    CDocumentTarget(CDocTemplate& owner, OpenDocument& entry) : m_owner(owner), m_entry(entry) {}
    bool OnCmdMsg(int id, bool execute) override;

  private:
    CDocTemplate& m_owner;
    OpenDocument& m_entry;
};

struct CDocTemplate::OpenDocument {
    explicit OpenDocument(CDocTemplate& owner) : target(owner, *this) {}
    // A stack that goes clears itself first; nobody is to hear of that.
    ~OpenDocument() { history->disconnect(); }

    std::unique_ptr<CQuadrellDoc> document;
    // After the document, so that it goes first: its steps hold elements.
    std::unique_ptr<QUndoStack> history;
    QString title;
    QList<CChildFrame*> frames;
    // The user has let the design go: its windows close without asking again.
    bool letGo = false;
    CDocumentTarget target;
};

bool CDocTemplate::CDocumentTarget::OnCmdMsg(int id, bool execute) {
    QUndoStack& history = *m_entry.history;
    switch (id) {
        case ID_FILE_CLOSE:
            if (execute && m_owner.SaveModified(m_entry, m_entry.frames.value(0))) {
                m_entry.letGo = true;
                const QList<CChildFrame*> frames = m_entry.frames;
                for (CChildFrame* frame : frames) frame->close();
            }
            return true;
        case ID_EDIT_UNDO:
            if (!history.canUndo()) return false;
            if (execute) history.undo();
            return true;
        case ID_EDIT_REDO:
            if (!history.canRedo()) return false;
            if (execute) history.redo();
            return true;
        default:
            return false;
    }
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
    auto entry = std::make_unique<OpenDocument>(*this);
    entry->document = std::make_unique<CQuadrellDoc>();
    entry->history = std::make_unique<QUndoStack>();
    connect(entry->history.get(), &QUndoStack::indexChanged, this, &CDocTemplate::historyChanged);
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
    auto* frame = new CChildFrame(*entry.document, *entry.history, m_printer);
    entry.frames.append(frame);
    frame->installEventFilter(this);
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

bool CDocTemplate::SaveModified(OpenDocument& entry, QWidget* parent) {
    if (entry.history->isClean()) return true;
    const int choice = AskQuadrellChoice(
        parent, QStringLiteral("Write %1 as a NEC2D deck before closing?").arg(entry.title),
        {QStringLiteral("Write..."), QStringLiteral("Discard"), QStringLiteral("Cancel")});
    if (choice == 1) return true;
    // The deck is written as from the design's first window.
    return choice == 0 && entry.frames.value(0)->GetView()->GenerateDeck();
}

bool CDocTemplate::SaveAllModified() {
    for (const auto& entry : m_documents) {
        if (!SaveModified(*entry, m_area)) {
            for (const auto& asked : m_documents) asked->letGo = false;
            return false;
        }
        entry->letGo = true;
    }
    return true;
}

// The last window of a changed design asks before it goes; Cancel keeps it.
bool CDocTemplate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        auto* frame = static_cast<CChildFrame*>(watched);
        OpenDocument* entry = EntryOf(frame);
        // A window already closed may wait for its deletion.
        const bool last =
            entry != nullptr && std::none_of(entry->frames.begin(), entry->frames.end(),
                                             [frame](const CChildFrame* other) {
                                                 return other != frame && !other->isHidden();
                                             });
        if (last && !entry->letGo && !SaveModified(*entry, frame)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
