#pragma once

#include <cstdint>
#include <string_view>

struct PenColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const PenColor&, const PenColor&) = default;
};

enum class PenStyle { Solid, Null };

// Pens are small values: creating one is making the value, destroying it is
// letting it go. Elements only ever use width 1.
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    PenColor color;

    static Pen Solid(PenColor color) { return Pen{PenStyle::Solid, 1, color}; }
    static Pen Null() { return Pen{PenStyle::Null, 1, PenColor{}}; }

    friend bool operator==(const Pen&, const Pen&) = default;
};

inline constexpr PenColor kWireColor{0, 0, 0};
inline constexpr PenColor kSourceColor{0, 255, 0};
inline constexpr PenColor kHighlightColor{255, 0, 0};

// What the elements, the editor and the result windows draw on, in integer
// logical coordinates. The screen and the printer implement it over QPainter;
// tests record on it.
class CDrawingSurface {
  public:
    virtual ~CDrawingSurface() = default;

    // Selects `pen` and returns the pen it replaces.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position to (x, y), which becomes current.
    virtual void LineTo(int x, int y) = 0;
    // Draws every character of `text`, blanks included, in the default font
    // and black, with the top-left corner of the text at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};

// Selects a pen for one drawing call and selects the previous one again when
// it goes out of scope.
class CScopedPen {
  public:
    CScopedPen(CDrawingSurface& surface, const Pen& pen)
        : m_surface(surface), m_previous(surface.SelectPen(pen)) {}
    ~CScopedPen() { m_surface.SelectPen(m_previous); }

    CScopedPen(const CScopedPen&) = delete;
    CScopedPen& operator=(const CScopedPen&) = delete;

  private:
    CDrawingSurface& m_surface;
    Pen m_previous;
};
