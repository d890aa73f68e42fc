// The roster on printer pages. Layout is computed in layout units, one
// thousandth of the printable width, and drawn in device pixels on a
// PrintSurface whose origin is the top-left corner of the printable area.
// Each page starts with a header band (the army's title and the page
// number) and keeps room for the totals line at its foot; a group that runs
// over repeats its heading on the next page, and the warnings and every
// paragraph of the information section move to the next page whole.
#pragma once

#include "PrintSurface.h"
#include "Roster.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace ovra {

class ArmyDocument;

// A print never has more pages than this.
inline constexpr std::int32_t kMaxPrintPages = 1000;

struct PrintOutcome {
    // The pages drawn; when only counting or laying out, the pages started.
    std::int32_t pages = 0;
    // Set when a unit row with its mount and runners rows is taller than an
    // empty page: the index of the unit row in Roster::rows. The layout stops
    // after the page on which the row could not be placed, so that row, the
    // ones after it, the totals, the warnings and the information are missing.
    std::optional<std::size_t> rowTooTall;
};

// Pages to draw, from `first` to `last`, both counted from 1 and included.
struct PageRange {
    std::int32_t first = 1;
    std::int32_t last = kMaxPrintPages;
};

// Draws the roster's pages within the range, NewSheet before every page
// drawn after the first. The pages come out as the page-by-page print loop
// (PrintPageByPage) draws them. An empty printable area draws nothing.
PrintOutcome PrintRoster(const Roster& roster, PrintSurface& surface, const Rect& printableArea,
                         PageRange range = {});

// The pages a print of the roster has, measured on the surface without drawing.
PrintOutcome CountRosterPages(const Roster& roster, PrintSurface& surface, const Rect& printableArea);

// The document's roster composed for the choice, every page drawn.
PrintOutcome PrintRoster(const ArmyDocument& document, PrintSurface& surface, const Rect& printableArea,
                         std::optional<InfoChoice> info);

} // namespace ovra
