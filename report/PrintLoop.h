// The printed roster's inner workings that its tests hold it to: the
// rounding between layout units and device pixels, and the page-by-page
// print loop whose pages PrintRoster must equal. The program itself prints
// through PrintRoster.h alone.
#pragma once

#include "PrintRoster.h"

#include <cstdint>

namespace ovra {

// Conversions between layout units and device pixels, rounding as the
// layout always has: units to device trunc(v * s + 0.5), device to units
// trunc((s * 0.5 + d) / s). Results saturate at the 32-bit range; a scale
// that is not positive converts device pixels to 0 units.
std::int32_t UnitsToDevice(std::int32_t units, double scale);
std::int32_t DeviceToUnits(std::int32_t device, double scale);

// What a page-by-page print loop tells the layout: where it may print, and
// which page it is counting or drawing.
struct PrintJob {
    Rect printableArea; // device pixels
    int currentPage = 1;
};

// One pass of a page-by-page print loop: lays the roster out from the first
// page, draws page job.currentPage when `draw` is set, and returns the pages
// started, stopping once a page after job.currentPage is started.
PrintOutcome LayOutToPage(const Roster& roster, PrintSurface& surface, const PrintJob& job, bool draw);

// Prints as a page-by-page print loop does: before each page n the roster is
// counted with current page 999, and while it has at least n pages, page n is
// laid out from the start and drawn (NewSheet before each page after the
// first). Quadratic in the pages; PrintRoster gives the same pages at once.
PrintOutcome PrintPageByPage(const Roster& roster, PrintSurface& surface, PrintJob job);

} // namespace ovra
