#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils::SceneGraph {

/// Writes FGM geometry blocks (docs/formats.md) for the content tools and the tests. Fields
/// are written exactly as given, unchecked, so that tools can also produce deliberately broken
/// files.
class FGMWriter {
public:
    /// One attribute stream. Version 100 blocks write only semantic, components and data.
    struct Stream {
        String semantic;
        String dataType = "float"; ///< "float", "short" or "byte"
        String remap = "none";     ///< "normalize", "scale_and_bias" or "none"
        float scale = 1.0f;        ///< written only for "scale_and_bias"
        float bias = 0.0f;
        int components = 0;
        Array<unsigned char> data; ///< vertex after vertex, little-endian elements
    };

    struct Block {
        int version = 101; ///< 100 or 101 (other values write that number after "FGM")
        int vertexCount = 0;
        Array<Stream> streams;
        String primitive = "triangles"; ///< "lines" or "triangles"
        String indexType = "int32";     ///< "int32" or "int16"; not written for version 100
        int indexCount = 0;
        Array<unsigned char> indexData;
    };

    /// A float stream of count values (vertex count = count / components).
    static Stream FloatStream(const String& semantic, int components, const float* values, int count);
    /// A 16-bit stream of count values.
    static Stream ShortStream(const String& semantic, int components, const short* values, int count,
                              const String& remap = "none");
    /// An 8-bit stream of count values.
    static Stream ByteStream(const String& semantic, int components, const signed char* values, int count,
                             const String& remap = "none");
    /// Sets the index type, count and data of block.
    static void SetIndices32(Block& block, const int* indices, int count);
    static void SetIndices16(Block& block, const unsigned short* indices, int count);

    static void Write(const Block& block, BinaryWriter& out);
};

} // namespace Gralith::Utils::SceneGraph
