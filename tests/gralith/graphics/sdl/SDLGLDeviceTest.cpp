#include "tests/support/Expect.h"
#include "tests/support/Readback.h"
#include "tests/support/XvfbEnvironment.h"

#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/sdl/SDLGLDevice.h"
#include "gralith/window/sdl/SDLWindow.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

GRALITH_TEST_WITH_XVFB();

namespace Gralith::Graphics {

namespace {

class SDLGLDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { window = new SDLWindow(96, 64, "Gralith device test", true); }
    void TearDown() override {
        if (device)
            device->Release();
        window->Release();
    }
    void Make(int flags) {
        device = static_cast<SDLGLDevice*>(CreateDevice(GraphicsDriverOpenGL, window, Depth24Stencil8, 0, flags));
    }
    SDLWindow* window = nullptr;
    SDLGLDevice* device = nullptr;
};

} // namespace

TEST_F(SDLGLDeviceTest, ContextHasTheRequestedDepthAndStencilAndDraws) {
    Make(0);
    const GLFunctions& gl = device->GL();
    int depth = 0, stencil = 0;
    gl.GetIntegerv(GL_DEPTH_BITS, &depth);
    gl.GetIntegerv(GL_STENCIL_BITS, &stencil);
    EXPECT_EQ(depth, 24);
    EXPECT_EQ(stencil, 8);
    EXPECT_EQ(device->GetBackBuffer()->GetWidth(), 96);
    EXPECT_EQ(device->GetBackBuffer()->GetHeight(), 64);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 96, 64}));
    device->Clear(ClearColor, 0, 1, 0, 1, 1, 0);
    EXPECT_TRUE(GralithTest::Near(GralithTest::ReadPixel(device, 50, 30), {0, 255, 0, 255}));
    EXPECT_TRUE(device->Present());
    // The Cg shading layer answers the capability query.
    EXPECT_TRUE(device->HasCapability(1));
    // A close request makes Present answer false, once.
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(window->GetSDLWindow());
    SDL_PushEvent(&event);
    EXPECT_FALSE(device->Present());
    EXPECT_TRUE(device->Present());
}

TEST_F(SDLGLDeviceTest, FullscreenFlagSwitchesTheWindowMode) {
    Make(DeviceFullscreen);
    bool flagged = (SDL_GetWindowFlags(window->GetSDLWindow()) & SDL_WINDOW_FULLSCREEN) != 0;
    EXPECT_EQ(flagged, device->IsFullscreen());
    device->Clear(ClearColor, 1, 0, 0, 1, 1, 0);
    EXPECT_TRUE(device->Present());
}

} // namespace Gralith::Graphics
