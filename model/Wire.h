#pragma once

#include "model/Element.h"

// A straight wire: one GW card. Defined by its start point, length and angle
// (degrees from +x towards +y, so clockwise on the screen); the end point is
// kept consistent with them.
class CWire : public CElement {
  public:
    CWire(float x1, float y1, float z1, float length, float radius, float segments, float angle);

    using CElement::Draw;
    using CElement::HitEnd;
    using CElement::HitStart;
    using CElement::HitTest;

    void Draw(CDrawingSurface& surface, bool highlight, int mode,
              const CViewScale& view) const override;
    void SetProperties(CDrawingSurface& surface, float length, float radius, float segments,
                       float angle) override;
    bool HitTest(CPoint pixel, const CViewScale& view) const override;
    bool HitStart(CPoint pixel, const CViewScale& view) const override;
    bool HitEnd(CPoint pixel, const CViewScale& view) const override;
    void MoveStartTo(CPointF point, CDrawingSurface& surface, bool dragging) override;
    std::string GetCardText(int tag, int segment, int originX, int originY) const override;

    float GetStartZ() const { return m_z1; }
    // Both ends go to height `z`.
    void SetHeight(float z) { m_z1 = m_z2 = z; }
    float GetEndZ() const { return m_z2; }

  private:
    void PlaceEnd(float length, float angle);
};
