#include "editor/StatusPanes.h"

namespace {

CStatusPaneWriter* g_mainWriter = nullptr;

}  // namespace

void SetMainStatusPaneWriter(CStatusPaneWriter* writer) { g_mainWriter = writer; }

CStatusPaneWriter* GetMainStatusPaneWriter() { return g_mainWriter; }

void WriteStatusPane(int pane, const QString& text) {
    if (g_mainWriter != nullptr) g_mainWriter->SetStatusPaneText(pane, text);
}
