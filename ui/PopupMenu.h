#pragma once

#include <span>

class QMenu;

// One item of a context menu: its text and its command, or a separator.
struct PopupItem {
    const char* text;  // null for a separator
    int id;
};

// Adds the items to `menu`, each action carrying its command id as data.
void AddPopupItems(QMenu& menu, std::span<const PopupItem> items);
