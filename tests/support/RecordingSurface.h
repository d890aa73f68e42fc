// A PrintSurface for tests: fixed, simple text metrics, and a record of every
// call with the font, colour and sheet in force when it was made.
//
// Metrics: every byte is 6 pixels wide in the bold font and 5 in the text
// font; a line is 14 pixels high. A single-line text measures its width by
// 14. A wrapped text measures the rectangle's width by 14 per line: the text
// is split into lines at LF (a CR before it is dropped), and each line is
// filled greedily word by word (words are separated by single blanks, so a
// run of blanks counts each blank); a word wider than the rectangle gets a
// line of its own. An empty text wraps to no lines.
#pragma once

#include "PrintSurface.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace ovra::test {

struct SurfaceCall {
    enum class Op {
        SelectFont,
        SetTextColour,
        Transparent,
        Measure,
        DrawText,
        DrawAtPoint,
        MoveTo,
        LineTo,
        Rectangle,
        NewSheet
    };
    Op op = Op::NewSheet;
    std::string text;
    Rect rect;
    unsigned flags = 0;
    int x = 0;
    int y = 0;
    PrintFont font = PrintFont::Text; // the font in force (for SelectFont: the one selected)
    Colour colour = kBlack;           // the colour in force (for SetTextColour: the one set)
    int sheet = 0;                    // 0 for the first sheet, counting NewSheet calls

    bool IsDrawing() const {
        return op == Op::DrawText || op == Op::DrawAtPoint || op == Op::MoveTo || op == Op::LineTo ||
               op == Op::Rectangle;
    }
};

// A readable one-line form, used to compare and to show differences.
inline std::string Describe(const SurfaceCall& c) {
    std::ostringstream s;
    const auto rect = [&](const Rect& r) {
        s << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
    };
    const char* font = c.font == PrintFont::Bold ? "bold" : "text";
    const bool red = c.colour == kRed;
    switch (c.op) {
    case SurfaceCall::Op::SelectFont:
        s << "font " << font;
        break;
    case SurfaceCall::Op::SetTextColour:
        s << "colour " << (red ? "red" : c.colour == kBlack ? "black" : "other");
        break;
    case SurfaceCall::Op::Transparent:
        s << "transparent";
        break;
    case SurfaceCall::Op::Measure:
        s << "measure '" << c.text << "' " << c.flags << ' ';
        rect(c.rect);
        break;
    case SurfaceCall::Op::DrawText:
        s << "text '" << c.text << "' " << c.flags << ' ' << font << (red ? " red " : " ");
        rect(c.rect);
        break;
    case SurfaceCall::Op::DrawAtPoint:
        s << "at " << c.x << ',' << c.y << " '" << c.text << "' " << font << (red ? " red" : "");
        break;
    case SurfaceCall::Op::MoveTo:
        s << "move " << c.x << ',' << c.y;
        break;
    case SurfaceCall::Op::LineTo:
        s << "line " << c.x << ',' << c.y;
        break;
    case SurfaceCall::Op::Rectangle:
        s << "box ";
        rect(c.rect);
        break;
    case SurfaceCall::Op::NewSheet:
        s << "sheet";
        break;
    }
    return s.str();
}

class RecordingSurface : public PrintSurface {
public:
    static constexpr int kLineHeight = 14;

    static int CharWidth(PrintFont font) { return font == PrintFont::Bold ? 6 : 5; }
    int TextWidth(std::string_view text) const { return static_cast<int>(text.size()) * CharWidth(font_); }

    PrintFont SelectFont(PrintFont font) override {
        const PrintFont previous = font_;
        font_ = font;
        Record(SurfaceCall::Op::SelectFont);
        return previous;
    }
    Colour SetTextColour(Colour colour) override {
        const Colour previous = colour_;
        colour_ = colour;
        Record(SurfaceCall::Op::SetTextColour);
        return previous;
    }
    void SetTransparentBackground() override { Record(SurfaceCall::Op::Transparent); }

    Rect MeasureText(std::string_view text, const Rect& rect, unsigned flags) override {
        Record(SurfaceCall::Op::Measure, text, rect, flags);
        return Measure(text, rect, flags);
    }
    void DrawText(std::string_view text, const Rect& rect, unsigned flags) override {
        Record(SurfaceCall::Op::DrawText, text, rect, flags);
    }
    void DrawTextAtCurrentPoint(std::string_view text) override {
        Record(SurfaceCall::Op::DrawAtPoint, text, {}, 0, x_, y_);
        x_ += TextWidth(text);
    }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
        Record(SurfaceCall::Op::MoveTo, {}, {}, 0, x, y);
    }
    void LineTo(int x, int y) override {
        x_ = x;
        y_ = y;
        Record(SurfaceCall::Op::LineTo, {}, {}, 0, x, y);
    }
    void DrawRectangle(const Rect& rect) override { Record(SurfaceCall::Op::Rectangle, {}, rect); }
    void NewSheet() override {
        ++sheet_;
        Record(SurfaceCall::Op::NewSheet);
    }

    // The size the metrics give, without recording.
    Rect Measure(std::string_view text, const Rect& rect, unsigned flags) const {
        if ((flags & kTextWordBreak) == 0)
            return {rect.left, rect.top, rect.left + TextWidth(text), rect.top + kLineHeight};
        return {rect.left, rect.top, rect.right, rect.top + kLineHeight * WrappedLines(text, rect.Width())};
    }

    int WrappedLines(std::string_view text, int width) const {
        if (text.empty())
            return 0;
        int lines = 0;
        std::size_t start = 0;
        while (true) {
            std::size_t end = text.find('\n', start);
            std::string_view line =
                text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines += WrapLine(line, width);
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
        return lines;
    }

    std::vector<SurfaceCall> calls;

    // The drawing calls (text, lines, boxes) on one sheet, or on all for -1.
    std::vector<SurfaceCall> Drawn(int sheet = -1) const {
        std::vector<SurfaceCall> drawn;
        for (const SurfaceCall& c : calls)
            if (c.IsDrawing() && (sheet < 0 || c.sheet == sheet))
                drawn.push_back(c);
        return drawn;
    }
    std::vector<std::string> DrawnDescribed(int sheet = -1) const {
        std::vector<std::string> out;
        for (const SurfaceCall& c : Drawn(sheet))
            out.push_back(Describe(c));
        return out;
    }
    // The texts drawn with DrawText, in order.
    std::vector<std::string> DrawnTexts(int sheet = -1) const {
        std::vector<std::string> out;
        for (const SurfaceCall& c : Drawn(sheet))
            if (c.op == SurfaceCall::Op::DrawText)
                out.push_back(c.text);
        return out;
    }
    const SurfaceCall* FindDrawnText(std::string_view text, int sheet = -1) const {
        for (const SurfaceCall& c : calls)
            if (c.op == SurfaceCall::Op::DrawText && c.text == text && (sheet < 0 || c.sheet == sheet))
                return &c;
        return nullptr;
    }
    int sheets() const { return sheet_ + 1; }
    void Clear() {
        calls.clear();
        sheet_ = 0;
    }

private:
    int WrapLine(std::string_view line, int width) const {
        int lines = 1;
        int used = -1; // no word on the line yet
        std::size_t start = 0;
        while (true) {
            const std::size_t end = line.find(' ', start);
            const std::string_view word =
                line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
            const int w = TextWidth(word);
            if (used < 0) {
                used = w;
            } else if (used + CharWidth(font_) + w <= width) {
                used += CharWidth(font_) + w;
            } else {
                ++lines;
                used = w;
            }
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
        return lines;
    }

    void Record(SurfaceCall::Op op, std::string_view text = {}, Rect rect = {}, unsigned flags = 0, int x = 0,
                int y = 0) {
        SurfaceCall c;
        c.op = op;
        c.text.assign(text);
        c.rect = rect;
        c.flags = flags;
        c.x = x;
        c.y = y;
        c.font = font_;
        c.colour = colour_;
        c.sheet = sheet_;
        calls.push_back(std::move(c));
    }

    PrintFont font_ = PrintFont::Text;
    Colour colour_ = kBlack;
    int sheet_ = 0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace ovra::test
