#include "PrintReportWriter.h"

#include "ArmyChecker.h"
#include "ArmyDocument.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovra {

namespace {

// The value of the bold sample text "Ä/2D6g" in Windows-1252: its measure
// gives the width of a value column and the height of every row.
constexpr const char kSampleText[] = "\xC4/2D6g";

constexpr unsigned kOneLine = kTextSingleLine;
constexpr unsigned kOneLineVCentred = kTextSingleLine | kTextVCentre;

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t Add(std::int64_t a, std::int64_t b) {
    return ClampToInt32(a + b);
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

PrintReportWriter::PrintReportWriter(PrintSurface& surface, const PrintJob& job, PrintLayoutState& state,
                                     std::optional<InfoChoice> info, const ArmyDocument& document)
    : ReportWriter(document), state_(&state), surface_(&surface), job_(job), info_(info),
      targetPage_(job.currentPage) {
    state_->scale = job.printableArea.Width() * 0.001;
}

Rect PrintReportWriter::ToDevice(const Rect& units) const {
    return {ToDevice(units.left), ToDevice(units.top), ToDevice(units.right), ToDevice(units.bottom)};
}

Rect PrintReportWriter::ToUnits(const Rect& device) const {
    return {ToUnits(device.left), ToUnits(device.top), ToUnits(device.right), ToUnits(device.bottom)};
}

// ---------------------------------------------------------------- pages

std::int32_t PrintReportWriter::LayoutPages(PrintSurface* surface, const PrintJob& job, bool draw) {
    if (surface != nullptr)
        surface_ = surface;
    job_ = job;
    if (job.printableArea.Width() <= 0)
        return 0;
    state_->scale = job.printableArea.Width() * 0.001;
    BuildSteps();
    draw_ = draw;
    page_ = 0;

    if (!job.drawEveryPage) {
        targetPage_ = job.currentPage;
        return Run({});
    }

    // Count as the page-by-page loop does, remembering where each page
    // begins; then draw each page from there. The pages come out exactly as
    // that loop draws them, without laying out the pages before each one.
    std::vector<PageStart> starts;
    pageStarts_ = &starts;
    draw_ = false;
    targetPage_ = kMaxPrintPages - 1;
    const std::int32_t started = Run({});
    pageStarts_ = nullptr;
    const std::int32_t pages = std::min({started, kMaxPrintPages, static_cast<std::int32_t>(starts.size())});
    if (!draw)
        return pages;
    draw_ = true;
    for (std::int32_t k = 1; k <= pages; ++k) {
        if (k > 1)
            surface_->NewSheet();
        targetPage_ = k;
        page_ = k - 1;
        Run(starts[static_cast<std::size_t>(k) - 1]);
    }
    return pages;
}

void PrintReportWriter::BuildSteps() {
    steps_.clear();
    paragraphs_.clear();
    ForEachRosterEntry([&](const TroopTypeRecord&, const UnitEntry& entry) {
        steps_.push_back({StepKind::Entry, &entry, 0});
    });
    steps_.push_back({StepKind::Totals});
    steps_.push_back({StepKind::Warnings});
    const InfoChoice choice = EffectiveInfoChoice(info_);
    if (choice == InfoChoice::Complete) {
        const NationRecord& nation = army().nation();
        paragraphs_.push_back({false, nation.name, nation.info});
    }
    // With None the notes are left out, but the items and engines in use stay.
    for (InfoParagraph& paragraph : InformationParagraphs(choice != InfoChoice::None))
        paragraphs_.push_back(std::move(paragraph));
    for (std::size_t i = 0; i < paragraphs_.size(); ++i)
        steps_.push_back({StepKind::Paragraph, nullptr, i});
}

std::int32_t PrintReportWriter::Run(const PageStart& start) {
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
            const Code kind = step.entry->troopType().troopKind;
            const bool newKind = lastKind != kind;
            std::int64_t need = newKind ? WriteCategoryHeader(kind, false) : 0;
            need += WriteUnit(*step.entry, kUnitIndent, std::nullopt, false);
            if (need <= remaining_) {
                if (drawing_) {
                    if (newKind)
                        remaining_ -= WriteCategoryHeader(kind, true);
                    remaining_ -= WriteUnit(*step.entry, kUnitIndent, std::nullopt, true);
                } else {
                    remaining_ -= need;
                }
                lastKind = kind;
                ++i;
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
            remaining_ -= WriteTotals(drawing_);
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

std::int32_t PrintReportWriter::Measure(const Step& step) {
    if (step.kind == StepKind::Warnings)
        return WriteMinimumWarnings(surface_, false);
    const InfoParagraph& p = paragraphs_[step.paragraph];
    return WriteParagraph(p.highlight, p.title, p.body, false);
}

void PrintReportWriter::Draw(const Step& step) {
    if (step.kind == StepKind::Warnings) {
        WriteMinimumWarnings(surface_, true);
    } else if (step.kind == StepKind::Paragraph) {
        const InfoParagraph& p = paragraphs_[step.paragraph];
        WriteParagraph(p.highlight, p.title, p.body, true);
    }
}

bool PrintReportWriter::NewPage() {
    state_->position = 0;
    state_->lastBottomEdge = 0;
    remaining_ = std::int64_t(ToUnits(job_.printableArea.Height())) - 2 - WriteFooter(targetPage_, false) -
                 WriteTotals(false);
    ++page_;
    drawing_ = page_ == targetPage_ && draw_;
    if (pageStarts_ != nullptr)
        pageStarts_->push_back(pending_);
    remaining_ -= WriteHeader(page_, drawing_);
    // The page cap also stops a job whose current page is set absurdly high.
    return targetPage_ >= page_ && page_ <= kMaxPrintPages;
}

// ---------------------------------------------------------------- elements

std::int32_t PrintReportWriter::WriteHeader(std::int32_t, bool draw) {
    PrintSurface& surface = *surface_;
    state_->position = 0;
    state_->lastBottomEdge = 0;
    surface.SelectFont(PrintFont::Bold);
    const std::string title = document().ArmyTitle();
    const std::string pageText = "Page : " + std::to_string(targetPage_);
    const Rect measureRect{0, 0, ToDevice(1000), ToDevice(1000)};
    const Rect titleSize = surface.MeasureText(title, measureRect, kOneLine);
    const Rect pageSize = surface.MeasureText(pageText, measureRect, kOneLine);
    const std::int32_t band = Add(ToUnits(titleSize.Height()), 4);
    if (!draw)
        return band;

    state_->position = band;
    const Rect box = ToDevice(Rect{0, 0, 1000, band});
    state_->lastBottomEdge = box.bottom;
    surface.DrawRectangle(box);
    Rect titleRect = box;
    titleRect.left = ToDevice(4);
    surface.DrawText(title, titleRect, kOneLineVCentred);
    const Rect pageRect{Add(996, -std::int64_t(ToUnits(pageSize.Width()))), ToUnits(2), 996,
                        Add(ToUnits(pageSize.Height()), 4)};
    surface.DrawText(pageText, ToDevice(pageRect), kOneLineVCentred | kTextRight);
    return band;
}

std::int32_t PrintReportWriter::WriteCategoryHeader(Code troopKind, bool draw) {
    if (draw)
        state_->position = Add(state_->position, 2);
    surface_->SelectFont(PrintFont::Bold);
    return Add(ReportWriter::WriteCategoryHeader(troopKind, draw), 2);
}

std::int32_t PrintReportWriter::BeginUnitRow(bool draw) {
    surface_->SelectFont(PrintFont::Text);
    if (draw)
        state_->position = Add(state_->position, -1);
    return -1;
}

std::int32_t PrintReportWriter::WriteRow(bool overMaximum, std::int32_t indent, const std::string& name,
                                         const RowCells& cells, Rect* cellRect, bool draw) {
    PrintSurface& surface = *surface_;
    const PrintFont previous = surface.SelectFont(PrintFont::Bold);
    const Rect sample =
        surface.MeasureText(kSampleText, Rect{0, 0, ToDevice(1000), ToDevice(1000)}, kOneLine);
    surface.SelectFont(previous);
    const std::int32_t columnWidth = ToUnits(sample.Width());
    const std::int32_t rowHeight = Add(ToUnits(sample.Height()), 5);
    if (!draw)
        return rowHeight;

    PrintLayoutState& state = *state_;
    Rect box = ToDevice(Rect{8, state.position, 996, Add(state.position, rowHeight)});
    // The box shares its top border with the element above.
    box.top = Add(state.lastBottomEdge, -1);
    state.lastBottomEdge = box.bottom;
    state.position = Add(state.position, rowHeight);
    surface.DrawRectangle(box);

    Rect nameCell = box;
    nameCell.left = ToDevice(Add(16, 8 * std::int64_t(indent)));
    if (overMaximum)
        surface.SetTextColour(kRed);
    surface.DrawText(name, nameCell, kOneLineVCentred);
    surface.SetTextColour(kBlack);

    Rect cell{ToDevice(200), box.top, ToDevice(Add(200, columnWidth)), box.bottom};
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
    if (cellRect != nullptr) {
        const Rect remarks{Add(lastValueRight, ToDevice(4)), box.top, ToDevice(992), box.bottom};
        surface.DrawText(cells[7], remarks, kOneLineVCentred);
        *cellRect = remarks;
    }
    surface.SelectFont(PrintFont::Text);
    return rowHeight;
}

std::int32_t PrintReportWriter::WriteTotals(bool draw) {
    constexpr std::int32_t kTotalsHeight = 30;
    if (!draw)
        return kTotalsHeight;
    PrintSurface& surface = *surface_;
    const Army& a = army();
    surface.SelectFont(PrintFont::Bold);
    const std::string total = " " + std::to_string(a.TotalPoints());
    const std::string rest = " out of " + std::to_string(a.pointsLimit()) + " points and a breakpoint of " +
                             std::to_string(a.BreakPoint()) + ".";
    const std::string line = "Total :" + total + rest;
    const Rect size = surface.MeasureText(line, Rect{0, 0, ToDevice(1000), ToDevice(1000)}, kOneLine);
    surface.MoveTo(Add(ToDevice(996), -std::int64_t(size.Width())), ToDevice(Add(state_->position, 3)));
    surface.DrawTextAtCurrentPoint("Total :");
    const bool overLimit = OverPointsLimit(a);
    if (overLimit)
        surface.SetTextColour(kRed);
    surface.DrawTextAtCurrentPoint(total);
    if (overLimit)
        surface.SetTextColour(kBlack);
    surface.DrawTextAtCurrentPoint(rest);
    state_->position = Add(state_->position, kTotalsHeight);
    return kTotalsHeight;
}

std::int32_t PrintReportWriter::WriteParagraph(bool highlight, const std::string& title,
                                               const std::string& body, bool draw) {
    return Paragraph(*surface_, highlight, title, body, draw, true);
}

std::int32_t PrintReportWriter::WriteBelowMinimum(PrintSurface* surface, const std::string& troopTypeName,
                                                  bool draw) {
    // Drawn in whatever font is selected: the bold one of the totals line.
    return Paragraph(surface != nullptr ? *surface : *surface_, true, troopTypeName,
                     " less than minimum units.", draw, false);
}

std::int32_t PrintReportWriter::Paragraph(PrintSurface& surface, bool highlight, const std::string& title,
                                          const std::string& body, bool draw, bool selectFonts) {
    PrintLayoutState& state = *state_;
    if (selectFonts) {
        surface.SelectFont(PrintFont::Bold);
        surface.SetTransparentBackground();
    }
    state.position = Add(state.position, 2);
    const std::int32_t start = state.position;

    const Rect titleRect = ToDevice(Rect{8, state.position, 996, Add(state.position, 100)});
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

    state.position = ToUnits(bodyRect.bottom);
    state.lastBottomEdge = bodyRect.bottom;
    const std::int32_t result = Add(state.position, -std::int64_t(start));
    if (!draw)
        state.position = start;
    return result;
}

// ---------------------------------------------------------------- jobs

std::int32_t PrintPageByPage(PrintReportWriter& writer, PrintSurface& surface, PrintJob job) {
    job.drawEveryPage = false;
    std::int32_t printed = 0;
    for (std::int32_t n = 1; n <= kMaxPrintPages; ++n) {
        job.currentPage = kMaxPrintPages - 1;
        const std::int32_t pages = writer.LayoutPages(&surface, job, false);
        job.currentPage = n;
        if (pages < n)
            break;
        if (n > 1)
            surface.NewSheet();
        writer.LayoutPages(&surface, job, true);
        printed = n;
    }
    return printed;
}

std::int32_t PrintRoster(const ArmyDocument& document, PrintSurface& surface, const Rect& printableArea,
                         std::optional<InfoChoice> info) {
    PrintLayoutState state;
    PrintJob job;
    job.printableArea = printableArea;
    job.drawEveryPage = true;
    PrintReportWriter writer(surface, job, state, info, document);
    return writer.LayoutPages(&surface, job, true);
}

} // namespace ovra
