// Raw data compiled into the program (the built-in army-list text).
#pragma once

#include <cstddef>
#include <span>

namespace ovra {

// The bytes of the resource with this identifier; empty when there is none.
std::span<const unsigned char> FindBuiltInResource(int id);

} // namespace ovra
