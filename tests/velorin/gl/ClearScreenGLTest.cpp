// The timeline drawing with ClearScreen on a real OpenGL context (headless EGL), read back.

#include "gralith/Exception.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Script.h"
#include "velorin/Timeline.h"

#include "tests/support/TempDirectory.h"

#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using Pixel = std::array<int, 4>;
using Gralith::Graphics::EGLGLDevice;
using Gralith::Graphics::Surface;

class ClearScreenOnGL : public ::testing::Test {
protected:
    static constexpr int Size = 32;

    void SetUp() override {
        device = EGLGLDevice::Create(Size, Size);
        Velorin::GraphicsDevice = device;
        auto* directory = new Gralith::Utils::Directory(data.Path().c_str());
        Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(directory, device, nullptr, nullptr);
        directory->Release();
        backbuffer = {device->GetBackBuffer(), nullptr, "Backbuffer"};
        Velorin::BackbufferFramebuffer = &backbuffer;
        Velorin::Framebuffers.Add(&backbuffer);
        glow = device->CreateSurface(16, 16, Gralith::Graphics::PixelFormatR8G8B8A8, 0);
        glowFramebuffer = {glow, nullptr, "Glow"};
        Velorin::Framebuffers.Add(&glowFramebuffer);
    }

    void TearDown() override {
        Velorin::ResetTimeline();
        Velorin::BackbufferFramebuffer = nullptr;
        if (Velorin::AssetProxy)
            Velorin::AssetProxy->Release();
        Velorin::AssetProxy = nullptr;
        Velorin::GraphicsDevice = nullptr;
        if (glow)
            glow->Release();
        if (device)
            device->Release();
    }

    void Load(const std::string& body) {
        data.Write("demo.xml", "<Demo>" + body + "</Demo>");
        Velorin::LoadScript("demo.xml");
    }

    Pixel Read(Surface* surface, int x, int y) { return GralithTest::ReadPixel(device, x, y, surface); }

    static void ExpectNear(Pixel expected, Pixel seen) {
        for (int c = 0; c < 4; ++c)
            EXPECT_LE(std::abs(expected[c] - seen[c]), 1)
                << "channel " << c << ": expected " << expected[c] << ", read " << seen[c];
    }

    GralithTest::TempDirectory data;
    EGLGLDevice* device = nullptr;
    Surface* glow = nullptr;
    Velorin::Framebuffer backbuffer, glowFramebuffer;
};

TEST_F(ClearScreenOnGL, BlocksClearTheirOwnFramebufferAndLaterStagesDrawOver) {
    Load(R"(
        <Effect Name="black"><ClearScreen/></Effect>
        <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/><Depth value="0"/><Stencil value="3"/></ClearScreen></Effect>
        <Effect Name="fade"><ClearScreen><Color><LinearKeys>
            <Key Time="2" r="0" g="0" b="1" a="1"/><Key Time="4" r="0" g="1" b="0" a="0"/>
        </LinearKeys></Color></ClearScreen></Effect>
        <Stage><Block Start="0" Length="10" Effect="black"/><Block Start="1" Length="9" Effect="red"/></Stage>
        <Stage><Block Start="2" Length="2" Effect="fade" RenderTarget="Glow"/>
               <Block Start="5" Length="1" Effect="fade"/></Stage>)");

    Velorin::RunTimeline(0.5);
    ExpectNear({0, 0, 0, 255}, Read(device->GetBackBuffer(), 5, 5));

    Velorin::RunTimeline(3.0); // fade halfway: (0, 0.5, 0.5, 0.5) into the glow target only
    ExpectNear({255, 0, 0, 255}, Read(device->GetBackBuffer(), 31, 0));
    ExpectNear({0, 128, 128, 128}, Read(glow, 8, 8));

    Velorin::RunTimeline(5.5); // fade holds its last key and draws over red on the window
    ExpectNear({0, 255, 0, 0}, Read(device->GetBackBuffer(), 0, 31));
    ExpectNear({0, 128, 128, 128}, Read(glow, 0, 0)); // the glow target was not touched

    Velorin::RunTimeline(20.0); // nothing active: the last frame stays
    ExpectNear({0, 255, 0, 0}, Read(device->GetBackBuffer(), 16, 16));
}

} // namespace
