#pragma once

#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/scenegraph/FSGWriter.h"

#include <string>
#include <vector>

// A closed box around the origin, 800 units wide, with inward normals and one white-textured
// material: a stand-in scene for the show's effect in tests and benchmarks. Returns FSG bytes.
inline std::string BoxScene() {
    std::vector<float> positions, normals, uvs;
    std::vector<int> indices;
    const float h = 400.0f;
    for (int axis = 0; axis < 3; ++axis)
        for (int side = -1; side <= 1; side += 2) {
            int u = (axis + 1) % 3, v = (axis + 2) % 3;
            int base = static_cast<int>(positions.size() / 3);
            const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            for (const auto& c : corners) {
                float p[3], n[3] = {0, 0, 0};
                p[axis] = side * h;
                p[u] = c[0] * h;
                p[v] = c[1] * h;
                n[axis] = static_cast<float>(-side);
                positions.insert(positions.end(), p, p + 3);
                normals.insert(normals.end(), n, n + 3);
                uvs.insert(uvs.end(), {(c[0] + 1) / 2, (c[1] + 1) / 2});
            }
            indices.insert(indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
        }
    Gralith::Utils::SceneGraph::FSGWriter::Scene scene;
    Gralith::Utils::SceneGraph::FSGWriter::Geometry g;
    g.id = "box";
    g.name = "Box";
    g.block.vertexCount = static_cast<int>(positions.size() / 3);
    g.block.streams.Add(Gralith::Utils::SceneGraph::FGMWriter::FloatStream("POSITION", 3, positions.data(),
                                                                           static_cast<int>(positions.size())));
    g.block.streams.Add(Gralith::Utils::SceneGraph::FGMWriter::FloatStream("NORMAL", 3, normals.data(),
                                                                           static_cast<int>(normals.size())));
    g.block.streams.Add(
        Gralith::Utils::SceneGraph::FGMWriter::FloatStream("TEXCOORD0", 2, uvs.data(), static_cast<int>(uvs.size())));
    Gralith::Utils::SceneGraph::FGMWriter::SetIndices32(g.block, indices.data(), static_cast<int>(indices.size()));
    scene.geometries.Add(g);
    Gralith::Utils::SceneGraph::FSGWriter::Material m;
    m.id = "walls";
    m.program = "shaders/halcyra.cg";
    Gralith::Utils::SceneGraph::FSGWriter::Texture t;
    t.name = "diffuse";
    t.descriptor = "textures/white.png";
    m.textures.Add(t);
    scene.materials.Add(m);
    Gralith::Utils::SceneGraph::FSGWriter::Node node;
    node.id = "room";
    Gralith::Utils::SceneGraph::FSGWriter::Batch batch;
    batch.geometryId = "box";
    batch.materialId = "walls";
    node.batches.Add(batch);
    scene.nodes.Add(node);
    Gralith::Utils::BinaryWriter out;
    Gralith::Utils::SceneGraph::FSGWriter::Write(scene, out);
    const auto& bytes = out.GetBytes();
    return std::string(reinterpret_cast<const char*>(bytes.Data()), static_cast<size_t>(bytes.Count()));
}
