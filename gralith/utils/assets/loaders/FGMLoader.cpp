#include "gralith/utils/assets/loaders/FGMLoader.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/utils/BinaryReader.h"
#include "gralith/utils/Held.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace Gralith::Utils::Assets::Loaders {

using namespace Graphics;

namespace {

String Number(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return String(text);
}

unsigned ReadIndex(const unsigned char* data, int index, int size) {
    const unsigned char* p = data + static_cast<size_t>(index) * size;
    if (size == 2)
        return unsigned(p[0]) | (unsigned(p[1]) << 8);
    return unsigned(p[0]) | (unsigned(p[1]) << 8) | (unsigned(p[2]) << 16) | (unsigned(p[3]) << 24);
}

// The slot of a name in the fixed table, or -1.
int KnownSlot(const String& semantic) {
    if (semantic == "POSITION")
        return 0;
    if (semantic == "NORMAL")
        return 2;
    if (semantic == "COLOR")
        return 3;
    if (semantic == "TEXCOORD")
        return 8;
    if (semantic == "TEXTANGENT")
        return 12;
    if (semantic == "TEXBINORMAL")
        return 13;
    if (semantic.Length() == 9 && std::strncmp(semantic.CStr(), "TEXCOORD", 8) == 0 && semantic[8] >= '0' &&
        semantic[8] <= '7')
        return 8 + (semantic[8] - '0');
    return -1;
}

// Reads one block; without a device it only checks and skips the block.
Geometry* ReadGeometry(BinaryReader& in, Device* device, const String* modeName) {
    char magic[6];
    in.ReadBytes(magic, 6, "magic");
    int version;
    if (std::memcmp(magic, "FGM100", 6) == 0)
        version = 100;
    else if (std::memcmp(magic, "FGM101", 6) == 0)
        version = 101;
    else
        throw Exception(Messages::UnsupportedFgmFormat);

    const BufferMode mode = modeName ? FGMLoader::ParseBufferMode(*modeName) : BufferModeStatic;
    Held<Geometry> geometry(device ? new Geometry(device) : nullptr);
    int vertexCount = in.ReadInt32("vertex count");
    if (vertexCount < 0)
        vertexCount = 0;
    // Each stream needs at least its name length and component count.
    const int streamCount = in.ReadCount("stream count", 8);
    if (streamCount > FGMLoader::MaxStreams)
        throw UtilsException(String(Messages::UnsupportedStreamCount) + Number(streamCount));

    InputElementDesc elements[FGMLoader::MaxStreams];
    int unknownSeen = 0;
    for (int i = 0; i < streamCount; ++i) {
        const String semantic = in.ReadString("stream semantic");
        DataType dataType = DataTypeFloat32;
        int elementSize = 4;
        bool normalize = false;
        float scale = 1.0f;
        float bias = 0.0f;
        if (version == 101) {
            const String typeName = in.ReadString("stream data type");
            if (typeName == "float") {
                dataType = DataTypeFloat32;
                elementSize = 4;
            } else if (typeName == "short") {
                dataType = DataTypeInt16;
                elementSize = 2;
            } else if (typeName == "byte") {
                dataType = DataTypeInt8;
                elementSize = 1;
            } else {
                throw UtilsException(String(Messages::UnsupportedDataType) + typeName);
            }
            const String remap = in.ReadString("stream remap");
            if (remap == "normalize") {
                normalize = true;
            } else if (remap == "scale_and_bias") {
                scale = in.ReadFloat32("stream scale");
                bias = in.ReadFloat32("stream bias");
            } else if (remap != "none") {
                throw UtilsException(String(Messages::UnsupportedRemapType) + remap);
            }
        }
        const int components = in.ReadInt32("component count");
        // A vertex attribute has one to four components.
        if (components < 1 || components > 4)
            throw UtilsException(String(Messages::UnsupportedComponentCount) + Number(components));

        const long long stride = static_cast<long long>(components) * elementSize;
        in.CheckFits(vertexCount, stride, "vertex data");
        const int bytes = static_cast<int>(vertexCount * stride);
        std::unique_ptr<unsigned char[]> data(new unsigned char[bytes > 0 ? bytes : 1]);
        in.ReadBytes(data.get(), bytes, "vertex data");

        const int knownSlot = KnownSlot(semantic);
        elements[i].Semantic = knownSlot >= 0 ? knownSlot : 15 - unknownSeen++;
        elements[i].Stream = i;
        elements[i].ComponentCount = components;
        elements[i].Offset = 0;
        elements[i].Type = dataType;
        elements[i].Normalized = normalize ? 1 : 0;

        if (device) {
            VertexBuffer* buffer = device->CreateVertexBuffer(mode, bytes, static_cast<int>(stride));
            geometry.Get()->AddStream(buffer, scale, bias, semantic);
            if (bytes > 0)
                buffer->SetData(data.get(), 0, bytes);
        }
    }
    if (device)
        geometry.Get()->SetInputLayout(device->CreateInputLayout(elements, streamCount));

    const String primitiveName = in.ReadString("primitive type");
    PrimitiveType primitive;
    if (primitiveName == "lines")
        primitive = Lines;
    else if (primitiveName == "triangles")
        primitive = Triangles;
    else
        throw UtilsException(String(Messages::UnsupportedPrimitiveType) + primitiveName);

    // Version 100 blocks carry no index type; they hold 32-bit indices.
    IndexType indexType = IndexType32;
    int indexSize = 4;
    if (version == 101) {
        const String indexName = in.ReadString("index type");
        if (indexName == "int32") {
            indexType = IndexType32;
            indexSize = 4;
        } else if (indexName == "int16") {
            indexType = IndexType16;
            indexSize = 2;
        } else {
            throw UtilsException(String(Messages::UnsupportedIndexType) + indexName);
        }
    }
    int indexCount = in.ReadInt32("index count");
    if (indexCount < 0)
        indexCount = 0;
    in.CheckFits(indexCount, indexSize, "index data");
    const int indexBytes = indexCount * indexSize;
    std::unique_ptr<unsigned char[]> indices(new unsigned char[indexBytes > 0 ? indexBytes : 1]);
    const long long indexStart = in.GetPosition();
    in.ReadBytes(indices.get(), indexBytes, "index data");
    // An index past the last vertex would make the device read outside the vertex buffers.
    for (int i = 0; i < indexCount; ++i) {
        unsigned index = ReadIndex(indices.get(), i, indexSize);
        if (index >= static_cast<unsigned>(vertexCount))
            in.FailAt(indexStart + static_cast<long long>(i) * indexSize, String("index ") + Number(i) +
                                                                              " refers to vertex " + Number(index) +
                                                                              " of " + Number(vertexCount));
    }

    if (!device)
        return nullptr;
    IndexBuffer* indexBuffer = device->CreateIndexBuffer(mode, indexBytes, indexType);
    geometry.Get()->SetIndexBuffer(indexBuffer);
    if (indexBytes > 0)
        indexBuffer->SetData(indices.get(), 0, indexBytes);

    geometry.Get()->SetCounts(vertexCount, indexCount);
    Geometry::SubMesh mesh;
    mesh.firstIndex = 0;
    mesh.indexCount = indexCount;
    mesh.lowestVertex = 0;
    mesh.vertexCount = vertexCount;
    mesh.primitiveType = primitive;
    geometry.Get()->AddSubMesh(mesh);
    return geometry.Take();
}

} // namespace

int FGMLoader::SlotOfSemantic(const String& semantic, int unknownSeen) {
    const int slot = KnownSlot(semantic);
    return slot >= 0 ? slot : 15 - unknownSeen;
}

BufferMode FGMLoader::ParseBufferMode(const String& name) {
    if (name == "static")
        return BufferModeStatic;
    if (name == "dynamic")
        return BufferModeDynamic;
    if (name == "volatile")
        return BufferModeVolatile;
    throw UtilsException(String(Messages::UnsupportedBufferMode) + name);
}

Geometry* FGMLoader::ReadBlock(InputStream* stream, Device* device, BufferMode mode) {
    static const String names[] = {"static", "dynamic", "volatile"};
    if (!device)
        throw Exception(Messages::NullAccess);
    BinaryReader in(stream, "FGM");
    const long long start = in.GetPosition();
    try {
        return ReadGeometry(in, device, mode >= 0 && mode <= 2 ? &names[mode] : nullptr);
    } catch (...) {
        stream->Seek(0, static_cast<int>(start));
        throw;
    }
}

Asset* FGMLoader::Load(int type, String path, Proxy* proxy) {
    Array<String> fields;
    path.Split(':', fields);
    if (fields.Count() < 2)
        return Loader::Load(type, path, proxy);
    Scene* scene = proxy->GetScene(fields[0], this);
    Geometry* geometry = scene->FindGeometry(fields[1]);
    if (!geometry)
        throw UtilsException(String(Messages::MeshNotFound) + fields[1]);
    // The proxy takes over one reference; the scene keeps its own.
    geometry->AddRef();
    return geometry;
}

void FGMLoader::SkipBlock(InputStream* stream) {
    BinaryReader in(stream, "FGM");
    ReadGeometry(in, nullptr, nullptr);
}

Asset* FGMLoader::Load(int, InputStream* stream, String path, Proxy* proxy) {
    Array<String> fields;
    path.Split(':', fields);
    if (!proxy->GetDevice())
        throw Exception(Messages::NullAccess);
    BinaryReader in(stream, "FGM");
    const long long start = in.GetPosition();
    try {
        return ReadGeometry(in, proxy->GetDevice(), fields.Count() >= 2 ? &fields[1] : nullptr);
    } catch (...) {
        // The proxy tries the block again under its next candidate path: let it start over.
        stream->Seek(0, static_cast<int>(start));
        throw;
    }
}

bool FGMLoader::CanLoad(int type) { return type == AssetGeometry; }

String FGMLoader::GetName() { return "FGMLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
