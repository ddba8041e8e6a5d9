#include "plots/PlotWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "model/DrawingSurface.h"
#include "plots/ImageSurface.h"
#include "plots/PlotWindowClass.h"
#include "ui/CommandIds.h"
#include "ui/PopupMenu.h"

namespace {

constexpr int kFrameInset = 5;
constexpr PenColor kXAxisColor{255, 0, 0};
constexpr PenColor kYAxisColor{0, 255, 0};
constexpr PenColor kZAxisColor{0, 0, 255};

}  // namespace

std::unique_ptr<QMenu> LoadPlotPopup(int popup) {
    static const PopupItem kZoomItems[] = {
        {"Zoom &In", ID_ZOOM_IN}, {"Zoom &Out", ID_ZOOM_OUT}, {"Normal View", ID_NORMAL_VIEW}};
    static const PopupItem kSliceItems[] = {{nullptr, 0},
                                            {"Slice X Z", ID_SLICE_XZ},
                                            {"Slice Y Z", ID_SLICE_YZ},
                                            {"Slice X Y", ID_SLICE_XY},
                                            {"View Full Pattern", ID_FULL_PATTERN}};
    auto menu = std::make_unique<QMenu>(popup == 0 ? QStringLiteral("Options")
                                                   : QStringLiteral("Antenna Options"));
    AddPopupItems(*menu, kZoomItems);
    if (popup == 0) AddPopupItems(*menu, kSliceItems);
    return menu;
}

CPlotWindow::CPlotWindow() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

CPlotWindow::~CPlotWindow() = default;

bool CPlotWindow::CreateIn(QMdiArea* area, const QString& title, QPoint topLeft) {
    if (area == nullptr) return false;
    m_frame = CreatePlotWindow(area, this, title, topLeft);
    // A window the user closes is gone for good; whoever still points at it
    // sees it go.
    m_frame->setAttribute(Qt::WA_DeleteOnClose);
    return true;
}

void CPlotWindow::DestroyWindow() {
    if (m_frame) {
        delete m_frame.data();
    } else {
        delete this;
    }
}

CPoint CPlotWindow::DrawingOrigin() const {
    const QRect client = rect();
    const int left = client.left() + kFrameInset;
    const int top = client.top() + kFrameInset;
    const int right = client.left() + client.width() - kFrameInset;
    const int bottom = client.top() + client.height() - kFrameInset;
    return CPoint{(left + right) / 2, (top + bottom) / 2};
}

void CPlotWindow::ProjectAxes() {
    m_camera.UpdateView();
    m_projectedAxes = ::ProjectAxes(m_camera);
}

std::vector<float> CPlotWindow::LeadingValues(const std::vector<float>& values, int count) {
    return std::vector<float>(values.begin(), values.begin() + count);
}

void CPlotWindow::DrawSegment(CDrawingSurface& surface, Point2f from, Point2f to) {
    const auto pixels = SegmentToPixels(from, to);
    if (!pixels) return;
    surface.MoveTo(pixels->first.x, pixels->first.y);
    surface.LineTo(pixels->second.x, pixels->second.y);
}

void CPlotWindow::DrawAxes(CDrawingSurface& surface) const {
    const PenColor colors[] = {kXAxisColor, kYAxisColor, kZAxisColor};
    for (int axis = 0; axis < 3; ++axis) {
        CScopedPen pen(surface, Pen::Solid(colors[axis]));
        DrawSegment(surface, m_projectedAxes[2 * axis], m_projectedAxes[2 * axis + 1]);
    }
}

void CPlotWindow::paintEvent(QPaintEvent* /*event*/) {
    if (m_image.size() != size()) m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(GetPlotWindowClass().background);
    const QRect client = rect();
    const QRect drawingArea = client.adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset);
    if (drawingArea.isValid()) {
        const QRgb white = qRgb(255, 255, 255);
        for (int y = drawingArea.top(); y <= drawingArea.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(line + drawingArea.left(), line + drawingArea.right() + 1, white);
        }
    }
    {
        CImageSurface surface(m_image, DrawingOrigin(), font());
        Paint(surface);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void CPlotWindow::OnLButtonDown(CPoint point) { m_camera.OnLButtonDown(point); }

void CPlotWindow::OnMouseMove(CPoint point, bool leftDown) {
    if (leftDown && m_camera.OnDrag(point)) UpdateProjection();
}

void CPlotWindow::OnLButtonUp() { m_camera.OnLButtonUp(); }

void CPlotWindow::OnRButtonDown(CPoint point) {
    const std::unique_ptr<QMenu> menu = LoadPlotPopup(PopupIndex());
    connect(menu.get(), &QMenu::triggered, this,
            [this](QAction* chosen) { OnCmdMsg(chosen->data().toInt(), true); });
    menu->exec(mapToGlobal(QPoint(point.x, point.y)));
}

// The events arrive accepted, so none of them goes on to the frame.
void CPlotWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const CPoint point{position.x(), position.y()};
    if (event->button() == Qt::LeftButton) OnLButtonDown(point);
    if (event->button() == Qt::RightButton) OnRButtonDown(point);
}

void CPlotWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    OnMouseMove(CPoint{position.x(), position.y()}, event->buttons().testFlag(Qt::LeftButton));
}

void CPlotWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonUp();
}

void CPlotWindow::OnZoomIn() {
    Scale().ZoomIn();
    UpdateProjection();
}

void CPlotWindow::OnZoomOut() {
    Scale().ZoomOut();
    UpdateProjection();
}

void CPlotWindow::OnNormalView() {
    Scale().Reset();
    UpdateProjection();
}

bool CPlotWindow::OnCmdMsg(int id, bool execute) {
    static constexpr CommandEntry<CPlotWindow> kCommands[] = {
        {ID_ZOOM_IN, &CPlotWindow::OnZoomIn},
        {ID_ZOOM_OUT, &CPlotWindow::OnZoomOut},
        {ID_NORMAL_VIEW, &CPlotWindow::OnNormalView},
    };
    return DispatchCommand(*this, kCommands, id, execute);
}
