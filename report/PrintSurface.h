// The drawing surface the printed roster is laid out against: text measuring
// and drawing, boxes, lines, fonts and colours, in device pixels. The GUI
// implements it over a painter on a printer (or a PDF); tests record calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovra {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Text layout flags, combined with |.
enum TextFlags : unsigned {
    kTextLeft = 0,
    kTextCentre = 1u << 0,     // centred horizontally
    kTextRight = 1u << 1,      // right-aligned
    kTextVCentre = 1u << 2,    // centred vertically (single line only)
    kTextSingleLine = 1u << 3, // one line, no breaks
    kTextWordBreak = 1u << 4,  // wrapped at word boundaries to the rectangle's width
};

enum class PrintFont { Bold, Text };

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kRed{255, 0, 0};

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Selects a font and returns the one that was selected before.
    virtual PrintFont SelectFont(PrintFont font) = 0;
    // Sets the text colour and returns the previous one.
    virtual Colour SetTextColour(Colour colour) = 0;
    // Text is drawn without filling its background from now on.
    virtual void SetTransparentBackground() = 0;

    // The rectangle the text needs, placed at the rectangle's top-left corner:
    // for a single line its width and line height; when wrapping, the
    // rectangle's width and the height of the wrapped lines. Texts are bytes
    // in Windows-1252.
    virtual Rect MeasureText(std::string_view text, const Rect& rect, unsigned flags) = 0;
    virtual void DrawText(std::string_view text, const Rect& rect, unsigned flags) = 0;
    // Draws text with its top-left corner at the current point and moves the
    // current point right by the text's width.
    virtual void DrawTextAtCurrentPoint(std::string_view text) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // A box with the default pen (black, one pixel) and a white fill.
    virtual void DrawRectangle(const Rect& rect) = 0;
    // Starts a new sheet; called before every page after the first that is drawn.
    virtual void NewSheet() = 0;
};

} // namespace ovra
