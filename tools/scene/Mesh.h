#pragma once

#include "gralith/utils/scenegraph/FGMWriter.h"

#include <vector>

namespace Halcyra::SceneTool {

/// Triangle mesh with the streams the show's lit shader reads: POSITION, NORMAL, TEXCOORD0.
class Mesh {
public:
    struct V3 {
        float x, y, z;
    };

    /// Regular prism around the z axis: flat-shaded sides and both caps. u runs once around
    /// per uRepeat, v along z every vLength units.
    static Mesh Prism(int sides, float radius, float z0, float z1, float uRepeat, float vLength);
    /// Axis-aligned box centred on the origin; the texture repeats every uvLength units.
    static Mesh Box(float sx, float sy, float sz, float uvLength);
    /// Torus in the xy plane (or, with arcDegrees < 360, an arc of it starting on +x), smooth normals.
    static Mesh Torus(float major, float minor, int segments, int sides, float arcDegrees, float uRepeat);
    /// Square in the plane z = height, facing up, the texture repeated tiles times per side.
    static Mesh Floor(float size, float height, float tiles);

    /// Quarter turn about x: the xy plane becomes the xz plane (for arches).
    void StandUp();

    int VertexCount() const { return static_cast<int>(positions.size() / 3); }
    const std::vector<float>& Positions() const { return positions; }
    Gralith::Utils::SceneGraph::FGMWriter::Block ToBlock() const;

private:
    int AddVertex(V3 p, V3 n, float u, float v);
    void AddQuad(V3 a, V3 b, V3 c, V3 d, V3 n, float u0, float v0, float u1, float v1);

    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> uvs;
    std::vector<int> indices;
};

} // namespace Halcyra::SceneTool
