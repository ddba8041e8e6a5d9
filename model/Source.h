#pragma once

#include "model/Element.h"

// A voltage source: one EX card. A point shown as a small plus sign; it feeds
// the wire whose end its centre sits on when the deck is written.
class CSource : public CElement {
  public:
    CSource(float x, float y, float z, float magnitude, float phase);

    using CElement::Draw;
    using CElement::HitEnd;
    using CElement::HitStart;
    using CElement::HitTest;

    void Draw(CDrawingSurface& surface, bool highlight, int mode,
              const CViewScale& view) const override;
    void SetProperties(CDrawingSurface& surface, float magnitude, float phase, float unusedC,
                       float unusedD) override;
    // The body: a square of ten pixels around the centre.
    bool HitTest(CPoint pixel, const CViewScale& view) const override;
    bool HitStart(CPoint pixel, const CViewScale& view) const override {
        return HitTest(pixel, view);
    }
    bool HitEnd(CPoint pixel, const CViewScale& view) const override {
        return HitTest(pixel, view);
    }
    void MoveStartTo(CPointF point, CDrawingSurface& surface, bool dragging) override;
    std::string GetCardText(int tag, int segment, int originX, int originY) const override;

    float GetZ() const { return m_z1; }

  private:
    void PlaceArms();
    void DrawArms(CDrawingSurface& surface, const CViewScale& view) const;
};
