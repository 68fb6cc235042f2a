#include "gralith/utils/GeoStream.h"
#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/graphics/null/NullShading.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

using namespace Gralith;
using namespace Gralith::Graphics;
using Gralith::Utils::GeoStream;

namespace {

std::atomic<long> allocations{0};

// Remembers the mode of the vertex buffers it makes.
class ModeDevice : public NullDevice {
public:
    ModeDevice() : NullDevice(64, 64) {}
    VertexBuffer* CreateVertexBuffer(BufferMode mode, int size, int stride) override {
        lastMode = mode;
        return NullDevice::CreateVertexBuffer(mode, size, stride);
    }
    BufferMode lastMode = BufferModeStatic;
};

class GeoStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = new ModeDevice();
        Shader* vs = device->CreateShader(VertexShader, 0, "main", 0, "vs");
        Shader* ps = device->CreateShader(PixelShader, 0, "main", 0, "ps");
        program = device->CreateProgram(vs, ps);
        vs->Release();
        ps->Release();
        device->SetProgram(program);
    }
    void TearDown() override {
        device->SetProgram(nullptr);
        program->Release();
        device->Release();
    }
    std::vector<NullCall> Calls(NullCallKind kind) {
        std::vector<NullCall> found;
        for (const NullCall& c : device->GetCalls())
            if (c.Kind == kind)
                found.push_back(c);
        return found;
    }
    ModeDevice* device = nullptr;
    Program* program = nullptr;
};

} // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST_F(GeoStreamTest, VerticesCarryTheCurrentNormalColourAndTexCoord) {
    GeoStream stream(device, 4);
    stream.Begin(TriangleStrip);
    stream.Vertex(1, 2, 3);
    stream.TexCoord(0.5f, 0.25f);
    stream.Vertex(4, 5, 6, 7);
    ASSERT_EQ(2, stream.GetVertexCount());
    const float first[15] = {1, 2, 3, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 1};
    const float second[15] = {4, 5, 6, 7, 0, 0, 1, 1, 1, 1, 1, 0.5f, 0.25f, 0, 1};
    EXPECT_EQ(0, std::memcmp(first, stream.GetVertices(), sizeof first));
    EXPECT_EQ(0, std::memcmp(second, stream.GetVertices() + 15, sizeof second));
}

TEST_F(GeoStreamTest, EndUploadsTheWrittenVerticesAndDrawsWhenAsked) {
    GeoStream stream(device, 8);
    stream.Begin(Triangles);
    for (int i = 0; i < 3; ++i)
        stream.Vertex(float(i), 0, 0);
    device->ClearCalls();
    stream.End(false);
    std::vector<NullCall> uploads = Calls(NullBufferUpload);
    ASSERT_EQ(1u, uploads.size());
    EXPECT_EQ(stream.GetVertexBuffer(), uploads[0].Object);
    EXPECT_EQ(0, uploads[0].Args[0]);
    EXPECT_EQ(180, uploads[0].Args[1]);
    EXPECT_TRUE(Calls(NullDraw).empty());
    auto* buffer = static_cast<NullVertexBuffer*>(stream.GetVertexBuffer());
    EXPECT_EQ(0, std::memcmp(stream.GetVertices(), buffer->GetBytes(), 180));

    device->ClearCalls();
    stream.End(true);
    std::vector<NullCall> draws = Calls(NullDraw);
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(0, draws[0].Args[0]);
    EXPECT_EQ(3, draws[0].Args[1]);
    EXPECT_EQ(Triangles, draws[0].Args[2]);
    EXPECT_EQ(stream.GetVertexBuffer(), device->GetVertexBuffer(0));
    EXPECT_EQ(stream.GetInputLayout(), device->GetInputLayout());

    // The next batch starts empty and draws only its own vertices.
    stream.Begin(Lines);
    stream.Vertex(0, 0, 0);
    stream.Vertex(1, 1, 1);
    device->ClearCalls();
    stream.End(true);
    draws = Calls(NullDraw);
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(2, draws[0].Args[1]);
    EXPECT_EQ(Lines, draws[0].Args[2]);
    EXPECT_EQ(120, Calls(NullBufferUpload)[0].Args[1]);
}
