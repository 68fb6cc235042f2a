#pragma once

#include <string>
#include <vector>

namespace Halcyra::Textures {

/// Writes 8-bit RGBA pixels (rows top first) as a PNG file; throws std::runtime_error on failure.
void WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);

} // namespace Halcyra::Textures
