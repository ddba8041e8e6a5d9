#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "ui/CommandIds.h"

namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(0, 100, 255);
const QColor kGreen(0, 160, 0);
const QColor kRed(210, 30, 30);
const QColor kFolder(230, 190, 80);

QPen InkPen(const QColor& color = kInk, double width = 1.0) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// A sheet of paper with a folded corner, as on New and the deck button.
void Page(QPainter& p, double left, double top, double width, double height) {
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(left + width - 3, top);
    path.lineTo(left + width, top + 3);
    path.lineTo(left + width, top + height);
    path.lineTo(left, top + height);
    path.closeSubpath();
    p.setPen(InkPen());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(left + width - 3, top), QPointF(left + width - 3, top + 3));
    p.drawLine(QPointF(left + width - 3, top + 3), QPointF(left + width, top + 3));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(InkPen(color, 1.4));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF barb = line;
    barb.setLength(3.5);
    barb.setAngle(line.angle() + 35);
    p.drawLine(barb);
    barb.setAngle(line.angle() - 35);
    p.drawLine(barb);
}

Painter PainterFor(int commandId) {
    switch (commandId) {
        case ID_FILE_NEW:
            return [](QPainter& p) { Page(p, 3.5, 1.5, 9, 12); };
        case ID_FILE_OPEN:
            return [](QPainter& p) {
                p.setPen(InkPen());
                p.setBrush(kFolder.darker(115));
                p.drawRect(QRectF(1.5, 3.5, 12, 9));
                p.setBrush(kFolder);
                p.drawPolygon(QPolygonF({{1.5, 12.5}, {4.5, 6.5}, {15.5, 6.5}, {12.5, 12.5}}));
            };
        case ID_EDIT_CUT:
            return [](QPainter& p) {
                p.setPen(InkPen(kInk, 1.2));
                p.drawLine(QPointF(5, 1.5), QPointF(10, 10));
                p.drawLine(QPointF(11, 1.5), QPointF(6, 10));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(QPointF(4.5, 11.5), 2.3, 2.3);
                p.drawEllipse(QPointF(11.5, 11.5), 2.3, 2.3);
            };
        case ID_EDIT_COPY:
            return [](QPainter& p) {
                Page(p, 1.5, 1.5, 8, 9);
                Page(p, 6.5, 4.5, 8, 9);
            };
        case ID_EDIT_PASTE:
            return [](QPainter& p) {
                p.setPen(InkPen());
                p.setBrush(kFolder);
                p.drawRect(QRectF(1.5, 2.5, 10, 11));
                p.setBrush(QColor(150, 150, 150));
                p.drawRect(QRectF(4.5, 1.5, 4, 2));
                Page(p, 7.5, 5.5, 7, 8);
            };
        case ID_FILE_PRINT:
            return [](QPainter& p) {
                p.setPen(InkPen());
                p.setBrush(kPaper);
                p.drawRect(QRectF(4.5, 1.5, 7, 5));
                p.setBrush(QColor(190, 190, 190));
                p.drawRect(QRectF(1.5, 6.5, 13, 5));
                p.setBrush(kPaper);
                p.drawRect(QRectF(4.5, 10.5, 7, 3));
                p.setPen(InkPen(kGreen));
                p.drawPoint(QPointF(12.5, 8.5));
            };
        case ID_APP_ABOUT:
            return [](QPainter& p) {
                p.setPen(InkPen(kBlue, 1.2));
                p.setBrush(QColor(225, 235, 255));
                p.drawEllipse(QPointF(8, 7.5), 6.2, 6.2);
                QFont font = p.font();
                font.setPixelSize(10);
                font.setBold(true);
                p.setFont(font);
                p.drawText(QRectF(2, 1.5, 12, 12), Qt::AlignCenter, QStringLiteral("?"));
            };
        case ID_CONTEXT_HELP:
            return [](QPainter& p) {
                p.setPen(InkPen());
                p.setBrush(kPaper);
                p.drawPolygon(QPolygonF({{1.5, 1.5},
                                         {1.5, 11.5},
                                         {4, 9},
                                         {6, 13.5},
                                         {7.5, 12.8},
                                         {5.5, 8.5},
                                         {8.5, 8.5}}));
                QFont font = p.font();
                font.setPixelSize(9);
                font.setBold(true);
                p.setFont(font);
                p.setPen(InkPen(kBlue));
                p.drawText(QRectF(8, 1, 8, 10), Qt::AlignCenter, QStringLiteral("?"));
            };
        case ID_PLACE_WIRE:
            return [](QPainter& p) {
                p.setPen(InkPen(kInk, 1.4));
                p.drawLine(QPointF(2, 12.5), QPointF(14, 2.5));
                Arrow(p, QPointF(4, 10.8), QPointF(10.5, 5.4), kInk);
            };
        case ID_PLACE_SOURCE:
            return [](QPainter& p) {
                p.setPen(InkPen(kGreen, 2));
                p.drawLine(QPointF(8, 2.5), QPointF(8, 12.5));
                p.drawLine(QPointF(3, 7.5), QPointF(13, 7.5));
            };
        case ID_GENERATE_INPUT_FILE:
            return [](QPainter& p) {
                Page(p, 2.5, 1.5, 10, 12);
                p.setPen(InkPen(kBlue));
                for (double y : {5.5, 7.5, 9.5, 11.5}) p.drawLine(QPointF(4.5, y), QPointF(9.5, y));
                Arrow(p, QPointF(9.5, 12), QPointF(15, 12), kGreen);
            };
        case ID_LAUNCH_NEC2D:
            return [](QPainter& p) {
                p.setPen(InkPen(kGreen.darker(130)));
                p.setBrush(kGreen);
                p.drawPolygon(QPolygonF({{4.5, 2.5}, {13, 7.5}, {4.5, 12.5}}));
            };
        case ID_PROCESS_OUTPUT_DATA:
            return [](QPainter& p) {
                p.setPen(InkPen(QColor(150, 150, 150)));
                p.drawLine(QPointF(8, 1.5), QPointF(8, 13.5));
                p.drawLine(QPointF(1.5, 7.5), QPointF(14.5, 7.5));
                p.setPen(InkPen(kRed, 1.2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(QPointF(4.8, 7.5), 3.2, 2.2);
                p.drawEllipse(QPointF(11.2, 7.5), 3.2, 2.2);
            };
        case ID_SNAP_CONTROLS:
            return [](QPainter& p) {
                p.setPen(InkPen(kBlue));
                for (double x : {3.0, 8.0, 13.0}) {
                    for (double y : {2.5, 7.5, 12.5}) {
                        p.drawLine(QPointF(x - 1, y), QPointF(x + 1, y));
                        p.drawLine(QPointF(x, y - 1), QPointF(x, y + 1));
                    }
                }
                p.setPen(InkPen(kRed, 1.4));
                p.drawLine(QPointF(3, 12.5), QPointF(8, 7.5));
                p.setBrush(kRed);
                p.drawEllipse(QPointF(8, 7.5), 1.6, 1.6);
            };
        case ID_ROTATE:
            return [](QPainter& p) {
                p.setPen(InkPen(kBlue, 1.4));
                p.setBrush(Qt::NoBrush);
                p.drawArc(QRectF(2.5, 2.5, 11, 10), 90 * 16, 270 * 16);
                Arrow(p, QPointF(5, 2.6), QPointF(8.5, 2.6), kBlue);
            };
        case ID_FLIP:
            return [](QPainter& p) {
                Arrow(p, QPointF(8, 4.5), QPointF(14, 4.5), kBlue);
                Arrow(p, QPointF(8, 10.5), QPointF(2, 10.5), kBlue);
            };
        default:
            return {};
    }
}

QPixmap Render(const Painter& paint, int scale) {
    QPixmap pixmap(16 * scale, 15 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    paint(painter);
    return pixmap;
}

}  // namespace

QIcon MakeToolbarIcon(int commandId) {
    const Painter paint = PainterFor(commandId);
    if (!paint) return QIcon();
    QIcon icon;
    for (int scale : {1, 2, 3}) icon.addPixmap(Render(paint, scale));
    return icon;
}

QIcon MakeApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(kBlue.darker(120), 1.5));
        p.setBrush(QColor(210, 225, 255));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        p.setPen(QPen(kRed, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(10, 16), 7, 5);
        p.drawEllipse(QPointF(22, 16), 7, 5);
        p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 5), QPointF(16, 27));
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(13, 16), QPointF(19, 16));
        icon.addPixmap(pixmap);
    }
    return icon;
}
