#include "tests/support/Expect.h"

#include "gralith/graphics/Surface.h"
#include "gralith/graphics/null/NullDevice.h"

namespace Gralith::Graphics {

namespace {

class RenderTargetRules : public ::testing::Test {
protected:
    void TearDown() override {
        for (Object* o : std::initializer_list<Object*>{a, b, depth, device})
            o->Release();
    }
    NullDevice* device = NullDevice::Create(640, 480);
    Surface* a = device->CreateSurface(256, 256, PixelFormatR8G8B8A8, 0);
    Surface* b = device->CreateSurface(128, 64, PixelFormatR8G8B8A8, 0);
    Surface* depth = device->CreateSurface(256, 256, PixelFormatDepth24Stencil8, 0);
};

} // namespace

TEST_F(RenderTargetRules, OffscreenTargetSetsTheViewportBackBufferAloneMeansTheWindow) {
    device->SetViewport(1, 2, 3, 4);
    device->SetRenderTargets(1, &a, depth);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 256, 256}));
    EXPECT_EQ(device->GetColorTargetCount(), 1);
    EXPECT_EQ(device->GetColorTarget(0), a);
    EXPECT_EQ(device->GetDepthStencilTarget(), depth);
    // The back buffer as the one colour target is the window, with its own depth buffer.
    Surface* back = device->GetBackBuffer();
    device->SetRenderTargets(1, &back, depth);
    EXPECT_EQ(device->GetColorTargetCount(), 0);
    EXPECT_EQ(device->GetColorTarget(0), nullptr);
    EXPECT_EQ(device->GetDepthStencilTarget(), nullptr);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 640, 480}));
}

TEST_F(RenderTargetRules, RefusedBindingChangesNothing) {
    device->SetRenderTargets(1, &a, depth);
    Surface* withBack[] = {b, device->GetBackBuffer()};
    EXPECT_GRALITH_THROW(device->SetRenderTargets(2, withBack, nullptr),
                         "Can't bind the back buffer as a color buffer unless it is the only color buffer", 2);
    EXPECT_EQ(device->GetColorTargetCount(), 1);
    EXPECT_EQ(device->GetColorTarget(0), a);
    EXPECT_EQ(device->GetDepthStencilTarget(), depth);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 256, 256}));
    EXPECT_GRALITH_THROW(device->SetRenderTargets(17, withBack, nullptr), "Invalid color target count", 4);
    EXPECT_GRALITH_THROW(device->SetRenderTargets(-1, withBack, nullptr), "Invalid color target count", 4);
}

} // namespace Gralith::Graphics
