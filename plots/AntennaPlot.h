#pragma once

#include <array>
#include <vector>

#include "nec/ListingReader.h"
#include "plots/PlotWindow.h"

// The antenna's wires as the solver saw them, straight segments in three
// dimensions that the user turns, with the input impedance as one line of
// text. At zoom 1 one deck metre is one pixel, the size the antenna has in
// the editor. At the end of its first paint the window tells the user that
// the plots turn with the mouse.
class CAntennaPlot : public CPlotWindow {
    Q_OBJECT

  public:
    // Keeps its own copy of the wires and the impedance texts.
    explicit CAntennaPlot(const StructureResult& structure);
    ~CAntennaPlot() override;

    // "Antenna Plot", from (425, 50) to (775, 400) in the area.
    bool Create(QMdiArea* area) override;

    void UpdateProjection() override;
    void Paint(CDrawingSurface& surface) override;

    float GetZoom() const { return m_zoom.Value(); }
    const std::vector<Point2f>& ProjectedFirstEnds() const { return m_projectedFirstEnds; }
    const std::vector<Point2f>& ProjectedSecondEnds() const { return m_projectedSecondEnds; }

  protected:
    int PopupIndex() const override { return 1; }
    PlotScale& Scale() override { return m_zoom; }

  private:
    int wireCount;
    std::vector<Point2f> m_projectedFirstEnds;
    std::vector<Point2f> m_projectedSecondEnds;
    std::vector<float> x1, x2, y1, y2, z1, z2;
    PlotScale m_zoom;
    std::array<char, 12> impedanceImagText;
    std::array<char, 12> impedanceRealText;
};
