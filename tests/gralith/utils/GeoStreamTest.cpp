#include "gralith/utils/GeoStream.h"
#include "gralith/graphics/null/NullResources.h"

#include "tests/gralith/graphics/NullDrawing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Gralith;
using namespace Gralith::Graphics;
using Gralith::Utils::GeoStream;

namespace {

// GeoStream binds its own buffer and layout when it draws.
class GeoStreamTest : public ::testing::Test, protected NullDrawing {
protected:
    // The uploads and draws since the last look, as "upload offset size" and "draw first count type".
    std::string Calls() {
        std::string seen;
        for (const NullCall& c : device->GetCalls())
            if (c.Kind == NullBufferUpload || c.Kind == NullDraw)
                seen += (c.Kind == NullDraw ? " draw " : " upload ") + std::to_string(c.Args[0]) + " " +
                        std::to_string(c.Args[1]) + (c.Kind == NullDraw ? " " + std::to_string(c.Args[2]) : "");
        device->ClearCalls();
        return seen;
    }
};

} // namespace

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
    Calls();
    stream.End(false);
    EXPECT_EQ(" upload 0 180", Calls());
    auto* buffer = static_cast<NullVertexBuffer*>(stream.GetVertexBuffer());
    EXPECT_EQ(0, std::memcmp(stream.GetVertices(), buffer->GetBytes(), 180));
    stream.End(true);
    EXPECT_EQ(" upload 0 180 draw 0 3 " + std::to_string(Triangles), Calls());
    EXPECT_EQ(stream.GetVertexBuffer(), device->GetVertexBuffer(0));
    EXPECT_EQ(stream.GetInputLayout(), device->GetInputLayout());
    // The next batch starts empty and draws only its own vertices.
    stream.Begin(Lines);
    stream.Vertex(0, 0, 0);
    stream.Vertex(1, 1, 1);
    stream.End(true);
    EXPECT_EQ(" upload 0 120 draw 0 2 " + std::to_string(Lines), Calls());
}
