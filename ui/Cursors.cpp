#include "ui/Cursors.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kCursorSize = 32;

QPixmap TransparentCursorImage() {
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QCursor MakeWireCursor() {
    QPixmap pixmap = TransparentCursorImage();
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // A white halo keeps the black stroke visible on dark backgrounds too.
        painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(10, 10, 21, 21);
        painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(10, 10, 21, 21);
    }
    return QCursor(pixmap, 0, 0);
}

QCursor MakeSourceCursor() {
    QPixmap pixmap = TransparentCursorImage();
    {
        QPainter painter(&pixmap);
        painter.setPen(Qt::white);
        painter.drawRect(13, 15, 4, 2);
        painter.drawRect(14, 14, 2, 4);
        painter.setPen(Qt::black);
        painter.drawLine(14, 16, 16, 16);
        painter.drawLine(15, 15, 15, 17);
    }
    return QCursor(pixmap, 15, 16);
}
