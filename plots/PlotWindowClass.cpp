#include "plots/PlotWindowClass.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>

namespace {

const PlotWindowClass g_plotClass;

}  // namespace

const PlotWindowClass& GetPlotWindowClass() { return g_plotClass; }

QMdiSubWindow* CreatePlotWindow(QMdiArea* area, QWidget* content, const QString& title,
                                QPoint topLeft) {
    const PlotWindowClass& plotClass = GetPlotWindowClass();
    auto* window =
        new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setObjectName(plotClass.name);
    window->setWindowTitle(title);
    window->setCursor(Qt::ArrowCursor);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, plotClass.background);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setWidget(content);
    content->setAutoFillBackground(true);
    content->setPalette(palette);
    area->addSubWindow(window);
    window->setFixedSize(plotClass.outerWidth, plotClass.outerHeight);
    window->move(topLeft);
    window->show();
    window->raise();
    area->setActiveSubWindow(window);
    return window;
}
