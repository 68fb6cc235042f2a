#include "GLTestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/Texture3D.h"
#include "gralith/graphics/TextureCube.h"

namespace Gralith::Graphics {

namespace {

/// Counts its calls; used to see whether a failing draw got as far as the listeners.
class CountingListener : public Device::DrawCallListener {
public:
    void OnDrawCall() override { ++calls; }
    int calls = 0;
};

} // namespace

TEST_F(GLDeviceTest, DrawWithoutProgramFailsAfterTheListenersRan) {
    CountingListener listener;
    device->AddDrawCallListener(&listener);
    device->SetProgram(nullptr);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3), "Attempting to draw something with no Program set", 3);
    EXPECT_EQ(listener.calls, 1);
    device->RemoveDrawCallListener(&listener);
}

TEST_F(GLDeviceTest, DrawWithoutInputLayoutFails) {
    device->SetInputLayout(nullptr);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3), "Attempting to draw something with no InputLayout set", 3);
}

TEST_F(GLDeviceTest, LayoutReadingAnEmptyStreamFailsAtTheDrawNotAtTheSet) {
    InputElementDesc elements[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 1, 4, 0, DataTypeFloat32, 0}};
    InputLayout* layout = device->CreateInputLayout(elements, 2);
    device->SetInputLayout(layout);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3),
                         "The current InputLayout reads from stream which has no bound VertexBuffer.", 3);
    // With the stream filled the same layout draws.
    device->SetVertexBuffer(1, quad);
    EXPECT_NO_THROW(device->DrawUnindexed(0, 3));
    device->SetVertexBuffer(1, nullptr);
    device->SetInputLayout(colorLayout);
    layout->Release();
}

TEST_F(GLDeviceTest, IndexedDrawWithoutIndexBufferFailsBeforeTheListeners) {
    CountingListener listener;
    device->AddDrawCallListener(&listener);
    EXPECT_GRALITH_THROW(device->DrawIndexed(0, 3, 0, 2), "Can not draw indexed geometry without an index buffer", 3);
    EXPECT_EQ(listener.calls, 0);
    device->RemoveDrawCallListener(&listener);
}

TEST_F(GLDeviceTest, BadPrimitiveTypeFailsAtTheSet) {
    EXPECT_GRALITH_THROW(device->SetPrimitiveType(static_cast<PrimitiveType>(5)), "Invalid primitive type enum", 4);
    EXPECT_EQ(device->GetPrimitiveType(), Triangles);
}

TEST_F(GLDeviceTest, BufferLockRules) {
    quad->Lock(LockWriteOnly, 0, 16);
    EXPECT_GRALITH_THROW(quad->Lock(LockReadWrite, 0, 16), "Buffer allready locked", 3);
    quad->Unlock();
    EXPECT_GRALITH_THROW(
        quad->Lock(static_cast<LockMode>(3), 0, 16),
        "Invalid lock operation. Buffer can not be locked with read-only and write-only at the same time", 3);
    EXPECT_GRALITH_THROW(quad->Lock(LockReadOnly, 180, 16), "Buffer access outside the buffer", 4);
    float data[4] = {};
    EXPECT_GRALITH_THROW(quad->SetData(data, quad->GetSize() - 8, 16), "Buffer access outside the buffer", 4);
    EXPECT_GRALITH_THROW(device->CreateVertexBuffer(static_cast<BufferMode>(3), 16, 16),
                         "Buffer mode enum not recognized", 4);
    // Destroying a buffer that is still locked unmaps it first instead of failing in a destructor.
    VertexBuffer* locked = device->CreateVertexBuffer(BufferModeStatic, 64, 16);
    locked->Lock(LockWriteOnly, 0, 0);
    locked->Release();
}

TEST_F(GLDeviceTest, TextureCreationRefusals) {
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, PixelFormatFloatR16, false),
                         "Device does not support PixelFormatFloatR16 under OpenGL", 0);
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, PixelFormatFloatR32, false),
                         "Device does not support PixelFormatFloatR32 under OpenGL", 0);
    EXPECT_GRALITH_THROW(device->CreateTextureCube(4, PixelFormatFloatR16, false),
                         "PixelFormatFloatR16 not supported (yet)", 0);
    EXPECT_GRALITH_THROW(device->CreateTextureCube(4, PixelFormatFloatR32, false),
                         "PixelFormatFloatR32 not supported (yet)", 0);
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, static_cast<PixelFormat>(11), false),
                         "Invalid texture pixel type enum", 4);
    EXPECT_GRALITH_THROW(device->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false),
                         "This backend does not support 3d textures", 2);
}

TEST_F(GLDeviceTest, TextureUploadRefusals) {
    unsigned char texels[4 * 4 * 16] = {};
    Texture2D* renderable = device->CreateTexture2D(4, 4, PixelFormatR8G8B8A8, true);
    EXPECT_GRALITH_THROW(renderable->SetData(0, texels, false), "SetData() not allowed on renderable textures", 3);
    TextureCube* renderableCube = device->CreateTextureCube(4, PixelFormatR8G8B8A8, true);
    EXPECT_GRALITH_THROW(renderableCube->SetData(PositiveX, 0, texels, false),
                         "SetData() not allowed on renderable textures", 3);
    Texture2D* half = device->CreateTexture2D(4, 4, PixelFormatFloatR16G16B16A16, false);
    EXPECT_GRALITH_THROW(
        half->SetData(0, texels, false),
        "OpenGL implementation does not support SetData() on PixelFormatFloatR16G16B16A16 textures (yet)", 0);
    TextureCube* halfCube = device->CreateTextureCube(4, PixelFormatFloatR16G16B16A16, false);
    EXPECT_GRALITH_THROW(halfCube->SetData(PositiveX, 0, texels, false),
                         "SetData() does not support PixelFormatFloatR16G16B16A16 (yet)", 0);
    TextureCube* cube = device->CreateTextureCube(4, PixelFormatR8G8B8A8, false);
    EXPECT_GRALITH_THROW(cube->SetData(static_cast<CubeFace>(6), 0, texels, false), "Invalid texture face enum", 4);
    EXPECT_GRALITH_THROW(cube->GetSurface(static_cast<CubeFace>(-1), 0), "Invalid texture face enum", 4);
    Texture2D* plain = device->CreateTexture2D(4, 4, PixelFormatR8G8B8A8, false);
    EXPECT_GRALITH_THROW(plain->SetData(3, texels, false), "Invalid mipmap level", 4);
    EXPECT_GRALITH_THROW(plain->GetSurface(16), "Invalid mipmap level", 4);
    Texture2D* luminance = device->CreateTexture2D(4, 4, PixelFormatLuminance8, false);
    EXPECT_GRALITH_THROW(luminance->GetSurface(0), "Can't get surfaces from PixelFormatLuminance8 textures", 0);
    for (Object* o : std::initializer_list<Object*>{renderable, renderableCube, half, halfCube, cube, plain, luminance})
        o->Release();
}

TEST_F(GLDeviceTest, SurfaceCreationRefusals) {
    EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatR8G8B8A8, device->GetMaxSamples() + 1),
                         "CreateSurface(): This device doesn't support this number of multisamples", 2);
    EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatLuminance8, 0), "Unsupported surface format", 2);
    EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatDXT1, 0), "Unsupported surface format", 2);
}

TEST_F(GLDeviceTest, RenderTargetBindingRefusals) {
    Surface* color = device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0);
    Surface* withBack[] = {color, device->GetBackBuffer()};
    EXPECT_GRALITH_THROW(device->SetRenderTargets(2, withBack, nullptr),
                         "Can't bind the back buffer as a color buffer unless it is the only color buffer", 2);
    EXPECT_EQ(device->GetColorTargetCount(), 0); // nothing changed
    Surface* nothing[] = {nullptr};
    EXPECT_GRALITH_THROW(device->SetRenderTargets(1, nothing, nullptr), "Can't bind the given target as color buffer",
                         3);
    EXPECT_GRALITH_THROW(device->SetRenderTargets(1, &color, device->GetBackBuffer()),
                         "Can't bind the given surface as depth stencil buffer", 2);
    EXPECT_GRALITH_THROW(device->SetRenderTargets(17, withBack, nullptr), "Invalid color target count", 4);
    color->Release();
}

TEST_F(GLDeviceTest, CopyRefusals) {
    Surface* color = device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0);
    Surface* depth = device->CreateSurface(8, 8, PixelFormatDepth16, 0);
    Surface* packed = device->CreateSurface(8, 8, PixelFormatDepth24Stencil8, 0);
    Texture2D* plain = device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false);
    EXPECT_GRALITH_THROW(depth->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
                         "Surface::Copy(): Source/destination buffer is of incompatible types.", 1);
    EXPECT_GRALITH_THROW(packed->Copy(depth, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
                         "Surface::Copy(): Source/destination buffer is of incompatible types.", 1);
    EXPECT_GRALITH_THROW(color->Copy(plain->GetSurface(0), 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
                         "Surface::Copy(): both source and destination surfaces must be renderable", 0);
    EXPECT_GRALITH_THROW(color->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterNone), "Surface::Copy(): invalid filter mode",
                         4);
    EXPECT_GRALITH_THROW(color->Copy(nullptr, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
                         "Surface::Copy(): Can not copy from/to the given surface", 0);
    for (Object* o : std::initializer_list<Object*>{color, depth, packed, plain})
        o->Release();
}

TEST_F(GLDeviceTest, StateDescriptionRefusals) {
    BlendStateDesc blend = {true, static_cast<BlendOperand>(10), BlendOne, BlendOne, BlendOne, true, true, true, true};
    EXPECT_GRALITH_THROW(device->CreateBlendState(blend), "Invalid blend operand enum", 4);
    DepthStencilStateDesc depth = {
        true, static_cast<CompareFunction>(8), true, false, Always, 0, 0, 0, StencilKeep, StencilKeep, StencilKeep};
    EXPECT_GRALITH_THROW(device->CreateDepthStencilState(depth), "Invalid compare function enum", 4);
    depth.DepthFunction = Less;
    depth.StencilPass = static_cast<StencilOperation>(6);
    EXPECT_GRALITH_THROW(device->CreateDepthStencilState(depth), "Invalid stencil operation enum", 4);
    RasterizerStateDesc rasterizer = {1, 1, 1, static_cast<CullMode>(3), false};
    EXPECT_GRALITH_THROW(device->CreateRasterizerState(rasterizer), "Invalid cull face enum", 4);
    SamplerStateDesc sampler = {FilterNone, FilterLinear, FilterNone, AddressWrap, AddressWrap, AddressWrap};
    EXPECT_GRALITH_THROW(device->CreateSamplerState(sampler), "Illegal filter mode enum", 4);
    sampler = {FilterLinear, FilterLinear, FilterNone, AddressWrap, static_cast<AddressMode>(2), AddressWrap};
    EXPECT_GRALITH_THROW(device->CreateSamplerState(sampler), "Illegal filter mode enum", 4);
    InputElementDesc element = {0, 0, 4, 0, static_cast<DataType>(5), 0};
    EXPECT_GRALITH_THROW(device->CreateInputLayout(&element, 1), "Invalid data type enum", 4);
    element = {0, 16, 4, 0, DataTypeFloat32, 0};
    EXPECT_GRALITH_THROW(device->CreateInputLayout(&element, 1), "Invalid input element", 4);
}

TEST(EGLGLDeviceCreation, RefusesDepthFormatsThisBackendLacks) {
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, Depth32Float), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, DepthStencilFormatReserved), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, static_cast<DepthStencilFormat>(4)),
                         "DepthStencilFromat not recognized", 4);
}

} // namespace Gralith::Graphics
