#include "ui/PopupMenu.h"

#include <QMenu>

void AddPopupItems(QMenu& menu, std::span<const PopupItem> items) {
    for (const PopupItem& item : items) {
        if (item.text == nullptr) {
            menu.addSeparator();
        } else {
            menu.addAction(QString::fromLatin1(item.text))->setData(item.id);
        }
    }
}
