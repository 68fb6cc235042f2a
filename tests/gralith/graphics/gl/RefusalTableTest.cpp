// The refusal table (RefusalRows.h) run on the null device and on the OpenGL device (headless,
// with the Cg shading layer), and the refusals only the OpenGL backend makes.

#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/graphics/null/NullDevice.h"

#include "tests/gralith/graphics/RefusalRows.h"

namespace Gralith::Graphics {

namespace {

namespace M = Messages;
using namespace RefusalTable;

class Refusal : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        gl = GetParam();
        device = gl ? static_cast<Device*>(EGLGLDevice::Create(16, 16)) : NullDevice::Create(16, 16);
    }
    void TearDown() override { device->Release(); }

    bool gl = false;
    Device* device = nullptr;
};

TEST_P(Refusal, EveryMisuseThrowsItsMessageAndCode) { RunRows(device, gl ? &Outcomes::gl : &Outcomes::null); }

TEST_P(Refusal, SemanticMapsTakeTheOpenGLNamesOnly) {
    for (const char* good : {"POSITION", "NORMAL", "COLOR", "TEXCOORD", "TEXCOORD7", "ATTR3"}) {
        const char* names[16] = {nullptr, good};
        EXPECT_NO_THROW(device->CreateSemanticMap(names)->Release()) << good;
    }
    for (const char* bad : {"TEXCOORD8", "TANGENT", "ATTR16", "POSITION0x", "position", "TEXCOORD-1"}) {
        const char* names[16] = {bad};
        EXPECT_GRALITH_THROW(device->CreateSemanticMap(names), M::UnsupportedSemantic, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, Refusal, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OpenGL" : "Null"; });

TEST(EGLGLDeviceCreation, RefusesDepthFormatsThisBackendLacks) {
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, Depth32Float), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, DepthStencilFormatReserved), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, static_cast<DepthStencilFormat>(4)),
                         "DepthStencilFromat not recognized", 4);
}

TEST(EGLGLDeviceRefusal, FloatFormatsAndHalfFloatUploads) {
    EGLGLDevice* device = EGLGLDevice::Create(8, 8);
    Made m(device);
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, PixelFormatFloatR16, false),
                         "Device does not support PixelFormatFloatR16 under OpenGL", 0);
    EXPECT_GRALITH_THROW(device->CreateTextureCube(4, PixelFormatFloatR32, false),
                         "PixelFormatFloatR32 not supported (yet)", 0);
    unsigned char texels[4 * 4 * 16] = {};
    EXPECT_GRALITH_THROW(
        m(device->CreateTexture2D(4, 4, PixelFormatFloatR16G16B16A16, false))->SetData(0, texels, false),
        "OpenGL implementation does not support SetData() on PixelFormatFloatR16G16B16A16 textures (yet)", 0);
    EXPECT_GRALITH_THROW(
        m(device->CreateTextureCube(4, PixelFormatFloatR16G16B16A16, false))->SetData(PositiveX, 0, texels, false),
        "SetData() does not support PixelFormatFloatR16G16B16A16 (yet)", 0);
    EXPECT_GRALITH_THROW(
        m(device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0))->Copy(nullptr, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
        "Surface::Copy(): Can not copy from/to the given surface", 0);
    m(device);
}

} // namespace

} // namespace Gralith::Graphics
