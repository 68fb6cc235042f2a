#include "tests/support/Expect.h"
#include "tests/support/Readback.h"

#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/win32/WINGLDevice.h"
#include "gralith/window/win32/Win32Window.h"

#include <windows.h>

namespace Gralith::Graphics {

namespace {

using GralithTest::Near;
using GralithTest::ReadPixel;

constexpr unsigned DepthBits = 0x0D56, StencilBits = 0x0D57; // GL_DEPTH_BITS, GL_STENCIL_BITS

class WINGLDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { window = new Win32Window(96, 64, "Gralith device test", true); }
    void TearDown() override {
        if (device)
            device->Release();
        window->Release();
    }
    void Make(int multisamples, DepthStencilFormat format = Depth24Stencil8) {
        device = WINGLDevice::Create(window, format, multisamples, 0, nullptr);
    }
    Win32Window* window = nullptr;
    WINGLDevice* device = nullptr;
};

} // namespace

TEST_F(WINGLDeviceTest, TheFactoryMakesItWithTheRequestedDepthAndStencilAndItsOwnTargets) {
    device = dynamic_cast<WINGLDevice*>(CreateDevice(GraphicsDriverOpenGL, window, Depth24Stencil8, 0, 0));
    ASSERT_NE(nullptr, device);
    EXPECT_FALSE(device->UsedTemporaryWindow());
    int depth = 0, stencil = 0;
    device->GL().GetIntegerv(DepthBits, &depth);
    device->GL().GetIntegerv(StencilBits, &stencil);
    EXPECT_EQ(24, depth);
    EXPECT_EQ(8, stencil);
    EXPECT_EQ(96, device->GetBackBuffer()->GetWidth());
    EXPECT_EQ(64, device->GetBackBuffer()->GetHeight());
    device->Clear(ClearColor, 0.25f, 0.5f, 0.75f, 1.0f, 1.0f, 0);
    EXPECT_TRUE(Near(ReadPixel(device, 0, 0), {64, 128, 191, 255}));
    EXPECT_TRUE(Near(ReadPixel(device, 95, 63), {64, 128, 191, 255}));
    // A render target takes its clear, the back buffer keeps its own.
    Texture2D* texture = device->CreateTexture2D(16, 8, PixelFormatR8G8B8A8, true);
    Surface* target = texture->GetSurface(0); // owned by the texture
    device->SetRenderTargets(1, &target, nullptr);
    device->Clear(ClearColor, 0, 1, 0, 1, 1, 0);
    EXPECT_TRUE(Near(ReadPixel(device, 15, 7, target), {0, 255, 0, 255}));
    device->SetRenderTargets(0, nullptr, nullptr);
    EXPECT_TRUE(Near(ReadPixel(device, 40, 40), {64, 128, 191, 255}));
    texture->Release();
    EXPECT_TRUE(device->Present());
}

TEST_F(WINGLDeviceTest, MultisamplingChoosesItsFormatThroughTheTemporaryWindow) {
    Make(4);
    EXPECT_TRUE(device->UsedTemporaryWindow());
    EXPECT_EQ(4, device->GetContextSamples());
    // The temporary window is gone again.
    EXPECT_EQ(nullptr, FindWindowW(L"GralithTemporaryOpenGLWindow", L"Gralith"));
    device->Clear(ClearColor, 0, 0, 1, 1, 1, 0);
    EXPECT_TRUE(Near(ReadPixel(device, 10, 10), {0, 0, 255, 255}));
}

TEST_F(WINGLDeviceTest, RefusalsAndTheCloseRequest) {
    EXPECT_GRALITH_THROW(Make(0, Depth32Float), Messages::UnsupportedDepthFormat, ErrorUnsupported);
    EXPECT_GRALITH_THROW(CreateDevice(5, window, Depth16, 0, 0), "Graphics driver not available in this build: 5",
                         ErrorCreation);
    Make(0, Depth16);
    PostMessageW(static_cast<HWND>(window->GetHandle()), WM_CLOSE, 0, 0);
    EXPECT_FALSE(device->Present());
    EXPECT_FALSE(device->Present());
    // The close request destroyed the window: nothing to draw into.
    EXPECT_GRALITH_THROW(WINGLDevice::Create(window, Depth16, 0, 0, nullptr), Messages::NeedsWin32Window,
                         ErrorCreation);
}

} // namespace Gralith::Graphics
