// The generated show textures, decoded by the engine's own PNG loader from the build tree's
// data/textures, and the drawing tool's failures.
#include "gralith/Exception.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"

#include "tests/support/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/wait.h>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;

namespace {

constexpr int OverlayW = 2048;
constexpr int OverlayH = 1280;

class ShowTexturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        device = Graphics::NullDevice::Create(64, 64);
        files = new Directory(HALCYRA_DATA_DIR);
        proxy = new Proxy(files, device, nullptr, nullptr);
    }
    static void TearDownTestSuite() {
        proxy->Release();
        files->Release();
        device->Release();
    }

    static Bitmap2D* Image(const std::string& name) {
        return static_cast<Bitmap2D*>(proxy->Get(AssetBitmap2D, String(("textures/" + name).c_str()), nullptr));
    }
    static const unsigned char* Pixel(Bitmap2D* b, int x, int y) {
        return b->GetPixels() + (static_cast<size_t>(y) * b->GetWidth() + x) * 4;
    }

    static Graphics::NullDevice* device;
    static Directory* files;
    static Proxy* proxy;
};

Graphics::NullDevice* ShowTexturesTest::device = nullptr;
Directory* ShowTexturesTest::files = nullptr;
Proxy* ShowTexturesTest::proxy = nullptr;

GralithTest::ProcessResult RunTool(const std::string& arguments) {
    return GralithTest::RunProcess(std::string("\"") + HALCYRA_TEXTURES_TOOL + "\" " + arguments + " 2>&1");
}

TEST_F(ShowTexturesTest, EveryImageLoadsAtItsSize) {
    const struct {
        const char* name;
        int width, height;
    } expected[] = {
        {"shapes.png", 512, 128},
        {"logo.png", OverlayW, OverlayH},
        {"logo_strek.png", OverlayW, OverlayH},
        {"varrow.png", OverlayW, OverlayH},
        {"strek_blaa.png", OverlayW, OverlayH},
        {"1.png", OverlayW, OverlayH},
        {"2.png", OverlayW, OverlayH},
        {"3.png", OverlayW, OverlayH},
        {"4.png", OverlayW, OverlayH},
        {"5.png", OverlayW, OverlayH},
        {"white.png", 16, 16},
        {"scene_panels.png", 512, 512},
        {"scene_grid.png", 512, 512},
        {"scene_metal.png", 512, 512},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        Bitmap2D* b = Image(e.name);
        EXPECT_EQ(b->GetWidth(), e.width);
        EXPECT_EQ(b->GetHeight(), e.height);
        EXPECT_EQ(b->GetFormat(), Graphics::PixelFormatR8G8B8A8);
    }
    // Non-power-of-two overlays become textures of the same size.
    auto* logo = static_cast<Graphics::Texture2D*>(proxy->GetTexture("textures/logo.png", nullptr));
    EXPECT_EQ(logo->GetWidth(), OverlayW);
    EXPECT_EQ(logo->GetHeight(), OverlayH);
}

TEST_F(ShowTexturesTest, OverlayTextIsOpaqueInsideTheSafeAreaAndTransparentAtTheBorders) {
    // Stretched over 4:3 to 16:9 windows: letters stay within the middle 70 % wide and 70 %
    // high, and the edges are clear so nothing shows as a frame.
    for (const char* name : {"logo.png", "1.png", "2.png", "3.png", "4.png", "5.png"}) {
        SCOPED_TRACE(name);
        Bitmap2D* b = Image(name);
        int minX = OverlayW, maxX = -1, minY = OverlayH, maxY = -1, opaque = 0;
        int borderAlpha = 0;
        for (int y = 0; y < OverlayH; ++y)
            for (int x = 0; x < OverlayW; ++x) {
                const unsigned char* p = Pixel(b, x, y);
                if (x < 20 || y < 20 || x >= OverlayW - 20 || y >= OverlayH - 20)
                    borderAlpha = std::max(borderAlpha, static_cast<int>(p[3]));
                if (p[3] >= 250 && p[0] > 200) {
                    ++opaque;
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
            }
        EXPECT_EQ(borderAlpha, 0);
        EXPECT_GT(opaque, 5000);
        EXPECT_GE(minX, OverlayW * 15 / 100);
        EXPECT_LE(maxX, OverlayW * 85 / 100);
        EXPECT_GE(minY, OverlayH * 15 / 100);
        EXPECT_LE(maxY, OverlayH * 85 / 100);
        // Shadow and glow: many pixels partly covered, not only the letters.
        int soft = 0;
        for (int i = 0; i < OverlayW * OverlayH; ++i) {
            const unsigned char a = b->GetPixels()[i * 4 + 3];
            soft += a > 10 && a < 200;
        }
        EXPECT_GT(soft, opaque);
    }
}

TEST(ShowTexturesTool, ReportsUsageAndFailures) {
    EXPECT_EQ(RunTool("").status, 2);
    const GralithTest::ProcessResult noFont = RunTool("\"" + ::testing::TempDir() + "\" /nonexistent-font-dir");
    EXPECT_EQ(noFont.status, 1);
    EXPECT_NE(noFont.out.find("Cannot open font /nonexistent-font-dir/"), std::string::npos) << noFont.out;
    const GralithTest::ProcessResult noDir = RunTool("/nonexistent-output-dir");
    EXPECT_EQ(noDir.status, 1);
    EXPECT_NE(noDir.out.find("Cannot create /nonexistent-output-dir/shapes.png"), std::string::npos) << noDir.out;
}

} // namespace
