#include "plots/PlotDlg.h"

#include <QMdiArea>
#include <algorithm>
#include <cmath>

#include "model/DrawingSurface.h"
#include "ui/CommandIds.h"

namespace {

int CommonCount(const PatternResult& pattern) {
    const auto size = std::min({pattern.magnitude.size(), pattern.theta.size(), pattern.phi.size(),
                                static_cast<std::size_t>(std::max(pattern.pointCount, 0))});
    return static_cast<int>(size);
}

// The largest field, which the radius scale multiplies; the field of the
// strongest point is normally 1.
double LargestField(const std::vector<float>& magnitude) {
    double largest = 0.0;
    for (const float m : magnitude) {
        if (std::isfinite(m)) largest = std::max(largest, std::fabs(double{m}));
    }
    return largest;
}

}  // namespace

CPlotDlg::CPlotDlg(const PatternResult& pattern)
    : pointCount(CommonCount(pattern)),
      m_projectedPoints(static_cast<std::size_t>(pointCount)),
      magnitude(LeadingValues(pattern.magnitude, pointCount)),
      theta(LeadingValues(pattern.theta, pointCount)),
      phi(LeadingValues(pattern.phi, pointCount)),
      pointsPerCut(pattern.pointsPerCut),
      m_radiusScale(100.0f, LargestField(magnitude)),
      m_directions(theta, phi) {}

CPlotDlg::~CPlotDlg() = default;

bool CPlotDlg::Create(QMdiArea* area) {
    return CreateIn(area, QStringLiteral("Far-Field Radiation Pattern"), QPoint(50, 50));
}

void CPlotDlg::UpdateProjection() {
    ProjectAxes();
    const float scale = m_radiusScale.Value();
    for (std::size_t i = 0; i < m_projectedPoints.size(); ++i) {
        float radius = magnitude[i] * scale;
        if (!KeepsRadius(m_sliceMode, theta[i], phi[i])) radius = 0.0f;
        m_projectedPoints[i] = m_camera.Project(m_directions.At(i, radius));
    }
    if (!m_projectionReady) {
        m_projectionReady = true;
        return;
    }
    repaint();
}

void CPlotDlg::Paint(CDrawingSurface& surface) {
    const char* caption = "         ";
    switch (m_sliceMode) {
        case SliceMode::SliceXZ:
            caption = "X-Z Plane";
            break;
        case SliceMode::SliceYZ:
            caption = "Y-Z Plane";
            break;
        case SliceMode::SliceXY:
            caption = "X-Y Plane";
            break;
        case SliceMode::FullPattern:
            break;
    }
    surface.TextOut(-160, 140, caption);

    if (!m_projectionReady) UpdateProjection();

    {
        CScopedPen pen(surface, Pen::Solid(kWireColor));
        const std::vector<Point2f>& p = m_projectedPoints;
        const std::size_t n = p.size();
        for (std::size_t i = 0; i + 1 < n; ++i) DrawSegment(surface, p[i], p[i + 1]);
        if (n > 0) {
            // Any cut length, even one the table could not have produced,
            // names a point of the pattern.
            long long step = pointsPerCut % static_cast<long long>(n);
            if (step < 0) step += static_cast<long long>(n);
            for (std::size_t i = 0; i < n; ++i) {
                DrawSegment(surface, p[i], p[(i + static_cast<std::size_t>(step)) % n]);
            }
        }
    }

    DrawAxes(surface);
}

void CPlotDlg::SetSliceMode(SliceMode mode) {
    m_sliceMode = mode;
    UpdateProjection();
}

void CPlotDlg::OnSliceXZ() { SetSliceMode(SliceMode::SliceXZ); }
void CPlotDlg::OnSliceYZ() { SetSliceMode(SliceMode::SliceYZ); }
void CPlotDlg::OnSliceXY() { SetSliceMode(SliceMode::SliceXY); }
void CPlotDlg::OnViewFullPattern() { SetSliceMode(SliceMode::FullPattern); }

bool CPlotDlg::OnCmdMsg(int id, bool execute) {
    static constexpr CommandEntry<CPlotDlg> kCommands[] = {
        {ID_SLICE_XZ, &CPlotDlg::OnSliceXZ},
        {ID_SLICE_YZ, &CPlotDlg::OnSliceYZ},
        {ID_SLICE_XY, &CPlotDlg::OnSliceXY},
        {ID_FULL_PATTERN, &CPlotDlg::OnViewFullPattern},
    };
    return DispatchCommand(*this, kCommands, id, execute) || CPlotWindow::OnCmdMsg(id, execute);
}
