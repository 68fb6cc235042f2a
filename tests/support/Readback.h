#pragma once

// Pixels read back from a device's colour surface, compared with a tolerance for 8-bit
// quantisation.

#include "gralith/graphics/Surface.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace GralithTest {

using Pixel = std::array<int, 4>;

/// One pixel of surface (the back buffer when null), y counted as the device reads rows: from the
/// bottom on OpenGL, from the top on Direct3D 9.
template <class Device>
Pixel ReadPixel(Device* device, int x, int y, ::Gralith::Graphics::Surface* surface = nullptr) {
    unsigned char rgba[4] = {};
    device->ReadSurface(surface ? surface : device->GetBackBuffer(), x, y, 1, 1, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

inline ::testing::AssertionResult Near(const Pixel& actual, const Pixel& expected, int tolerance = 2) {
    for (int i = 0; i < 4; ++i)
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure()
                   << "expected (" << expected[0] << ", " << expected[1] << ", " << expected[2] << ", " << expected[3]
                   << ") got (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ", " << actual[3] << ")";
    return ::testing::AssertionSuccess();
}

} // namespace GralithTest
