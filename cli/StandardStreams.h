// The program's standard output and error as C++ streams, set up when first
// used. The window never writes to them, so that a start of the window does
// not pay for setting up the iostream library (its locale and eight global
// streams touch some 400 KiB of library pages).
#pragma once

#include <iosfwd>
#include <string>

namespace ovra {

// Writes through C's stdout, buffered as stdout is.
std::ostream& StandardOutput();
// Why a write to StandardOutput() failed ("No space left on device"); empty
// while none failed.
std::string StandardOutputError();
// Writes through C's stderr, unbuffered.
std::ostream& StandardError();

} // namespace ovra
