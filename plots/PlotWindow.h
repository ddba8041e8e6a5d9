#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "plots/PlotCamera.h"
#include "ui/CmdTarget.h"

class CDrawingSurface;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// What the two result windows share: the orbit camera turned by dragging
// with the left button, the zoom commands, the popup menu on the right
// button, the white drawing area framed in the window's grey, and the three
// coloured axes. Each window brings its own scene, scale factor and texts.
class CPlotWindow : public QWidget, public CCmdTarget {
    Q_OBJECT

  public:
    ~CPlotWindow() override;

    // Makes the window a fixed-size sub-window of `area`, the area that holds
    // the design windows, shown, raised above its siblings and activated.
    // False, and nothing shown, without an area.
    virtual bool Create(QMdiArea* area) = 0;
    // Closes the window and destroys it, frame and all.
    void DestroyWindow();

    // Projects the axes and the window's own points with the camera's view
    // of the moment, and repaints at once once the first paint has been.
    virtual void UpdateProjection() = 0;
    // Everything inside the frame, in paint order, on a surface whose origin
    // is the centre of the drawing area.
    virtual void Paint(CDrawingSurface& surface) = 0;

    // Mouse handling, on points in client pixels.
    void OnLButtonDown(CPoint point);
    void OnMouseMove(CPoint point, bool leftDown);
    void OnLButtonUp();
    void OnRButtonDown(CPoint point);

    void OnZoomIn();
    void OnZoomOut();
    void OnNormalView();
    bool OnCmdMsg(int id, bool execute) override;

    const PlotCamera& Camera() const { return m_camera; }
    const std::array<Point2f, 6>& ProjectedAxes() const { return m_projectedAxes; }
    bool IsProjectionReady() const { return m_projectionReady; }
    // The centre of the drawing area, the client rectangle inset by 5 pixels.
    CPoint DrawingOrigin() const;

  protected:
    CPlotWindow();

    bool CreateIn(QMdiArea* area, const QString& title, QPoint topLeft);
    // The view update and the projection of the six axis points.
    void ProjectAxes();
    // X in red, Y in green, Z in blue, each with its own pen.
    void DrawAxes(CDrawingSurface& surface) const;
    // The first `count` of `values`, as a window keeps its own copy.
    static std::vector<float> LeadingValues(const std::vector<float>& values, int count);
    // A line between two projected points, if any of it can be drawn.
    static void DrawSegment(CDrawingSurface& surface, Point2f from, Point2f to);

    // Which popup of the plot menu the right button shows.
    virtual int PopupIndex() const = 0;
    virtual PlotScale& Scale() = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    PlotCamera m_camera;
    std::array<Point2f, 6> m_projectedAxes{};
    bool m_projectionReady = false;

  private:
    QPointer<QMdiSubWindow> m_frame;
    // The window is drawn here first and then shown in one piece.
    QImage m_image;
};

// The plot windows' popup menus (menu resource 148): popup 0 "Options" of the
// pattern window, popup 1 "Antenna Options" of the structure window. Each
// item's data is its command id.
std::unique_ptr<QMenu> LoadPlotPopup(int popup);
