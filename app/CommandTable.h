#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// One row per command: everything menus, toolbar and keys need to know.
struct CommandInfo {
    int id;
    // Menu text with its mnemonic, without the key text ("&Open...").
    QString menuText;
    // The resource prompt: status-line prompt, a line feed, the tool tip.
    QString prompt;
    QList<QKeySequence> keys;
    bool onToolbar = false;

    QString StatusPrompt() const;
    QString ToolTip() const;
};

// Every command of the shell, the editor and the result windows.
const QList<CommandInfo>& CommandTable();
const CommandInfo* FindCommand(int id);

// Toolbar layout, left to right; 0 stands for a separator.
const QList<int>& ToolbarLayout();
