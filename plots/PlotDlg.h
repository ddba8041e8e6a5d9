#pragma once

#include <vector>

#include "nec/ListingReader.h"
#include "plots/PatternGeometry.h"
#include "plots/PlotWindow.h"

// The far-field radiation pattern as a wire-frame the user turns: each
// pattern point lies in its direction at a distance proportional to its
// relative field, joined to the next point of the table and to the point of
// the same theta in the next cut. The popup menu zooms and shows one
// principal plane or the full pattern.
class CPlotDlg : public CPlotWindow {
    Q_OBJECT

  public:
    // Keeps its own copy of the pattern.
    explicit CPlotDlg(const PatternResult& pattern);
    ~CPlotDlg() override;

    // "Far-Field Radiation Pattern", from (50, 50) to (400, 400) in the area.
    bool Create(QMdiArea* area) override;

    void UpdateProjection() override;
    void Paint(CDrawingSurface& surface) override;

    void OnSliceXZ();
    void OnSliceYZ();
    void OnSliceXY();
    void OnViewFullPattern();
    bool OnCmdMsg(int id, bool execute) override;

    SliceMode GetSliceMode() const { return m_sliceMode; }
    float GetRadiusScale() const { return m_radiusScale.Value(); }
    const std::vector<Point2f>& ProjectedPoints() const { return m_projectedPoints; }

  protected:
    int PopupIndex() const override { return 0; }
    PlotScale& Scale() override { return m_radiusScale; }

  private:
    void SetSliceMode(SliceMode mode);

    int pointCount;
    SliceMode m_sliceMode = SliceMode::FullPattern;
    std::vector<Point2f> m_projectedPoints;
    std::vector<float> magnitude;
    std::vector<float> theta;
    std::vector<float> phi;
    // The point of the same theta in the next cut is this many points on.
    int pointsPerCut;
    PlotScale m_radiusScale;
    CPatternDirections m_directions;
};
