#include "tests/support/Expect.h"

#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"

namespace Gralith::Graphics {

namespace {

class RenderTargetRules : public ::testing::Test {
protected:
    void SetUp() override {
        device = NullDevice::Create(640, 480);
        a = device->CreateSurface(256, 256, PixelFormatR8G8B8A8, 0);
        b = device->CreateSurface(128, 64, PixelFormatR8G8B8A8, 0);
        depth = device->CreateSurface(256, 256, PixelFormatDepth24Stencil8, 0);
    }
    void TearDown() override {
        a->Release();
        b->Release();
        depth->Release();
        device->Release();
    }
    NullDevice* device = nullptr;
    Surface* a = nullptr;
    Surface* b = nullptr;
    Surface* depth = nullptr;
};

} // namespace

TEST_F(RenderTargetRules, OffscreenTargetResetsTheViewportToItsSize) {
    device->SetViewport(1, 2, 3, 4);
    device->SetRenderTargets(1, &a, depth);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 256, 256}));
    EXPECT_EQ(device->GetColorTargetCount(), 1);
    EXPECT_EQ(device->GetColorTarget(0), a);
    EXPECT_EQ(device->GetDepthStencilTarget(), depth);
}

TEST_F(RenderTargetRules, BackBufferAloneMeansTheWindowWithItsOwnDepth) {
    device->SetRenderTargets(1, &a, depth);
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
