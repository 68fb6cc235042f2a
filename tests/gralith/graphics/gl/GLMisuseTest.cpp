// Misuse of the device that must end in an Exception or keep working, never in a read of memory
// the engine or the driver does not own.

#include "GLTestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/gl/CgShading.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <utility>

namespace Gralith::Graphics {

namespace {

struct DrawCase {
    int first;
    int count;
    bool accepted;
};

void ExpectDraws(const std::function<void(int, int)>& draw, std::initializer_list<DrawCase> cases) {
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "first " << c.first << ", count " << c.count);
        if (c.accepted)
            EXPECT_NO_THROW(draw(c.first, c.count));
        else
            EXPECT_GRALITH_THROW(draw(c.first, c.count), Messages::BufferRange, 4);
    }
}

// While alive, the first GetError after a buffer, texture or renderbuffer name was generated
// answers "out of memory", as a driver does when the storage that follows cannot be had.
class OutOfMemoryAfterGen {
public:
    explicit OutOfMemoryAfterGen(GLFunctions& gl) : gl(gl), saved(gl) {
        real = gl;
        gl.GetError.pointer = [] { return std::exchange(failNext, false) ? GL_OUT_OF_MEMORY : real.GetError(); };
        gl.GenBuffers.pointer = [](int n, unsigned int* names) { Fail(real.GenBuffers, n, names); };
        gl.GenTextures.pointer = [](int n, unsigned int* names) { Fail(real.GenTextures, n, names); };
        gl.GenRenderbuffers.pointer = [](int n, unsigned int* names) { Fail(real.GenRenderbuffers, n, names); };
    }
    ~OutOfMemoryAfterGen() { gl = saved; }

private:
    static void Fail(const GLEntry<void(int, unsigned int*)>& gen, int n, unsigned int* names) {
        gen(n, names);
        failNext = true;
    }
    static inline GLFunctions real;
    static inline bool failNext = false;
    GLFunctions& gl;
    GLFunctions saved;
};

} // namespace

// The quad buffer holds 6 vertices of the colour layout's 32 bytes.
TEST_F(GLDeviceTest, DrawsReadingPastTheBoundVertexBuffersAreRefused) {
    FullQuad(1, 0, 0);
    auto draw = [this](int first, int count) { device->DrawUnindexed(first, count); };
    ExpectDraws(draw, {{0, 6, true},
                       {5, 1, true},
                       {6, 0, true},
                       {0, 7, false},
                       {6, 1, false},
                       {-1, 2, false},
                       {0, -1, false},
                       {2147483647, 2, false}});
    // An element ending beyond the stride leaves the last vertex short.
    InputElementDesc wide[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 0, 4, 20, DataTypeFloat32, 0}};
    device->SetInputLayout(Keep(device->CreateInputLayout(wide, 2)));
    ExpectDraws(draw, {{0, 5, true}, {0, 6, false}});
}

TEST_F(GLDeviceTest, IndexedDrawsCheckEveryIndexAgainstTheVertexBuffers) {
    FullQuad(0, 1, 0);
    IndexBuffer* indices = Keep(device->CreateIndexBuffer(BufferModeStatic, 8, IndexType16));
    const std::uint16_t data[4] = {0, 1, 2, 5};
    indices->SetData(data, 0, 0);
    device->SetIndexBuffer(indices);
    auto draw = [this](int first, int count) { device->DrawIndexed(first, count, 0, 5); };
    ExpectDraws(draw, {{0, 4, true}, {1, 3, true}, {1, 4, false}, {4, 1, false}, {-1, 1, false}});

    // Indices written through a lock count from the unlock on.
    auto* locked = static_cast<std::uint16_t*>(indices->Lock(LockWriteOnly, 6, 2));
    *locked = 6;
    indices->Unlock();
    ExpectDraws(draw, {{0, 3, true}, {0, 4, false}, {3, 1, false}});
    const std::uint16_t back = 3;
    indices->SetData(&back, 6, 2);
    ExpectDraws(draw, {{0, 4, true}});
    EXPECT_TRUE(Near(Read(Size / 2, Size / 2), {0, 255, 0, 255}));

    IndexBuffer* wide = Keep(device->CreateIndexBuffer(BufferModeStatic, 8, IndexType32));
    const std::uint32_t large[2] = {0, 70000};
    wide->SetData(large, 0, 0);
    device->SetIndexBuffer(wide);
    ExpectDraws(draw, {{0, 1, true}, {0, 2, false}});
}

TEST_F(GLDeviceTest, OutOfMemoryWhileCreatingIsAnException) {
    {
        OutOfMemoryAfterGen failing(const_cast<GLFunctions&>(device->GL()));
        EXPECT_GRALITH_THROW(device->CreateVertexBuffer(BufferModeStatic, 64, 16), Messages::VertexBufferCreation, 0);
        EXPECT_GRALITH_THROW(device->CreateIndexBuffer(BufferModeStatic, 64, IndexType16),
                             Messages::IndexBufferCreation, 0);
        EXPECT_GRALITH_THROW(device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false), Messages::TextureOutOfMemory,
                             0);
        EXPECT_GRALITH_THROW(device->CreateTextureCube(8, PixelFormatR8G8B8A8, true), Messages::TextureOutOfMemory, 0);
        EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0), Messages::SurfaceCreation, 0);
    }
    // An error an earlier call left behind is not taken for the new object's.
    device->GL().Enable(0xFFFF);
    Keep(device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false));
}

// Whoever releases the device first, what it made goes on working and goes cleanly (the
// sanitizer build reports any touch of a freed device).
TEST(GLDeviceLifetime, WhatADeviceMadeKeepsItAlive) {
    EGLGLDevice* device = EGLGLDevice::Create(8, 8);
    VertexBuffer* vertices = device->CreateVertexBuffer(BufferModeStatic, 64, 16);
    IndexBuffer* indices = device->CreateIndexBuffer(BufferModeStatic, 8, IndexType16);
    Texture2D* texture = device->CreateTexture2D(2, 2, PixelFormatR8G8B8A8, false);
    TextureCube* cube = device->CreateTextureCube(2, PixelFormatR8G8B8A8, true);
    Surface* surface = device->CreateSurface(2, 2, PixelFormatR8G8B8A8, 0);
    const char* source = "float4 v() : POSITION { return 0; }\nfloat4 p() : COLOR { return 1; }\n";
    Shader* vertex = device->CreateShader(VertexShader, 0, "v", 0, source);
    Shader* pixel = device->CreateShader(PixelShader, 0, "p", 0, source);
    Program* program = device->CreateProgram(vertex, pixel);
    EXPECT_EQ(device->GetRefCount(), 1 + 8);

    device->Release();
    const unsigned char pixels[16] = {};
    vertices->SetData(pixels, 0, 16);
    texture->SetData(0, pixels, false);
    for (Object* made : std::initializer_list<Object*>{vertices, indices, texture, cube, surface, vertex, pixel})
        made->Release();
    EXPECT_EQ(program->GetRefCount(), 1);
    program->Release();
}

// A device made without a shading layer gets one later; a draw with every state unset then uses
// the defaults instead of reaching for states that were never made.
class ShadingAddedLater : public GLDeviceTest {
    EGLGLDevice* CreateDevice() override {
        EGLGLDevice* late = EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, nullptr);
        late->SetShadingContext(CreateCgShading(late));
        return late;
    }
};

TEST_F(ShadingAddedLater, DrawsWithTheDefaultStates) {
    EXPECT_NE(device->GetSemanticMap(), nullptr);
    device->SetBlendState(nullptr);
    device->SetDepthStencilState(nullptr);
    device->SetRasterizerState(nullptr);
    device->Clear(ClearColor, 0, 0, 1, 1, 1, 0);
    FullQuad(1, 0, 0, 0.25f);
    // The default blend state does not blend: the quad's colour replaces the blue, alpha included.
    EXPECT_TRUE(Near(Read(1, 1), {255, 0, 0, 64}));
}

} // namespace Gralith::Graphics
