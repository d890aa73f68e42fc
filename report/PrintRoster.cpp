#include "PrintLoop.h"

#include "ArmyDocument.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

namespace {

// The value of the bold sample text "Ä/2D6g" in Windows-1252: its measure
// gives the width of a value column and the height of every row.
constexpr const char kSampleText[] = "\xC4/2D6g";

constexpr unsigned kOneLine = kTextSingleLine;
constexpr unsigned kOneLineVCentred = kTextSingleLine | kTextVCentre;

constexpr const char kBelowMinimum[] = " less than minimum units.";

// The value columns of a row start here; the name column ends here.
constexpr std::int32_t kValueColumnsLeft = 200;

// The longest start of the text that, followed by "...", ends at or before
// `right` when drawn on one line from cell.left in the selected font; only
// as many dots as fit when not even "..." does. The bytes are single
// characters (Windows-1252), so any start is whole characters.
std::string Elided(PrintSurface& surface, std::string_view text, const Rect& cell, std::int32_t right) {
    const auto fits = [&](const std::string& candidate) {
        return surface.MeasureText(candidate, cell, kTextSingleLine).Width() <=
               right - std::int64_t(cell.left);
    };
    const auto shortened = [&](std::size_t length) {
        std::string_view start = text.substr(0, length);
        while (!start.empty() && start.back() == ' ')
            start.remove_suffix(1);
        return std::string(start) + "...";
    };
    // Widths grow with the length: the longest start that fits, by halving.
    std::size_t fitting = 0;
    std::size_t tooLong = text.size();
    if (!fits(shortened(0))) {
        std::string dots = "..";
        while (!dots.empty() && !fits(dots))
            dots.pop_back();
        return dots;
    }
    while (tooLong - fitting > 1) {
        const std::size_t middle = fitting + (tooLong - fitting) / 2;
        (fits(shortened(middle)) ? fitting : tooLong) = middle;
    }
    return shortened(fitting);
}

// The totals line is this high, and this much room stays free at the foot of every page.
constexpr std::int32_t kTotalsHeight = 30;

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value))
        return 0;
    using Limits = std::numeric_limits<std::int32_t>;
    return static_cast<std::int32_t>(std::clamp(value, double(Limits::min()), double(Limits::max())));
}

std::int32_t Add(std::int64_t a, std::int64_t b) {
    return ClampToInt32(a + b);
}

// The layout of one roster on pages of one size. Every pass lays the roster
// out from the first page; a page that is not drawn is only measured, and a
// page that is only measured places its elements differently by a rounding
// unit here and there, which can move the break after it. So a pass that
// draws page n always lays out pages 1 to n-1 as a counting pass does.
class PageLayout {
public:
    PageLayout(const Roster& roster, PrintSurface& surface, const Rect& printableArea);

    // Lays out from the first page, drawing page `target` when `draw` is set;
    // stops once a page after `target` is started and returns the pages started.
    std::int32_t LayOutTo(std::int32_t target, bool draw);
    // Counts the pages as the page-by-page loop does, remembering where each begins.
    std::int32_t Count();
    // Draws page k (from 1 to Count()) as the page-by-page loop draws it.
    void DrawPage(std::int32_t k);

    std::optional<std::size_t> rowTooTall() const { return rowTooTall_; }

private:
    enum class StepKind { Entry, Totals, Warnings, Paragraph };
    struct Step {
        StepKind kind = StepKind::Totals;
        std::size_t index = 0; // Entry: its unit row; Paragraph: the paragraph
        std::size_t rows = 0;  // Entry: the unit row with its mount and runners rows
    };
    // Where a page's content begins: at a step, or inside a warnings or
    // paragraph step that was measured on the page before and moved here.
    struct PageStart {
        std::size_t step = 0;
        bool moved = false;
        std::int64_t need = 0;
    };

    // Lays out from `start` on the page after page_; returns the pages started.
    std::int32_t Run(const PageStart& start);
    std::int32_t Measure(const Step& step);
    void Draw(const Step& step);
    // Starts a page; false when the layout must stop.
    bool NewPage();

    // The elements; each returns the height it takes, only measuring unless `draw`.
    std::int32_t Header(bool draw);
    std::int32_t Heading(const RosterRow& heading, bool draw);
    std::int32_t Entry(const Step& step, bool draw);
    std::int32_t Row(const RosterRow& row, bool withRemarks, bool draw);
    std::int32_t Totals(bool draw);
    std::int32_t Paragraph(bool highlight, const std::string& title, const std::string& body, bool draw,
                           bool selectFonts);

    std::int32_t ToDevice(std::int32_t units) const { return UnitsToDevice(units, scale_); }
    std::int32_t ToUnits(std::int32_t device) const { return DeviceToUnits(device, scale_); }
    Rect ToDevice(const Rect& units) const;
    Rect ToUnits(const Rect& device) const;

    const Roster& roster_;
    PrintSurface& surface_;
    Rect area_;
    double scale_;
    std::vector<Step> steps_;
    std::vector<std::size_t> headingOf_; // the group heading of each row

    std::int32_t position_ = 0;       // layout units; the top of the free space on the page
    std::int32_t lastBottomEdge_ = 0; // device pixels; bottom of the last box or paragraph drawn
    std::int32_t page_ = 0;           // pages started in this pass
    bool drawing_ = false;            // the page being laid out is drawn
    bool placedOnPage_ = false;       // an entry stands on the page
    std::int64_t remaining_ = 0;      // layout units still free on the page
    // The page the pass draws and prints in the header.
    std::int32_t target_ = 1;
    bool draw_ = false;
    PageStart pending_;                        // where the page being started begins
    std::vector<PageStart>* starts_ = nullptr; // filled while counting
    std::vector<PageStart> pageStarts_;
    std::optional<std::size_t> rowTooTall_;
};

PageLayout::PageLayout(const Roster& roster, PrintSurface& surface, const Rect& printableArea)
    : roster_(roster), surface_(surface), area_(printableArea), scale_(printableArea.Width() * 0.001) {
    const std::vector<RosterRow>& rows = roster.rows;
    headingOf_.resize(rows.size());
    std::size_t heading = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        switch (rows[i].kind()) {
        case RosterRowKind::Heading:
            heading = i;
            break;
        case RosterRowKind::Unit:
            steps_.push_back({StepKind::Entry, i, 1});
            break;
        case RosterRowKind::Mount:
        case RosterRowKind::Runners:
            if (!steps_.empty())
                ++steps_.back().rows;
            break;
        }
        headingOf_[i] = heading;
    }
    steps_.push_back({StepKind::Totals});
    steps_.push_back({StepKind::Warnings});
    for (std::size_t i = 0; i < roster.information.size(); ++i)
        steps_.push_back({StepKind::Paragraph, i});
}

Rect PageLayout::ToDevice(const Rect& units) const {
    return {ToDevice(units.left), ToDevice(units.top), ToDevice(units.right), ToDevice(units.bottom)};
}

Rect PageLayout::ToUnits(const Rect& device) const {
    return {ToUnits(device.left), ToUnits(device.top), ToUnits(device.right), ToUnits(device.bottom)};
}

// ---------------------------------------------------------------- pages

std::int32_t PageLayout::LayOutTo(std::int32_t target, bool draw) {
    if (area_.Width() <= 0)
        return 0;
    target_ = target;
    draw_ = draw;
    page_ = 0;
    rowTooTall_.reset();
    return Run({});
}

std::int32_t PageLayout::Count() {
    pageStarts_.clear();
    starts_ = &pageStarts_;
    const std::int32_t started = LayOutTo(kMaxPrintPages - 1, false);
    starts_ = nullptr;
    return std::min({started, kMaxPrintPages, static_cast<std::int32_t>(pageStarts_.size())});
}

void PageLayout::DrawPage(std::int32_t k) {
    target_ = k;
    draw_ = true;
    page_ = k - 1;
    Run(pageStarts_[static_cast<std::size_t>(k) - 1]);
}

std::int32_t PageLayout::Run(const PageStart& start) {
    std::optional<Code> lastKind;
    std::size_t i = start.step;
    pending_ = start;
    if (!NewPage())
        return page_;
    if (start.moved && i < steps_.size()) {
        if (drawing_)
            Draw(steps_[i]);
        remaining_ -= start.need;
        ++i;
    }
    while (i < steps_.size()) {
        const Step& step = steps_[i];
        switch (step.kind) {
        case StepKind::Entry: {
            const RosterRow& unit = roster_.rows[step.index];
            const RosterRow& heading = roster_.rows[headingOf_[step.index]];
            const bool newKind = lastKind != unit.troopKind();
            std::int64_t need = newKind ? Heading(heading, false) : 0;
            need += Entry(step, false);
            if (need <= remaining_) {
                if (drawing_) {
                    if (newKind)
                        remaining_ -= Heading(heading, true);
                    remaining_ -= Entry(step, true);
                } else {
                    remaining_ -= need;
                }
                lastKind = unit.troopKind();
                placedOnPage_ = true;
                ++i;
            } else if (!placedOnPage_) {
                // Taller than an empty page: no later page would hold it either.
                rowTooTall_ = step.index;
                return page_;
            } else {
                // The entry goes to the next page, under a repeated heading.
                pending_ = {i, false, 0};
                if (!NewPage())
                    return page_;
                lastKind.reset();
            }
            break;
        }
        case StepKind::Totals:
            remaining_ -= Totals(drawing_);
            ++i;
            break;
        case StepKind::Warnings:
        case StepKind::Paragraph: {
            // Moved to the next page as one block when it does not fit.
            const std::int32_t need = Measure(step);
            if (need > remaining_) {
                pending_ = {i, true, need};
                if (!NewPage())
                    return page_;
            }
            if (drawing_)
                Draw(step);
            remaining_ -= need;
            ++i;
            break;
        }
        }
    }
    return page_;
}

std::int32_t PageLayout::Measure(const Step& step) {
    // Measuring moves the position 2 units down for each paragraph measured,
    // and drawing adds 2 more above each: a step is charged all of the space
    // it is drawn in, measured where it will be drawn, so that nothing runs
    // past the foot of the page.
    const std::int32_t before = position_;
    std::int64_t paragraphs = 1;
    if (step.kind == StepKind::Warnings)
        paragraphs = static_cast<std::int64_t>(roster_.belowMinimum.size());
    const std::int32_t drawnFrom = Add(before, 2 * paragraphs);
    position_ = drawnFrom;
    if (step.kind == StepKind::Warnings) {
        for (const std::string& name : roster_.belowMinimum)
            position_ = Add(position_, Paragraph(true, name, kBelowMinimum, false, false));
    } else {
        const InfoParagraph& p = roster_.information[step.index];
        position_ = Add(position_, Paragraph(p.highlight, p.title, p.body, false, true));
    }
    const std::int32_t need = Add(position_, -std::int64_t(before));
    position_ = drawnFrom;
    return need;
}

void PageLayout::Draw(const Step& step) {
    if (step.kind == StepKind::Warnings) {
        // Drawn in whatever font is selected: the bold one of the totals line.
        for (const std::string& name : roster_.belowMinimum)
            Paragraph(true, name, kBelowMinimum, true, false);
    } else if (step.kind == StepKind::Paragraph) {
        const InfoParagraph& p = roster_.information[step.index];
        Paragraph(p.highlight, p.title, p.body, true, true);
    }
}

bool PageLayout::NewPage() {
    position_ = 0;
    lastBottomEdge_ = 0;
    remaining_ = std::int64_t(ToUnits(area_.Height())) - 2 - Totals(false);
    ++page_;
    drawing_ = page_ == target_ && draw_;
    placedOnPage_ = false;
    if (starts_ != nullptr)
        starts_->push_back(pending_);
    remaining_ -= Header(drawing_);
    // The page cap also stops a pass whose target page is absurdly high.
    return target_ >= page_ && page_ <= kMaxPrintPages;
}

// ---------------------------------------------------------------- elements

std::int32_t PageLayout::Header(bool draw) {
    position_ = 0;
    lastBottomEdge_ = 0;
    surface_.SelectFont(PrintFont::Bold);
    const std::string& title = roster_.title;
    const std::string pageText = "Page : " + std::to_string(target_);
    const Rect measureRect{0, 0, ToDevice(1000), ToDevice(1000)};
    const Rect titleSize = surface_.MeasureText(title, measureRect, kOneLine);
    const Rect pageSize = surface_.MeasureText(pageText, measureRect, kOneLine);
    const std::int32_t band = Add(ToUnits(titleSize.Height()), 4);
    if (!draw)
        return band;

    position_ = band;
    const Rect box = ToDevice(Rect{0, 0, 1000, band});
    lastBottomEdge_ = box.bottom;
    surface_.DrawRectangle(box);
    Rect titleRect = box;
    titleRect.left = ToDevice(4);
    surface_.DrawText(title, titleRect, kOneLineVCentred);
    const Rect pageRect{Add(996, -std::int64_t(ToUnits(pageSize.Width()))), ToUnits(2), 996,
                        Add(ToUnits(pageSize.Height()), 4)};
    surface_.DrawText(pageText, ToDevice(pageRect), kOneLineVCentred | kTextRight);
    return band;
}

std::int32_t PageLayout::Heading(const RosterRow& heading, bool draw) {
    if (draw)
        position_ = Add(position_, 2);
    surface_.SelectFont(PrintFont::Bold);
    // A troop kind without a heading row still gets the space above one.
    const std::int32_t row = heading.name().empty() ? 0 : Row(heading, false, draw);
    return Add(row, 2);
}

std::int32_t PageLayout::Entry(const Step& step, bool draw) {
    // Each row overlaps the one above it by one unit, in the text font.
    std::int64_t height = 0;
    for (std::size_t r = step.index; r < step.index + step.rows; ++r) {
        surface_.SelectFont(PrintFont::Text);
        if (draw)
            position_ = Add(position_, -1);
        height += -1 + std::int64_t(Row(roster_.rows[r], true, draw));
    }
    return ClampToInt32(height);
}

std::int32_t PageLayout::Row(const RosterRow& row, bool withRemarks, bool draw) {
    PrintSurface& surface = surface_;
    const PrintFont previous = surface.SelectFont(PrintFont::Bold);
    const Rect sample =
        surface.MeasureText(kSampleText, Rect{0, 0, ToDevice(1000), ToDevice(1000)}, kOneLine);
    surface.SelectFont(previous);
    const std::int32_t columnWidth = ToUnits(sample.Width());
    const std::int32_t rowHeight = Add(ToUnits(sample.Height()), 5);
    if (!draw)
        return rowHeight;

    Rect box = ToDevice(Rect{8, position_, 996, Add(position_, rowHeight)});
    // The box shares its top border with the element above.
    box.top = Add(lastBottomEdge_, -1);
    lastBottomEdge_ = box.bottom;
    position_ = Add(position_, rowHeight);
    surface.DrawRectangle(box);

    Rect nameCell = box;
    nameCell.left = ToDevice(Add(16, 8 * std::int64_t(row.Indent())));
    // A name that would run into the value columns is cut short with "...",
    // which ends as far before the first column's line as the remarks start
    // after the last one; a name that fits is drawn in the whole row as ever.
    const std::int32_t nameRight = ToDevice(kValueColumnsLeft);
    std::string shortened;
    std::string_view name = row.name();
    if (surface.MeasureText(name, nameCell, kOneLine).Width() > nameRight - std::int64_t(nameCell.left)) {
        shortened = Elided(surface, name, nameCell, Add(nameRight, -std::int64_t(ToDevice(4))));
        name = shortened;
        nameCell.right = nameRight;
    }
    if (row.overMaximum())
        surface.SetTextColour(kRed);
    surface.DrawText(name, nameCell, kOneLineVCentred);
    surface.SetTextColour(kBlack);

    const RowCells cells = row.Cells();
    Rect cell{nameRight, box.top, ToDevice(Add(kValueColumnsLeft, columnWidth)), box.bottom};
    const std::int32_t step = ToDevice(columnWidth);
    const std::int32_t lineBottom = Add(box.bottom, -1);
    surface.MoveTo(cell.left, cell.top);
    surface.LineTo(cell.left, lineBottom);
    std::int32_t lastValueRight = cell.right;
    for (std::size_t i = 0; i < 7; ++i) {
        surface.DrawText(cells[i], cell, kOneLineVCentred | kTextCentre);
        surface.MoveTo(cell.right, cell.top);
        surface.LineTo(cell.right, lineBottom);
        lastValueRight = cell.right;
        cell.left = Add(cell.left, step);
        cell.right = Add(cell.right, step);
    }
    // Heading rows have no remarks cell.
    if (withRemarks) {
        const Rect remarks{Add(lastValueRight, ToDevice(4)), box.top, ToDevice(992), box.bottom};
        surface.DrawText(cells[7], remarks, kOneLineVCentred);
    }
    surface.SelectFont(PrintFont::Text);
    return rowHeight;
}

std::int32_t PageLayout::Totals(bool draw) {
    if (!draw)
        return kTotalsHeight;
    PrintSurface& surface = surface_;
    const RosterTotals& totals = roster_.totals;
    surface.SelectFont(PrintFont::Bold);
    const std::string total = " " + std::to_string(totals.points);
    const std::string rest = " out of " + std::to_string(totals.pointsLimit) +
                             " points and a breakpoint of " + std::to_string(totals.breakPoint) + ".";
    const std::string line = "Total :" + total + rest;
    const Rect size = surface.MeasureText(line, Rect{0, 0, ToDevice(1000), ToDevice(1000)}, kOneLine);
    // Right-aligned at 996 units, with only the total in red when over the limit.
    surface.MoveTo(Add(ToDevice(996), -std::int64_t(size.Width())), ToDevice(Add(position_, 3)));
    surface.DrawTextAtCurrentPoint("Total :");
    if (totals.overLimit)
        surface.SetTextColour(kRed);
    surface.DrawTextAtCurrentPoint(total);
    if (totals.overLimit)
        surface.SetTextColour(kBlack);
    surface.DrawTextAtCurrentPoint(rest);
    position_ = Add(position_, kTotalsHeight);
    return kTotalsHeight;
}

std::int32_t PageLayout::Paragraph(bool highlight, const std::string& title, const std::string& body,
                                   bool draw, bool selectFonts) {
    PrintSurface& surface = surface_;
    if (selectFonts) {
        surface.SelectFont(PrintFont::Bold);
        surface.SetTransparentBackground();
    }
    position_ = Add(position_, 2);
    const std::int32_t start = position_;

    const Rect titleRect = ToDevice(Rect{8, position_, 996, Add(position_, 100)});
    if (highlight)
        surface.SetTextColour(kRed);
    const Rect titleSize = surface.MeasureText(title, titleRect, kOneLine);
    if (draw)
        surface.DrawText(title, titleRect, kOneLine);
    surface.SetTextColour(kBlack);

    Rect bodyUnits = ToUnits(titleSize);
    bodyUnits.right = 996;
    bodyUnits.bottom = Add(bodyUnits.bottom, 10000);
    Rect bodyRect = ToDevice(bodyUnits);
    if (selectFonts)
        surface.SelectFont(PrintFont::Text);

    // Spaces before the body move its first line right of the title.
    const std::int32_t spaceWidth = surface.MeasureText(" ", Rect{0, 0, 10000, 10000}, kOneLine).Width();
    std::string padded;
    if (spaceWidth > 0 && titleSize.right > 0)
        padded.assign(static_cast<std::size_t>(titleSize.right / spaceWidth), ' ');
    padded += body;

    const Rect bodySize = surface.MeasureText(padded, bodyRect, kTextWordBreak);
    bodyRect.bottom = Add(bodyRect.top, bodySize.Height());
    if (draw)
        surface.DrawText(padded, bodyRect, kTextWordBreak);

    position_ = ToUnits(bodyRect.bottom);
    lastBottomEdge_ = bodyRect.bottom;
    const std::int32_t result = Add(position_, -std::int64_t(start));
    if (!draw)
        position_ = start;
    return result;
}

} // namespace

std::int32_t UnitsToDevice(std::int32_t units, double scale) {
    return TruncateToInt32(units * scale + 0.5);
}

std::int32_t DeviceToUnits(std::int32_t device, double scale) {
    if (!(scale > 0))
        return 0;
    return TruncateToInt32((scale * 0.5 + device) / scale);
}

PrintOutcome PrintRoster(const Roster& roster, PrintSurface& surface, const Rect& printableArea,
                         PageRange range) {
    PageLayout layout(roster, surface, printableArea);
    PrintOutcome outcome;
    const std::int32_t pages = layout.Count();
    outcome.rowTooTall = layout.rowTooTall();
    for (std::int32_t k = std::max(range.first, 1); k <= std::min(range.last, pages); ++k) {
        if (outcome.pages > 0)
            surface.NewSheet();
        layout.DrawPage(k);
        ++outcome.pages;
    }
    return outcome;
}

PrintOutcome CountRosterPages(const Roster& roster, PrintSurface& surface, const Rect& printableArea) {
    PageLayout layout(roster, surface, printableArea);
    const std::int32_t pages = layout.Count();
    return {pages, layout.rowTooTall()};
}

PrintOutcome PrintRoster(const ArmyDocument& document, PrintSurface& surface, const Rect& printableArea,
                         std::optional<InfoChoice> info) {
    return PrintRoster(ComposeRoster(document, EffectiveInfoChoice(info)), surface, printableArea);
}

PrintOutcome LayOutToPage(const Roster& roster, PrintSurface& surface, const PrintJob& job, bool draw) {
    PageLayout layout(roster, surface, job.printableArea);
    const std::int32_t pages = layout.LayOutTo(job.currentPage, draw);
    return {pages, layout.rowTooTall()};
}

PrintOutcome PrintPageByPage(const Roster& roster, PrintSurface& surface, PrintJob job) {
    PrintOutcome outcome;
    for (std::int32_t n = 1; n <= kMaxPrintPages; ++n) {
        job.currentPage = kMaxPrintPages - 1;
        const PrintOutcome counted = LayOutToPage(roster, surface, job, false);
        outcome.rowTooTall = counted.rowTooTall;
        job.currentPage = n;
        if (counted.pages < n)
            break;
        if (n > 1)
            surface.NewSheet();
        LayOutToPage(roster, surface, job, true);
        outcome.pages = n;
    }
    return outcome;
}

} // namespace ovra
