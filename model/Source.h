#pragma once

#include "model/Element.h"

// A voltage source: one EX card. A point shown as a small plus sign; it feeds
// the wire whose end its centre sits on when the deck is written.
class CSource : public CElement {
  public:
    CSource(float x, float y, float z, float magnitude, float phase);

    void Draw(CDrawingSurface& surface, bool highlight, int mode) const override;
    void SetProperties(CDrawingSurface& surface, float magnitude, float phase, float unusedC,
                       float unusedD) override;
    bool HitTest(CPoint point) const override;
    bool HitStart(CPoint point) const override { return HitTest(point); }
    bool HitEnd(CPoint point) const override { return HitTest(point); }
    void MoveStartTo(CPoint point, CDrawingSurface& surface, bool dragging) override;
    std::string GetCardText(int tag, int segment, int originX, int originY) const override;

    float GetZ() const { return m_z1; }

  private:
    void PlaceArms();
    void DrawArms(CDrawingSurface& surface) const;

    float m_x3 = 0;  // tip of the left arm
    float m_y3 = 0;  // tip of the lower arm
};
