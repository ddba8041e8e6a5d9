#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/DrawingSurface.h"
#include "model/Point.h"

struct RecordedLine {
    CPoint from, to;
    PenColor color;
    friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

using RecordedText = std::pair<CPoint, std::string>;  // top left corner, text

// A drawing surface that records every visible line with its colour. Lines
// traced with a null pen are counted but leave nothing, as on a screen.
class CRecordingSurface : public CDrawingSurface {
  public:
    Pen SelectPen(const Pen& pen) override { return std::exchange(m_pen, pen); }
    void MoveTo(int x, int y) override { m_current = CPoint{x, y}; }
    void LineTo(int x, int y) override {
        if (m_pen.style == PenStyle::Solid) m_lines.push_back({m_current, {x, y}, m_pen.color});
        ++m_tracedLines;
        m_current = CPoint{x, y};
    }
    void TextOut(int x, int y, std::string_view text) override {
        m_texts.push_back({{x, y}, std::string(text)});
    }

    const std::vector<RecordedLine>& Lines() const { return m_lines; }
    const std::vector<RecordedText>& Texts() const { return m_texts; }
    int TracedLines() const { return m_tracedLines; }
    const Pen& CurrentPen() const { return m_pen; }

  private:
    Pen m_pen = Pen::Solid(PenColor{1, 2, 3});  // a pen no element uses, to see it restored
    CPoint m_current;
    std::vector<RecordedLine> m_lines;
    std::vector<RecordedText> m_texts;
    int m_tracedLines = 0;
};
