// The show's frames drawn through Direct3D 9 and through OpenGL from the same script, shaders
// and content: the two must agree but for what the drivers do differently by design (Direct3D
// samples pixel centres half a pixel apart and filters between mipmap levels by default).

#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/utils/String.h"
#include "gralith/window/win32/Win32Window.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

using namespace Gralith::Graphics;

constexpr int Width = 320, Height = 200;
const double Times[] = {6.25, 15.05, 20.0, 31.0, 40.0, 45.5};

using Frame = std::vector<std::uint8_t>; // RGBA, rows from the top

Gralith::Sound::Device* NoSound() { return nullptr; }
void KeepGoing() {}

// Every frame of Times drawn by one driver, read before it is presented.
std::vector<Frame> Render(int driver) {
    using namespace Velorin;
    ResolutionX = Width;
    ResolutionY = Height;
    Aspect = 1.6f;
    // Wine's Direct3D on llvmpipe has 4 samples per pixel but not 2 (the dialog's default).
    Multisamples = 4;
    Tempo = MusicTempo;
    SetEndPresentationHandler(&KeepGoing);
    MainWindow = new Gralith::Win32Window(Width, Height, Gralith::Utils::String(WindowTitle), true);
    GraphicsDevice = CreateDevice(driver, MainWindow, Depth24Stencil8, 0, 0);
    auto* d3d9 = dynamic_cast<D3D9Device*>(GraphicsDevice);
    EXPECT_EQ(d3d9 != nullptr, driver == GraphicsDriverDirect3D9) << "the factory's device for driver " << driver;
    CreatePresentationObjects(HALCYRA_DATA "/", &NoSound);
    std::vector<Frame> frames;
    for (double t : Times) {
        MusicTime = t;
        FrameDelta = 1 / 30.0;
        std::fill(Spectrum, Spectrum + SpectrumSize, 0.0f);
        RunTimeline(t);
        Frame frame(Width * Height * 4);
        Surface* back = GraphicsDevice->GetBackBuffer();
        if (d3d9) {
            d3d9->ReadSurface(back, 0, 0, Width, Height, frame.data());
        } else {
            Frame bottomUp(frame.size());
            static_cast<GLDevice*>(GraphicsDevice)->ReadSurface(back, 0, 0, Width, Height, bottomUp.data());
            for (int y = 0; y < Height; ++y)
                std::copy_n(&bottomUp[(Height - 1 - y) * Width * 4], Width * 4, &frame[y * Width * 4]);
        }
        frames.push_back(frame);
        GraphicsDevice->Present();
    }
    ReleasePresentationObjects();
    return frames;
}

// Differences of 20 x 20 pixel blocks' mean colours, channel by channel: what the drivers do
// differently by design stays inside a block (measured: at most 25 of 255, 5 on average), while
// a picture upside down, shifted or missing a layer moves whole blocks (the frames against their
// own vertical flip: 100 to 250 at most, 20 to 70 on average).
struct BlockDifference {
    double worst = 0;
    double mean = 0;
};

BlockDifference CompareBlocks(const Frame& a, const Frame& b) {
    constexpr int Block = 20;
    BlockDifference result;
    int count = 0;
    for (int by = 0; by < Height / Block; ++by)
        for (int bx = 0; bx < Width / Block; ++bx)
            for (int c = 0; c < 3; ++c) {
                long sum = 0;
                for (int y = by * Block; y < (by + 1) * Block; ++y)
                    for (int x = bx * Block; x < (bx + 1) * Block; ++x)
                        sum += a[(y * Width + x) * 4 + c] - b[(y * Width + x) * 4 + c];
                double difference = std::abs(sum) / double(Block * Block);
                result.worst = std::max(result.worst, difference);
                result.mean += difference;
                ++count;
            }
    result.mean /= count;
    return result;
}

TEST(ShowOnBothDrivers, FramesAgreeBlockByBlock) {
    std::vector<Frame> direct3D = Render(GraphicsDriverDirect3D9);
    std::vector<Frame> openGL = Render(GraphicsDriverOpenGL);
    for (size_t i = 0; i < std::size(Times); ++i) {
        BlockDifference d = CompareBlocks(direct3D[i], openGL[i]);
        long level = 0;
        for (size_t p = 0; p < openGL[i].size(); p += 4)
            level += openGL[i][p] + openGL[i][p + 1] + openGL[i][p + 2];
        std::printf("t = %5.2f s: blocks differ by %.1f at most, %.2f on average (of 255)\n", Times[i], d.worst,
                    d.mean);
        EXPECT_GT(level, 0) << Times[i]; // a picture, not black on both
        EXPECT_LT(d.worst, 40.0) << Times[i];
        EXPECT_LT(d.mean, 8.0) << Times[i];
    }
}

} // namespace
