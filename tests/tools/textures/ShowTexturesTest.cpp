// The generated overlay images, decoded by the engine's own PNG loader from the build tree's
// data/textures, and the drawing tool's failures. Every image is drawn in the show's frames.
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace Gralith;
using namespace Gralith::Utils;

namespace {

TEST(ShowTextures, OverlayTextIsOpaqueInsideTheSafeAreaWithASoftEdgeAndClearBorders) {
    Graphics::NullDevice* device = Graphics::NullDevice::Create(64, 64);
    auto* files = new Directory(HALCYRA_DATA_DIR);
    auto* proxy = new Assets::Proxy(files, device, nullptr, nullptr);
    files->Release();
    // Stretched over 4:3 to 16:9 windows: letters stay within the middle 70 % wide and high,
    // and the edges are clear so nothing shows as a frame.
    for (const char* name : {"logo.png", "1.png", "2.png", "3.png", "4.png", "5.png"}) {
        SCOPED_TRACE(name);
        auto* b = static_cast<Assets::Bitmap2D*>(
            proxy->Get(Assets::AssetBitmap2D, String((std::string("textures/") + name).c_str()), nullptr));
        const int w = b->GetWidth(), h = b->GetHeight();
        int minX = w, maxX = -1, minY = h, maxY = -1, opaque = 0, soft = 0, border = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = b->GetPixels() + (static_cast<size_t>(y) * w + x) * 4;
                if (x < 20 || y < 20 || x >= w - 20 || y >= h - 20)
                    border = std::max(border, static_cast<int>(p[3]));
                soft += p[3] > 10 && p[3] < 200; // shadow and glow
                if (p[3] >= 250 && p[0] > 200) {
                    ++opaque;
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
            }
        EXPECT_EQ(0, border);
        EXPECT_GT(opaque, 5000);
        EXPECT_GT(soft, opaque);
        EXPECT_GE(minX, w * 15 / 100);
        EXPECT_LE(maxX, w * 85 / 100);
        EXPECT_GE(minY, h * 15 / 100);
        EXPECT_LE(maxY, h * 85 / 100);
    }
    proxy->Release();
    device->Release();
}

TEST(ShowTexturesTool, ReportsUsageAndFailures) {
    auto run = [](const std::string& arguments) {
        return GralithTest::RunProcess(std::string("\"") + HALCYRA_TEXTURES_TOOL + "\" " + arguments + " 2>&1");
    };
    EXPECT_EQ(2, run("").status);
    GralithTest::TempDirectory out;
    auto noFont = run("\"" + out.Path() + "\" /nonexistent-font-dir");
    EXPECT_EQ(1, noFont.status);
    EXPECT_NE(std::string::npos, noFont.out.find("Cannot open font /nonexistent-font-dir/")) << noFont.out;
    auto noDir = run("/nonexistent-output-dir");
    EXPECT_EQ(1, noDir.status);
    EXPECT_NE(std::string::npos, noDir.out.find("Cannot create /nonexistent-output-dir/shapes.png")) << noDir.out;
}

} // namespace
