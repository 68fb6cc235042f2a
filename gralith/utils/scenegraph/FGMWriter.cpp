#include "gralith/utils/scenegraph/FGMWriter.h"

#include <cstdio>
#include <cstring>

namespace Gralith::Utils::SceneGraph {

namespace {

void AppendLittleEndian(Array<unsigned char>& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.Add(static_cast<unsigned char>(value >> (8 * i)));
}

} // namespace

FGMWriter::Stream FGMWriter::FloatStream(const String& semantic, int components, const float* values, int count) {
    Stream s;
    s.semantic = semantic;
    s.components = components;
    s.data.Reserve(count * 4);
    for (int i = 0; i < count; ++i) {
        unsigned bits;
        std::memcpy(&bits, &values[i], 4);
        AppendLittleEndian(s.data, bits, 4);
    }
    return s;
}

FGMWriter::Stream FGMWriter::ShortStream(const String& semantic, int components, const short* values, int count,
                                         const String& remap) {
    Stream s;
    s.semantic = semantic;
    s.dataType = "short";
    s.remap = remap;
    s.components = components;
    s.data.Reserve(count * 2);
    for (int i = 0; i < count; ++i)
        AppendLittleEndian(s.data, static_cast<unsigned short>(values[i]), 2);
    return s;
}

FGMWriter::Stream FGMWriter::ByteStream(const String& semantic, int components, const signed char* values, int count,
                                        const String& remap) {
    Stream s;
    s.semantic = semantic;
    s.dataType = "byte";
    s.remap = remap;
    s.components = components;
    s.data.Reserve(count);
    for (int i = 0; i < count; ++i)
        s.data.Add(static_cast<unsigned char>(values[i]));
    return s;
}

void FGMWriter::SetIndices32(Block& block, const int* indices, int count) {
    block.indexType = "int32";
    block.indexCount = count;
    block.indexData.Clear();
    block.indexData.Reserve(count * 4);
    for (int i = 0; i < count; ++i)
        AppendLittleEndian(block.indexData, static_cast<unsigned>(indices[i]), 4);
}

void FGMWriter::SetIndices16(Block& block, const unsigned short* indices, int count) {
    block.indexType = "int16";
    block.indexCount = count;
    block.indexData.Clear();
    block.indexData.Reserve(count * 2);
    for (int i = 0; i < count; ++i)
        AppendLittleEndian(block.indexData, indices[i], 2);
}

void FGMWriter::Write(const Block& block, BinaryWriter& out) {
    char magic[32];
    std::snprintf(magic, sizeof magic, "FGM%d", block.version);
    out.WriteRaw(magic);
    out.WriteInt32(block.vertexCount);
    out.WriteInt32(block.streams.Count());
    for (const Stream& s : block.streams) {
        out.WriteString(s.semantic);
        if (block.version != 100) {
            out.WriteString(s.dataType);
            out.WriteString(s.remap);
            if (s.remap == "scale_and_bias") {
                out.WriteFloat32(s.scale);
                out.WriteFloat32(s.bias);
            }
        }
        out.WriteInt32(s.components);
        out.WriteBytes(s.data.Data(), s.data.Count());
    }
    out.WriteString(block.primitive);
    if (block.version != 100)
        out.WriteString(block.indexType);
    out.WriteInt32(block.indexCount);
    out.WriteBytes(block.indexData.Data(), block.indexData.Count());
}

} // namespace Gralith::Utils::SceneGraph
