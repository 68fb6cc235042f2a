#pragma once

#include <cstdint>
#include <string>

namespace Velorin {

/// Writes 8-bit RGBA pixels, rows bottom-up as OpenGL reads them, as a PNG file whose first row
/// is the top of the image. Throws Exception "Unable to write PNG file: " + path.
void WritePng(const std::string& path, int width, int height, const std::uint8_t* rgbaBottomUp);

} // namespace Velorin
