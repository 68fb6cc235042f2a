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

TEST_F(GeoStreamTest, CreatesTheFixedLayoutAndOneVolatileBuffer) {
    GeoStream stream(device, 100);
    EXPECT_EQ(BufferModeVolatile, device->lastMode);
    EXPECT_EQ(6000, stream.GetVertexBuffer()->GetSize());
    EXPECT_EQ(60, stream.GetVertexBuffer()->GetStride());
    InputElementDesc e[8];
    ASSERT_EQ(4, stream.GetInputLayout()->GetElements(8, e));
    const int expected[4][6] = {{0, 0, 4, 0, DataTypeFloat32, 0},
                                {2, 0, 3, 16, DataTypeFloat32, 0},
                                {3, 0, 4, 28, DataTypeFloat32, 0},
                                {8, 0, 4, 44, DataTypeFloat32, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i][0], e[i].Semantic) << i;
        EXPECT_EQ(expected[i][1], e[i].Stream) << i;
        EXPECT_EQ(expected[i][2], e[i].ComponentCount) << i;
        EXPECT_EQ(expected[i][3], e[i].Offset) << i;
        EXPECT_EQ(expected[i][4], e[i].Type) << i;
        EXPECT_EQ(expected[i][5], e[i].Normalized) << i;
    }
}

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

TEST_F(GeoStreamTest, OverflowThrowsAndKeepsTheBatch) {
    GeoStream stream(device, 3);
    stream.Begin(Triangles);
    for (int i = 0; i < 3; ++i)
        stream.Vertex(float(i), 0, 0);
    try {
        stream.Vertex(9, 9, 9);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ("GeoStream Vertex Overflow", e.GetMessage());
        EXPECT_EQ(0, e.GetCode());
    }
    EXPECT_EQ(3, stream.GetVertexCount());
    EXPECT_EQ(2.0f, stream.GetVertices()[30]);
    stream.Begin(Triangles);
    stream.Vertex(1, 1, 1);
    EXPECT_EQ(1, stream.GetVertexCount());
}

TEST_F(GeoStreamTest, EmptyBatchUploadsNothing) {
    GeoStream stream(device, 3);
    stream.Begin(Triangles);
    device->ClearCalls();
    stream.End(false);
    EXPECT_TRUE(Calls(NullBufferUpload).empty());
}

TEST_F(GeoStreamTest, WritingABatchAllocatesNothing) {
    GeoStream stream(device, 600);
    const long before = allocations.load();
    for (int frame = 0; frame < 10; ++frame) {
        stream.Begin(Triangles);
        for (int i = 0; i < 600; ++i) {
            stream.TexCoord(float(i), 0);
            stream.Vertex(float(i), 0, 0);
        }
    }
    EXPECT_EQ(before, allocations.load());
}
