// A PrintSurface for tests with fixed metrics: a byte is 6 pixels wide in the
// bold font and 5 in the text font, a line 14 pixels high; wrapped text is
// filled greedily word by word between line feeds (a CR before one is dropped).
// Every drawing call is kept as a line of text on the sheet it was made on.
#pragma once

#include "PrintSurface.h"

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ovra::test {

class RecordingSurface : public PrintSurface {
public:
    std::vector<std::vector<std::string>> sheets{{}};

    PrintFont SelectFont(PrintFont font) override { return std::exchange(font_, font); }
    Colour SetTextColour(Colour colour) override { return std::exchange(colour_, colour); }
    void SetTransparentBackground() override {}

    Rect MeasureText(std::string_view text, const Rect& rect, unsigned flags) override {
        if ((flags & kTextWordBreak) == 0)
            return {rect.left, rect.top, rect.left + Width(text), rect.top + 14};
        return {rect.left, rect.top, rect.right, rect.top + 14 * WrappedLines(text, rect.Width())};
    }
    void DrawText(std::string_view text, const Rect& rect, unsigned flags) override {
        Record("text '", text, "' ", flags, ' ', rect.left, ',', rect.top, ',', rect.right, ',', rect.bottom);
    }
    void DrawTextAtCurrentPoint(std::string_view text) override {
        Record("at ", x_, ',', y_, " '", text, '\'');
        x_ += Width(text);
    }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
        Record("move ", x, ',', y);
    }
    void LineTo(int x, int y) override {
        x_ = x;
        y_ = y;
        Record("line ", x, ',', y);
    }
    void DrawRectangle(const Rect& r) override {
        Record("box ", r.left, ',', r.top, ',', r.right, ',', r.bottom);
    }
    void NewSheet() override { sheets.emplace_back(); }

private:
    int Width(std::string_view text) const {
        return static_cast<int>(text.size()) * (font_ == PrintFont::Bold ? 6 : 5);
    }

    int WrappedLines(std::string_view text, int width) const {
        int lines = text.empty() ? 0 : 1;
        int used = -1; // the width taken on the line; -1 before its first word
        std::size_t start = 0;
        for (std::size_t end = 0; end <= text.size(); ++end) {
            const bool lineEnd = end == text.size() || text[end] == '\n';
            if (!lineEnd && text[end] != ' ')
                continue;
            std::string_view word = text.substr(start, end - start);
            if (lineEnd && word.ends_with('\r'))
                word.remove_suffix(1);
            if (used < 0) {
                used = Width(word);
            } else if (used + Width(" ") + Width(word) <= width) {
                used += Width(" ") + Width(word);
            } else {
                ++lines;
                used = Width(word);
            }
            if (lineEnd && end < text.size()) {
                ++lines;
                used = -1;
            }
            start = end + 1;
        }
        return lines;
    }

    template <typename... Parts> void Record(const Parts&... parts) {
        std::ostringstream line;
        (line << ... << parts);
        line << (font_ == PrintFont::Bold ? " bold" : "") << (colour_ == kRed ? " red" : "");
        sheets.back().push_back(line.str());
    }

    PrintFont font_ = PrintFont::Text;
    Colour colour_ = kBlack;
    int x_ = 0;
    int y_ = 0;
};

} // namespace ovra::test
