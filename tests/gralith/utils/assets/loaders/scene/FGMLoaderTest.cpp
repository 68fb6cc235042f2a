#include "../LoaderTestSupport.h"
#include "FormatSamples.h"

#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/loaders/FGMLoader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace GralithTest;
using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::Assets::Geometry;
using Gralith::Utils::Assets::Loaders::FGMLoader;
using Gralith::Utils::SceneGraph::FGMWriter;

namespace {

class FGMLoaderTest : public ::testing::Test {
protected:
    Geometry* Read(const std::vector<unsigned char>& bytes) {
        Held<MemoryInputStream> s(new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())));
        return FGMLoader::ReadBlock(s.get(), device.get(), BufferModeStatic);
    }

    std::string Failure(const std::vector<unsigned char>& bytes, int* code = nullptr) {
        return MessageOf([&] { Read(bytes)->Release(); }, code);
    }

    Held<NullDevice> device{NullDevice::Create(64, 64)};
};

} // namespace

TEST_F(FGMLoaderTest, Version101EveryDataTypeAndRemap) {
    FGMWriter::Block b = FormatSamples::MixedTypes();
    Held<Geometry> g(Read(FormatSamples::Bytes(b)));
    ASSERT_EQ(4, g->GetStreamCount());
    InputElementDesc e[4];
    g->GetInputLayout()->GetElements(4, e);
    // Semantic, stream, components, offset, type, normalized; buffer size and stride; scale, bias.
    const std::vector<float> expected[] = {{0, 0, 3, 0, DataTypeFloat32, 0, 36, 12, 1, 0},
                                           {2, 1, 3, 0, DataTypeInt16, 1, 18, 6, 1, 0},
                                           {3, 2, 4, 0, DataTypeInt8, 0, 12, 4, 1, 0},
                                           {8, 3, 2, 0, DataTypeInt16, 0, 12, 4, 0.5f, 0.25f}};
    for (int i = 0; i < 4; ++i) {
        auto* vb = static_cast<NullVertexBuffer*>(g->GetVertexBuffer(i));
        EXPECT_EQ(expected[i],
                  (std::vector<float>{float(e[i].Semantic), float(e[i].Stream), float(e[i].ComponentCount),
                                      float(e[i].Offset), float(e[i].Type), float(e[i].Normalized),
                                      float(vb->GetSize()), float(vb->GetStride()), g->GetScale(i), g->GetBias(i)}))
            << i;
        EXPECT_EQ(0, std::memcmp(b.streams[i].data.Data(), vb->GetBytes(), vb->GetSize())) << i;
    }
    auto* ib = static_cast<NullIndexBuffer*>(g->GetIndexBuffer());
    EXPECT_EQ(IndexType16, ib->GetIndexType());
    EXPECT_EQ(6, ib->GetSize());
}

TEST_F(FGMLoaderTest, UnsupportedValuesFailWithTheirMessages) {
    struct Case {
        std::function<void(FGMWriter::Block&)> change;
        const char* message;
    };
    const Case cases[] = {
        {[](FGMWriter::Block& b) { b.version = 102; }, "Unsupported Format"},
        {[](FGMWriter::Block& b) { b.streams[1].dataType = "double"; }, "Unsupported Data Type: double"},
        {[](FGMWriter::Block& b) { b.streams[1].remap = "normalise"; }, "Unsupported Remap Type: normalise"},
        {[](FGMWriter::Block& b) { b.primitive = "points"; }, "Unsupported Primitive Type: points"},
        {[](FGMWriter::Block& b) { b.indexType = "int8"; }, "Unsupported Index Type: int8"},
        {[](FGMWriter::Block& b) { b.streams[0].components = 5; }, "Unsupported Component Count: 5"},
        {[](FGMWriter::Block& b) { b.streams[0].components = 0; }, "Unsupported Component Count: 0"},
    };
    for (const Case& c : cases) {
        FGMWriter::Block b = FormatSamples::Quad(101);
        c.change(b);
        int code = -1;
        EXPECT_EQ(c.message, Failure(FormatSamples::Bytes(b), &code));
        EXPECT_EQ(0, code) << c.message;
    }
}

TEST_F(FGMLoaderTest, IndexPastTheLastVertexFails) {
    FGMWriter::Block b = FormatSamples::Quad(101);
    const int idx[] = {0, 1, 4};
    FGMWriter::SetIndices32(b, idx, 3);
    EXPECT_EQ("Corrupt FGM data: index 2 refers to vertex 4 of 4 at byte 195", Failure(FormatSamples::Bytes(b)));
    const int negative[] = {-1};
    FGMWriter::SetIndices32(b, negative, 1);
    EXPECT_EQ("Corrupt FGM data: index 0 refers to vertex 4294967295 of 4 at byte 187",
              Failure(FormatSamples::Bytes(b)));
}

TEST_F(FGMLoaderTest, AbsurdCountsFailBeforeAllocating) {
    FGMWriter::Block b = FormatSamples::Quad(101);
    b.vertexCount = 0x7FFFFFFF;
    EXPECT_EQ("Corrupt FGM data: vertex data needs 25769803764 bytes but only 164 are left at byte 47",
              Failure(FormatSamples::Bytes(b)));

    b = FormatSamples::Quad(101);
    b.indexCount = 0x40000000;
    EXPECT_EQ("Corrupt FGM data: index data needs 4294967296 bytes but only 24 are left at byte 187",
              Failure(FormatSamples::Bytes(b)));

    std::vector<unsigned char> bytes = FormatSamples::Bytes(FormatSamples::Quad(101));
    bytes[10] = 0xFF; // stream count 0x7F0000FF
    bytes[13] = 0x7F;
    EXPECT_EQ("Corrupt FGM data: stream count 2130706687 exceeds what the 197 bytes left can hold at byte 10",
              Failure(bytes));
}

TEST_F(FGMLoaderTest, EveryTruncationFailsCleanlyAndRewindsTheStream) {
    const std::vector<unsigned char> samples[] = {FormatSamples::Bytes(FormatSamples::Quad(100)),
                                                  FormatSamples::Bytes(FormatSamples::Quad(101)),
                                                  FormatSamples::Bytes(FormatSamples::MixedTypes())};
    for (const std::vector<unsigned char>& full : samples) {
        Read(full)->Release();
        for (size_t n = 0; n < full.size(); ++n) {
            // The block sits after 3 bytes of something else, as inside a scene file.
            std::vector<unsigned char> bytes = {1, 2, 3};
            bytes.insert(bytes.end(), full.begin(), full.begin() + n);
            Held<MemoryInputStream> s(new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())));
            s->Seek(0, 3);
            const std::string message =
                MessageOf([&] { FGMLoader::ReadBlock(s.get(), device.get(), BufferModeStatic)->Release(); });
            EXPECT_EQ(0u, message.rfind("Corrupt FGM data: ", 0)) << n << ": " << message;
            EXPECT_EQ(3, s->Tell());
        }
    }
}
