#include "plots/AntennaPlot.h"

#include <QMdiArea>
#include <QTimer>
#include <algorithm>
#include <string_view>

#include "model/DrawingSurface.h"
#include "ui/MessageBox.h"

namespace {

int CommonCount(const StructureResult& s) {
    const auto size = std::min({s.x1.size(), s.x2.size(), s.y1.size(), s.y2.size(), s.z1.size(),
                                s.z2.size(), static_cast<std::size_t>(std::max(s.wireCount, 0))});
    return static_cast<int>(size);
}

std::string_view Text(const std::array<char, 12>& text) { return {text.data(), text.size()}; }

}  // namespace

CAntennaPlot::CAntennaPlot(const StructureResult& structure)
    : wireCount(CommonCount(structure)),
      m_projectedFirstEnds(static_cast<std::size_t>(wireCount)),
      m_projectedSecondEnds(static_cast<std::size_t>(wireCount)),
      x1(LeadingValues(structure.x1, wireCount)),
      x2(LeadingValues(structure.x2, wireCount)),
      y1(LeadingValues(structure.y1, wireCount)),
      y2(LeadingValues(structure.y2, wireCount)),
      z1(LeadingValues(structure.z1, wireCount)),
      z2(LeadingValues(structure.z2, wireCount)),
      m_zoom(1.0f, std::max(FarthestExtent(x1, y1, z1), FarthestExtent(x2, y2, z2))),
      impedanceImagText(structure.impedanceImagText),
      impedanceRealText(structure.impedanceRealText) {}

CAntennaPlot::~CAntennaPlot() = default;

bool CAntennaPlot::Create(QMdiArea* area) {
    return CreateIn(area, QStringLiteral("Antenna Plot"), QPoint(425, 50));
}

void CAntennaPlot::UpdateProjection() {
    ProjectAxes();
    const float zoom = m_zoom.Value();
    for (std::size_t i = 0; i < m_projectedFirstEnds.size(); ++i) {
        m_projectedFirstEnds[i] = m_camera.Project({x1[i] * zoom, y1[i] * zoom, z1[i] * zoom});
        m_projectedSecondEnds[i] = m_camera.Project({x2[i] * zoom, y2[i] * zoom, z2[i] * zoom});
    }
    // The first projection comes from the first paint, which is under way.
    if (m_projectionReady) repaint();
}

void CAntennaPlot::Paint(CDrawingSurface& surface) {
    surface.TextOut(-160, 140, "Impedance= ");
    surface.TextOut(-80, 140, Text(impedanceRealText));
    surface.TextOut(20, 140, "+ j");
    surface.TextOut(40, 140, Text(impedanceImagText));

    if (!m_projectionReady) UpdateProjection();

    DrawAxes(surface);
    {
        CScopedPen pen(surface, Pen::Solid(kWireColor));
        for (std::size_t i = 0; i < m_projectedFirstEnds.size(); ++i) {
            DrawSegment(surface, m_projectedFirstEnds[i], m_projectedSecondEnds[i]);
        }
    }

    if (!m_projectionReady) {
        m_projectionReady = true;
        // Shown once the paint is complete, never from inside it.
        QTimer::singleShot(0, this, [this] {
            ShowQuadrellInformation(this, QStringLiteral("Use mouse to rotate plots."));
        });
    }
}
