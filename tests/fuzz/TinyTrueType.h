#pragma once

#include <vector>

namespace GralithFuzz {

/// A complete, minimal TrueType font built in memory (500 bytes): .notdef, a square "A",
/// a triangle "B", a square with a hole "C" and an empty space, mapped through a format 4
/// cmap. Small seeds keep the font fuzzer fast while reaching every table FreeType needs.
std::vector<unsigned char> MakeTinyTrueType();

} // namespace GralithFuzz
