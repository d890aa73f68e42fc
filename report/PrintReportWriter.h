// The roster on printer pages. Layout is computed in layout units, one
// thousandth of the printable width, and drawn in device pixels on a
// PrintSurface whose origin is the top-left corner of the printable area.
// The roster is laid out from the first page on every pass; a page that is
// not drawn is only measured.
#pragma once

#include "ReportWriter.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace ovra {

// A print job never prints more pages than this.
inline constexpr std::int32_t kMaxPrintPages = 1000;

// The print position the army view keeps for the running job.
struct PrintLayoutState {
    std::int32_t position = 0;       // layout units; the top of the free space on the page
    std::int32_t lastBottomEdge = 0; // device pixels; bottom of the last box or paragraph drawn
    double scale = 1.0;              // device pixels per layout unit
};

// Conversions between layout units and device pixels, rounding as the
// layout always has: units to device trunc(v * s + 0.5), device to units
// trunc((s * 0.5 + d) / s). Results saturate at the 32-bit range; a scale
// that is not positive converts device pixels to 0 units.
std::int32_t UnitsToDevice(std::int32_t units, double scale);
std::int32_t DeviceToUnits(std::int32_t device, double scale);

class PrintReportWriter : public ReportWriter {
public:
    // The surface, the state and the document must outlive the writer; the
    // job is copied and replaced by each LayoutPages call.
    PrintReportWriter(PrintSurface& surface, const PrintJob& job, PrintLayoutState& state,
                      std::optional<InfoChoice> info, const ArmyDocument& document);

    std::int32_t WriteBelowMinimum(PrintSurface* surface, const std::string& troopTypeName,
                                   bool draw) override;
    // Lays the roster out from the first page. Page by page (drawEveryPage
    // false): draws job.currentPage when draw is set and returns the pages
    // started, stopping once a page after job.currentPage is started. With
    // drawEveryPage: draws every page in turn (NewSheet before each after
    // the first), at most kMaxPrintPages, and returns the pages drawn.
    // A null surface keeps the one the writer has; an empty printable area
    // lays out nothing and returns 0.
    std::int32_t LayoutPages(PrintSurface* surface, const PrintJob& job, bool draw) override;
    std::int32_t WriteParagraph(bool highlight, const std::string& title, const std::string& body,
                                bool draw) override;
    std::int32_t BeginUnitRow(bool draw) override;
    std::int32_t WriteHeader(std::int32_t page, bool draw) override;
    std::int32_t WriteCategoryHeader(Code troopKind, bool draw) override;
    std::int32_t WriteRow(bool overMaximum, std::int32_t indent, const std::string& name,
                          const RowCells& cells, Rect* cellRect, bool draw) override;
    std::int32_t WriteTotals(bool draw) override;

    const PrintLayoutState& state() const { return *state_; }
    std::optional<InfoChoice> infoChoice() const { return info_; }

private:
    enum class StepKind { Entry, Totals, Warnings, Paragraph };
    struct Step {
        StepKind kind = StepKind::Totals;
        const UnitEntry* entry = nullptr;
        std::size_t paragraph = 0;
    };
    // Where a page's content begins: at a step, or inside a warnings or
    // paragraph step that was measured on the page before and moved here.
    struct PageStart {
        std::size_t step = 0;
        bool moved = false;
        std::int64_t need = 0;
    };

    void BuildSteps();
    // Lays out from `start` on the page after page_; returns the pages started.
    std::int32_t Run(const PageStart& start);
    std::int32_t Measure(const Step& step);
    void Draw(const Step& step);
    // Starts a page; false when the layout must stop.
    bool NewPage();
    std::int32_t Paragraph(PrintSurface& surface, bool highlight, const std::string& title,
                           const std::string& body, bool draw, bool selectFonts);

    std::int32_t ToDevice(std::int32_t units) const { return UnitsToDevice(units, state_->scale); }
    std::int32_t ToUnits(std::int32_t device) const { return DeviceToUnits(device, state_->scale); }
    Rect ToDevice(const Rect& units) const;
    Rect ToUnits(const Rect& device) const;

    PrintLayoutState* state_;
    PrintSurface* surface_;
    PrintJob job_;
    std::int32_t page_ = 0;
    bool drawing_ = false;
    std::int64_t remaining_ = 0;
    std::optional<InfoChoice> info_;

    // The page the pass draws and prints in the header: the job's current page.
    std::int32_t targetPage_ = 1;
    bool draw_ = false;
    std::vector<Step> steps_;
    std::vector<InfoParagraph> paragraphs_;
    PageStart pending_;                            // where the page being started begins
    std::vector<PageStart>* pageStarts_ = nullptr; // filled while counting for drawEveryPage
};

// Prints a job as a page-by-page print loop does: before each page n the
// roster is counted with current page 999, and while it has at least n
// pages, page n is laid out and drawn (NewSheet before each page after the
// first). Returns the pages drawn.
std::int32_t PrintPageByPage(PrintReportWriter& writer, PrintSurface& surface, PrintJob job);

// Prints the document's roster on the surface in one pass; returns the pages drawn.
std::int32_t PrintRoster(const ArmyDocument& document, PrintSurface& surface, const Rect& printableArea,
                         std::optional<InfoChoice> info);

} // namespace ovra
