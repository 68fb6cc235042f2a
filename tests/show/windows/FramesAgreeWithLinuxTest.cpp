// The show's moments drawn by the Windows build (OpenGL through WGL, under Wine) the way
// halcyra-render draws them on Linux (music time, spectrum and interval from the caller, never a
// clock), compared with halcyra-render's PNGs of the same moments.

#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/utils/String.h"
#include "gralith/window/win32/Win32Window.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"

#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int Width = FRAME_WIDTH, Height = FRAME_HEIGHT;
const double Times[] = {FRAME_TIMES};

using Frame = std::vector<std::uint8_t>; // RGBA, rows from the top

// Every moment of Times, in order, as the offline renderer draws it: the same settings, music
// time clamped to the music, its spectrum at that time, the interval since the previous moment.
std::vector<Frame> RenderOnWindows() {
    using namespace Velorin;
    ResolutionX = Width;
    ResolutionY = Height;
    Aspect = 1.6f;
    Fullscreen = false;
    PlayMusic = true;
    Tempo = MusicTempo;
    SetEndPresentationHandler([] {});
    MainWindow = new Gralith::Win32Window(Width, Height, Gralith::Utils::String(WindowTitle), true);
    GraphicsDevice = Gralith::Graphics::CreateDevice(Gralith::Graphics::GraphicsDriverOpenGL, MainWindow,
                                                     Gralith::Graphics::Depth24Stencil8, 0, 0);
    CreatePresentationObjects(HALCYRA_DATA "/", []() -> Gralith::Sound::Device* { return nullptr; });
    auto* music = new Gralith::Sound::MusicStream(nullptr);
    music->Open(HALCYRA_DATA "/music/music.ogg");
    DecodedMusic = music;
    const double length = Gralith::Sound::MusicStream::BytesToSeconds(music->GetLength());

    std::vector<Frame> frames;
    for (size_t i = 0; i < std::size(Times); ++i) {
        double t = Times[i];
        MusicTime = std::min(t, length);
        music->GetSpectrumAt(std::min(Gralith::Sound::MusicStream::SecondsToBytes(t), music->GetLength()), Spectrum);
        FrameDelta = i == 0 ? 0.0 : std::max(0.0, t - Times[i - 1]);
        RunTimeline(MusicTime);
        Frame bottomUp(Width * Height * 4), frame(bottomUp.size());
        auto* device = static_cast<Gralith::Graphics::GLDevice*>(GraphicsDevice);
        device->ReadSurface(device->GetBackBuffer(), 0, 0, Width, Height, bottomUp.data());
        for (int y = 0; y < Height; ++y)
            std::copy_n(&bottomUp[(Height - 1 - y) * Width * 4], Width * 4, &frame[y * Width * 4]);
        frames.push_back(frame);
        GraphicsDevice->Present();
    }
    DecodedMusic = nullptr;
    music->Release();
    ReleasePresentationObjects();
    return frames;
}

// The mean and the 99th percentile of the colour channels' differences, of 255.
struct Difference {
    double mean = 0;
    int percentile99 = 0;
};

Difference Compare(const Frame& a, const Frame& b) {
    std::vector<int> differences;
    for (size_t p = 0; p < a.size(); ++p)
        if (p % 4 != 3)
            differences.push_back(std::abs(a[p] - b[p]));
    auto at99 = differences.begin() + differences.size() * 99 / 100;
    std::nth_element(differences.begin(), at99, differences.end());
    return {std::accumulate(differences.begin(), differences.end(), 0.0) / differences.size(), *at99};
}

TEST(ShowFrames, WindowsFramesAgreeWithLinuxOnes) {
    std::vector<Frame> windows = RenderOnWindows(), reference(std::size(Times));
    for (size_t i = 0; i < std::size(Times); ++i) {
        char name[32]; // as halcyra-render names it
        std::snprintf(name, sizeof name, "/t%07.3f.png", Times[i]);
        const VelorinTest::Image image = VelorinTest::ReadPng(LINUX_FRAMES + std::string(name));
        ASSERT_TRUE(image.width == Width && image.height == Height) << "no Linux frame at " << Times[i];
        reference[i] = image.rgba;
    }
    for (size_t i = 0; i < std::size(Times); ++i) {
        Difference same = Compare(windows[i], reference[i]);
        // The next moment's frame: what a wrong moment, camera or layer looks like to the measure.
        Difference other = Compare(windows[i], reference[(i + 1) % std::size(Times)]);
        SCOPED_TRACE(::testing::Message() << "t = " << Times[i] << " s: channels differ by " << same.mean
                                          << " on average, " << same.percentile99 << " at the 99th percentile "
                                          << "(another moment: " << other.mean << ", " << other.percentile99 << ")");
        EXPECT_LE(same.mean, 0.25);
        EXPECT_LE(same.percentile99, 2);
        EXPECT_GE(other.mean, 5.0);
    }
}

} // namespace
