#include "Mesh.h"

#include <cmath>

namespace Halcyra::SceneTool {

using Gralith::Utils::SceneGraph::FGMWriter;

namespace {
constexpr float Pi = 3.14159265358979f;
}

int Mesh::AddVertex(V3 p, V3 n, float u, float v) {
    positions.insert(positions.end(), {p.x, p.y, p.z});
    normals.insert(normals.end(), {n.x, n.y, n.z});
    uvs.insert(uvs.end(), {u, v});
    return VertexCount() - 1;
}

// a, b, c, d counter-clockwise seen from the side n points to.
void Mesh::AddQuad(V3 a, V3 b, V3 c, V3 d, V3 n, float u0, float v0, float u1, float v1) {
    const int i = AddVertex(a, n, u0, v0);
    AddVertex(b, n, u1, v0);
    AddVertex(c, n, u1, v1);
    AddVertex(d, n, u0, v1);
    indices.insert(indices.end(), {i, i + 1, i + 2, i, i + 2, i + 3});
}

Mesh Mesh::Prism(int sides, float radius, float z0, float z1, float uRepeat, float vLength) {
    Mesh m;
    const float v0 = z0 / vLength, v1 = z1 / vLength;
    for (int s = 0; s < sides; ++s) {
        const float a0 = 2.0f * Pi * static_cast<float>(s) / static_cast<float>(sides);
        const float a1 = 2.0f * Pi * static_cast<float>(s + 1) / static_cast<float>(sides);
        const float am = 0.5f * (a0 + a1);
        const V3 p0{radius * std::cos(a0), radius * std::sin(a0), 0.0f};
        const V3 p1{radius * std::cos(a1), radius * std::sin(a1), 0.0f};
        const float u0 = uRepeat * static_cast<float>(s) / static_cast<float>(sides);
        const float u1 = uRepeat * static_cast<float>(s + 1) / static_cast<float>(sides);
        m.AddQuad({p0.x, p0.y, z0}, {p1.x, p1.y, z0}, {p1.x, p1.y, z1}, {p0.x, p0.y, z1},
                  {std::cos(am), std::sin(am), 0.0f}, u0, v0, u1, v1);
    }
    // Caps: fans around a centre vertex, texture mapped from above.
    for (int cap = 0; cap < 2; ++cap) {
        const float z = cap == 0 ? z1 : z0;
        const V3 n{0.0f, 0.0f, cap == 0 ? 1.0f : -1.0f};
        const float scale = 0.5f / radius;
        const int centre = m.AddVertex({0.0f, 0.0f, z}, n, 0.5f, 0.5f);
        for (int s = 0; s <= sides; ++s) {
            const float a = 2.0f * Pi * static_cast<float>(s) / static_cast<float>(sides);
            const float x = radius * std::cos(a), y = radius * std::sin(a);
            m.AddVertex({x, y, z}, n, 0.5f + x * scale, 0.5f + y * scale);
        }
        for (int s = 0; s < sides; ++s) {
            if (cap == 0)
                m.indices.insert(m.indices.end(), {centre, centre + 1 + s, centre + 2 + s});
            else
                m.indices.insert(m.indices.end(), {centre, centre + 2 + s, centre + 1 + s});
        }
    }
    return m;
}

Mesh Mesh::Box(float sx, float sy, float sz, float uvLength) {
    Mesh m;
    const float x = 0.5f * sx, y = 0.5f * sy, z = 0.5f * sz;
    const float ux = sx / uvLength, uy = sy / uvLength, uz = sz / uvLength;
    m.AddQuad({x, -y, -z}, {x, y, -z}, {x, y, z}, {x, -y, z}, {1, 0, 0}, 0, 0, uy, uz);
    m.AddQuad({-x, y, -z}, {-x, -y, -z}, {-x, -y, z}, {-x, y, z}, {-1, 0, 0}, 0, 0, uy, uz);
    m.AddQuad({x, y, -z}, {-x, y, -z}, {-x, y, z}, {x, y, z}, {0, 1, 0}, 0, 0, ux, uz);
    m.AddQuad({-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}, {0, -1, 0}, 0, 0, ux, uz);
    m.AddQuad({-x, -y, z}, {x, -y, z}, {x, y, z}, {-x, y, z}, {0, 0, 1}, 0, 0, ux, uy);
    m.AddQuad({-x, y, -z}, {x, y, -z}, {x, -y, -z}, {-x, -y, -z}, {0, 0, -1}, 0, 0, ux, uy);
    return m;
}

Mesh Mesh::Torus(float major, float minor, int segments, int sides, float arcDegrees, float uRepeat) {
    Mesh m;
    const float arc = arcDegrees * Pi / 180.0f;
    const bool closed = arcDegrees >= 360.0f;
    for (int i = 0; i <= segments; ++i) {
        const float a = arc * static_cast<float>(i) / static_cast<float>(segments);
        const float ca = std::cos(a), sa = std::sin(a);
        for (int j = 0; j <= sides; ++j) {
            const float b = 2.0f * Pi * static_cast<float>(j) / static_cast<float>(sides);
            const float cb = std::cos(b), sb = std::sin(b);
            const V3 n{ca * cb, sa * cb, sb};
            const V3 p{ca * (major + minor * cb), sa * (major + minor * cb), minor * sb};
            m.AddVertex(p, n, uRepeat * static_cast<float>(i) / static_cast<float>(segments),
                        static_cast<float>(j) / static_cast<float>(sides));
        }
    }
    const int row = sides + 1;
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < sides; ++j) {
            const int a = i * row + j, b = (i + 1) * row + j;
            m.indices.insert(m.indices.end(), {a, b, b + 1, a, b + 1, a + 1});
        }
    if (!closed) {
        // Flat end caps so the arc's ends are not open tubes.
        for (int end = 0; end < 2; ++end) {
            const float a = end == 0 ? 0.0f : arc;
            const V3 n = end == 0 ? V3{0.0f, -1.0f, 0.0f} : V3{-std::sin(arc), std::cos(arc), 0.0f};
            const int centre = m.AddVertex({std::cos(a) * major, std::sin(a) * major, 0.0f}, n, 0.5f, 0.5f);
            for (int j = 0; j <= sides; ++j) {
                const float b = 2.0f * Pi * static_cast<float>(j) / static_cast<float>(sides);
                const float r = major + minor * std::cos(b);
                m.AddVertex({std::cos(a) * r, std::sin(a) * r, minor * std::sin(b)}, n, 0.5f + 0.5f * std::cos(b),
                            0.5f + 0.5f * std::sin(b));
            }
            for (int j = 0; j < sides; ++j)
                m.indices.insert(m.indices.end(), {centre, centre + 1 + j, centre + 2 + j});
        }
    }
    return m;
}

Mesh Mesh::Floor(float size, float height, float tiles) {
    Mesh m;
    const float h = 0.5f * size;
    m.AddQuad({-h, -h, height}, {h, -h, height}, {h, h, height}, {-h, h, height}, {0, 0, 1}, 0, 0, tiles, tiles);
    return m;
}

void Mesh::StandUp() {
    for (size_t i = 0; i < positions.size(); i += 3) {
        const float y = positions[i + 1], z = positions[i + 2];
        positions[i + 1] = -z;
        positions[i + 2] = y;
        const float ny = normals[i + 1], nz = normals[i + 2];
        normals[i + 1] = -nz;
        normals[i + 2] = ny;
    }
}

FGMWriter::Block Mesh::ToBlock() const {
    FGMWriter::Block block;
    block.version = 101;
    block.vertexCount = VertexCount();
    block.streams.Add(FGMWriter::FloatStream("POSITION", 3, positions.data(), static_cast<int>(positions.size())));
    block.streams.Add(FGMWriter::FloatStream("NORMAL", 3, normals.data(), static_cast<int>(normals.size())));
    block.streams.Add(FGMWriter::FloatStream("TEXCOORD0", 2, uvs.data(), static_cast<int>(uvs.size())));
    block.primitive = "triangles";
    FGMWriter::SetIndices32(block, indices.data(), static_cast<int>(indices.size()));
    return block;
}

} // namespace Halcyra::SceneTool
