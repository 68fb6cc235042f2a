#include "MeshConverter.h"

#include <assimp/scene.h>

#include <vector>

namespace FsgConvert {

using Gralith::Utils::SceneGraph::FGMWriter;

namespace {

// The FGM vertex count is an int32 and each stream's bytes must fit one too.
constexpr unsigned MaxVertices = 0x7FFFFFFF / 16;

FGMWriter::Stream Floats(const char* semantic, int components, const std::vector<float>& values) {
    return FGMWriter::FloatStream(semantic, components, values.data(), static_cast<int>(values.size()));
}

} // namespace

std::vector<std::string> ConvertMeshes(const aiScene& scene, const Options& options, Conversion& out) {
    std::vector<std::string> ids(scene.mNumMeshes);
    IdTable table(options.prefix, "mesh");
    for (unsigned i = 0; i < scene.mNumMeshes; ++i) {
        const aiMesh& mesh = *scene.mMeshes[i];
        const std::string name = mesh.mName.C_Str();
        const std::string quoted = Quoted(name, "#" + std::to_string(i));
        const bool triangles = mesh.mPrimitiveTypes & (aiPrimitiveType_TRIANGLE | aiPrimitiveType_POLYGON);
        const bool lines = mesh.mPrimitiveTypes & aiPrimitiveType_LINE;
        if (!triangles && !lines) {
            out.leftOut.push_back("mesh " + quoted + ": points (the engine draws lines and triangles)");
            continue;
        }
        if (mesh.mNumVertices > MaxVertices) {
            out.leftOut.push_back("mesh " + quoted + ": " + std::to_string(mesh.mNumVertices) + " vertices, too many");
            continue;
        }
        const unsigned corners = triangles ? 3 : 2;
        const int count = static_cast<int>(mesh.mNumVertices);

        FGMWriter::Block block;
        block.vertexCount = count;
        block.primitive = triangles ? "triangles" : "lines";
        std::vector<float> values;
        std::string streams = "POSITION";
        auto add3 = [&](const aiVector3D* v, int components, const char* semantic) {
            values.clear();
            values.reserve(static_cast<size_t>(count) * components);
            for (int k = 0; k < count; ++k)
                for (int c = 0; c < components; ++c)
                    values.push_back(v[k][static_cast<unsigned>(c)]);
            block.streams.Add(Floats(semantic, components, values));
        };
        add3(mesh.mVertices, 3, "POSITION");
        if (mesh.mNormals) {
            add3(mesh.mNormals, 3, "NORMAL");
            streams += " NORMAL";
        }
        if (mesh.mTextureCoords[0]) {
            const unsigned components = mesh.mNumUVComponents[0];
            add3(mesh.mTextureCoords[0], components >= 1 && components <= 3 ? static_cast<int>(components) : 2,
                 "TEXCOORD0");
            streams += " TEXCOORD0";
        }
        if (mesh.mColors[0]) {
            values.clear();
            values.reserve(static_cast<size_t>(count) * 4);
            for (int k = 0; k < count; ++k) {
                const aiColor4D& c = mesh.mColors[0][k];
                values.insert(values.end(), {c.r, c.g, c.b, c.a});
            }
            block.streams.Add(Floats("COLOR", 4, values));
            streams += " COLOR";
        }

        std::vector<unsigned> indices;
        indices.reserve(static_cast<size_t>(mesh.mNumFaces) * corners);
        unsigned skipped = 0;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            bool inRange = face.mNumIndices == corners;
            for (unsigned k = 0; inRange && k < corners; ++k)
                inRange = face.mIndices[k] < mesh.mNumVertices;
            if (!inRange) {
                ++skipped;
                continue;
            }
            indices.insert(indices.end(), face.mIndices, face.mIndices + corners);
        }
        if (count <= 65536) {
            std::vector<unsigned short> narrow(indices.begin(), indices.end());
            FGMWriter::SetIndices16(block, narrow.data(), static_cast<int>(narrow.size()));
        } else {
            std::vector<int> wide(indices.begin(), indices.end());
            FGMWriter::SetIndices32(block, wide.data(), static_cast<int>(wide.size()));
        }

        const std::string id = table.Make(name.empty() ? "" : name);
        ids[i] = id;
        out.scene.geometries.Add({id.c_str(), (options.prefix + name).c_str(), block});
        out.vertices += count;
        out.listing.push_back("mesh " + quoted + ": " + std::to_string(count) + " vertices, " +
                              std::to_string(indices.size() / corners) + (triangles ? " triangles" : " lines") + ", " +
                              streams + (count <= 65536 ? ", 16-bit indices" : ", 32-bit indices"));

        if (skipped)
            out.leftOut.push_back("mesh " + quoted + ": " + std::to_string(skipped) + " faces of other kinds");
        for (unsigned set = 1; set < AI_MAX_NUMBER_OF_TEXTURECOORDS; ++set)
            if (mesh.mTextureCoords[set])
                out.leftOut.push_back("mesh " + quoted + ": texture coordinate set " + std::to_string(set));
        for (unsigned set = 1; set < AI_MAX_NUMBER_OF_COLOR_SETS; ++set)
            if (mesh.mColors[set])
                out.leftOut.push_back("mesh " + quoted + ": colour set " + std::to_string(set));
        if (mesh.mNumBones)
            out.leftOut.push_back("skin of mesh " + quoted + " (" + std::to_string(mesh.mNumBones) +
                                  " joints): the mesh stays in its bind pose");
        if (mesh.mNumAnimMeshes)
            out.leftOut.push_back("morph targets of mesh " + quoted + " (" + std::to_string(mesh.mNumAnimMeshes) + ")");
    }
    return ids;
}

} // namespace FsgConvert
