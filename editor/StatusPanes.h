#pragma once

#include <QString>

// The main frame's status bar as the editor sees it. Views write their panes
// through the application's main window, so with several views open a pane
// shows what the view used last wrote.
class CStatusPaneWriter {
  public:
    virtual ~CStatusPaneWriter() = default;

    // Sets the text of the pane with that index and repaints it at once.
    virtual void SetStatusPaneText(int pane, const QString& text) = 0;
};

// The main window registers itself here for as long as it lives.
void SetMainStatusPaneWriter(CStatusPaneWriter* writer);
CStatusPaneWriter* GetMainStatusPaneWriter();

// Writes through the main window's status bar; does nothing without one.
void WriteStatusPane(int pane, const QString& text);
