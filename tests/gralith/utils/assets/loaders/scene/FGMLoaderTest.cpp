#include "FormatSamples.h"

#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/graphics/null/NullShading.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/FGMLoader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace Gralith;
using namespace Gralith::Graphics;
using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::String;
using Gralith::Utils::Assets::Asset;
using Gralith::Utils::Assets::AssetGeometry;
using Gralith::Utils::Assets::AssetScene;
using Gralith::Utils::Assets::Geometry;
using Gralith::Utils::Assets::Proxy;
using Gralith::Utils::Assets::Loaders::FGMLoader;
using Gralith::Utils::SceneGraph::FGMWriter;

namespace {

// Records the buffer modes the loader asks for.
class ModeDevice : public NullDevice {
public:
    ModeDevice() : NullDevice(64, 64) {}
    VertexBuffer* CreateVertexBuffer(BufferMode mode, int size, int stride) override {
        modes.push_back(mode);
        return NullDevice::CreateVertexBuffer(mode, size, stride);
    }
    IndexBuffer* CreateIndexBuffer(BufferMode mode, int size, IndexType type) override {
        modes.push_back(mode);
        return NullDevice::CreateIndexBuffer(mode, size, type);
    }
    std::vector<BufferMode> modes;
};

class FGMLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { device = NullDevice::Create(64, 64); }
    void TearDown() override { device->Release(); }

    Geometry* Read(const std::vector<unsigned char>& bytes, BufferMode mode = BufferModeStatic) {
        MemoryInputStream* s = new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size()));
        try {
            Geometry* g = FGMLoader::ReadBlock(s, device, mode);
            s->Release();
            return g;
        } catch (...) {
            s->Release();
            throw;
        }
    }

    std::string Failure(const std::vector<unsigned char>& bytes, int* code = nullptr) {
        try {
            Read(bytes)->Release();
        } catch (const Exception& e) {
            if (code)
                *code = e.GetCode();
            return e.GetMessage();
        }
        return "(loaded)";
    }

    static InputElementDesc Element(Geometry* g, int i) {
        InputElementDesc e[16];
        g->GetInputLayout()->GetElements(16, e);
        return e[i];
    }

    NullDevice* device = nullptr;
};

void ExpectElement(const InputElementDesc& e, int slot, int stream, int components, DataType type, int normalized) {
    EXPECT_EQ(slot, e.Semantic);
    EXPECT_EQ(stream, e.Stream);
    EXPECT_EQ(components, e.ComponentCount);
    EXPECT_EQ(0, e.Offset);
    EXPECT_EQ(type, e.Type);
    EXPECT_EQ(normalized, e.Normalized);
}

} // namespace

TEST_F(FGMLoaderTest, Version101EveryDataTypeAndRemap) {
    FGMWriter::Block b = FormatSamples::MixedTypes();
    Geometry* g = Read(FormatSamples::Bytes(b));
    ASSERT_EQ(4, g->GetStreamCount());
    ExpectElement(Element(g, 0), 0, 0, 3, DataTypeFloat32, 0);
    ExpectElement(Element(g, 1), 2, 1, 3, DataTypeInt16, 1);
    ExpectElement(Element(g, 2), 3, 2, 4, DataTypeInt8, 0);
    ExpectElement(Element(g, 3), 8, 3, 2, DataTypeInt16, 0);
    const int sizes[] = {36, 18, 12, 12};
    const int strides[] = {12, 6, 4, 4};
    for (int i = 0; i < 4; ++i) {
        auto* vb = static_cast<NullVertexBuffer*>(g->GetVertexBuffer(i));
        EXPECT_EQ(sizes[i], vb->GetSize()) << i;
        EXPECT_EQ(strides[i], vb->GetStride()) << i;
        EXPECT_EQ(0, std::memcmp(b.streams[i].data.Data(), vb->GetBytes(), sizes[i])) << i;
    }
    EXPECT_EQ(1.0f, g->GetScale(0));
    EXPECT_EQ(1.0f, g->GetScale(1));
    EXPECT_EQ(0.5f, g->GetScale(3));
    EXPECT_EQ(0.25f, g->GetBias(3));
    EXPECT_EQ(0.0f, g->GetBias(2));
    auto* ib = static_cast<NullIndexBuffer*>(g->GetIndexBuffer());
    EXPECT_EQ(IndexType16, ib->GetIndexType());
    EXPECT_EQ(6, ib->GetSize());
    g->Release();
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
            MemoryInputStream* s = new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size()));
            s->Seek(0, 3);
            try {
                FGMLoader::ReadBlock(s, device, BufferModeStatic)->Release();
                ADD_FAILURE() << "prefix of " << n << " bytes loaded";
            } catch (const Exception& e) {
                EXPECT_EQ(0, std::strncmp("Corrupt FGM data: ", e.GetMessage(), 18)) << n << ": " << e.GetMessage();
            }
            EXPECT_EQ(3, s->Tell());
            s->Release();
        }
    }
}
