#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The settings shared by both result windows: a light grey background that
// shows as the margin around the drawing area, the arrow cursor, and a fixed
// outer size with caption, system menu, minimise and close buttons but no
// maximise box or sizing.
struct PlotWindowClass {
    QString name = QStringLiteral("Plot");
    QColor background = QColor(192, 192, 192);
    int outerWidth = 350;
    int outerHeight = 350;
};

const PlotWindowClass& GetPlotWindowClass();

// Makes a result window of the "Plot" class in `area`: `content` becomes the
// client of a fixed-size sub-window with `title` whose outer rectangle starts
// at `topLeft` in the area's coordinates. The sub-window is shown, raised
// above its siblings and activated.
QMdiSubWindow* CreatePlotWindow(QMdiArea* area, QWidget* content, const QString& title,
                                QPoint topLeft);
