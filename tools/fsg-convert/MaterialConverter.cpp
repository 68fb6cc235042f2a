#include "MaterialConverter.h"

#include <assimp/material.h>
#include <assimp/scene.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace FsgConvert {

using Gralith::Utils::SceneGraph::FSGWriter;

namespace {

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Descriptors give ':', ';', '#', '*', '$' and braces meanings of their own.
std::string SafeFileName(std::string name) {
    for (char& c : name)
        if (std::string(":;#*${}").find(c) != std::string::npos)
            c = '_';
    return name;
}

std::string Extension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : Lower(name.substr(dot + 1));
}

// Uncompressed embedded texels (BGRA) as a PNG file; empty for more pixels than the engine's
// image loaders accept.
std::string EncodePng(const aiTexture& texture) {
    if (static_cast<unsigned long long>(texture.mWidth) * texture.mHeight > 16777216ull)
        return "";
    std::vector<unsigned char> rgba;
    rgba.reserve(static_cast<size_t>(texture.mWidth) * texture.mHeight * 4);
    for (unsigned i = 0; i < texture.mWidth * texture.mHeight; ++i) {
        const aiTexel& t = texture.pcData[i];
        rgba.insert(rgba.end(), {t.r, t.g, t.b, t.a});
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = texture.mWidth;
    image.height = texture.mHeight;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        return "";
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr))
        return "";
    bytes.resize(size);
    return bytes;
}

class TextureWriter {
public:
    TextureWriter(const aiScene& scene, std::string inputFolder, std::string stem, Conversion& out)
        : scene(scene), inputFolder(std::move(inputFolder)), stem(std::move(stem)), out(out) {}

    // The descriptor of the texture at path, its file made; empty (and said why) when it cannot be.
    std::string Place(const std::string& path, const std::string& material, std::string& described) {
        const std::string key = path;
        auto known = placed.find(key);
        if (known != placed.end()) {
            described = known->second.second;
            return known->second.first;
        }
        std::string name, bytes, why;
        if (const aiTexture* embedded = scene.GetEmbeddedTexture(path.c_str())) {
            const int index = scene.GetEmbeddedTextureAndIndex(path.c_str()).second;
            const std::string base = stem + "-texture" + std::to_string(index);
            if (embedded->mHeight > 0) {
                name = base + ".png";
                bytes = EncodePng(*embedded);
                described = "embedded " + std::to_string(embedded->mWidth) + "x" + std::to_string(embedded->mHeight);
            } else {
                const std::string hint = Lower(embedded->achFormatHint);
                const char* data = reinterpret_cast<const char*>(embedded->pcData);
                if (hint == "png" || hint == "jpg" || hint == "jpeg")
                    name = base + (hint == "png" ? ".png" : ".jpg");
                else
                    why = "embedded " + (hint.empty() ? std::string("data of unknown format") : hint + " data");
                bytes.assign(data, embedded->mWidth);
                described = "embedded " + hint;
            }
        } else {
            std::string file = path;
            for (char& c : file)
                if (c == '\\')
                    c = '/';
            if (file[0] != '/')
                file = inputFolder + file;
            const std::string extension = Extension(path);
            if (!std::filesystem::is_regular_file(file)) {
                why = "file not found";
            } else if (extension != "png" && extension != "jpg" && extension != "jpeg") {
                why = "neither PNG nor JPEG";
            } else {
                std::ifstream in(file, std::ios::binary);
                std::ostringstream content;
                content << in.rdbuf();
                bytes = content.str();
            }
            name = SafeFileName(FileName(path));
            described = "file " + path;
        }
        if (why.empty() && bytes.empty())
            why = "cannot be encoded";
        if (!why.empty()) {
            out.leftOut.push_back("diffuse texture '" + path + "' of material " + material + ": " + why);
            placed[key] = {"", described};
            return "";
        }
        // Two textures may share a file name from different folders.
        for (int n = 2; names.count(name); ++n)
            name = stem + "-" + std::to_string(n) + "-" + SafeFileName(FileName(path));
        names[name] = true;
        out.textures.push_back({name, bytes});
        placed[key] = {name, described};
        return name;
    }

private:
    const aiScene& scene;
    std::string inputFolder;
    std::string stem;
    Conversion& out;
    std::map<std::string, std::pair<std::string, std::string>> placed;
    std::map<std::string, bool> names;
};

} // namespace

std::vector<std::string> ConvertMaterials(const aiScene& scene, const std::vector<bool>& used,
                                          const std::string& inputPath, const std::string& outputPath,
                                          const Options& options, Conversion& out) {
    std::string stem = FileName(outputPath);
    if (Extension(stem) == "fsg")
        stem.resize(stem.size() - 4);
    TextureWriter textures(scene, Folder(inputPath), stem.empty() ? "scene" : SafeFileName(stem), out);
    IdTable table(options.prefix, "material");
    std::vector<std::string> ids(scene.mNumMaterials);
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) {
        if (i >= used.size() || !used[i])
            continue;
        const aiMaterial& source = *scene.mMaterials[i];
        aiString aiName;
        source.Get(AI_MATKEY_NAME, aiName);
        const std::string name = aiName.C_Str();
        const std::string quoted = Quoted(name, "#" + std::to_string(i));
        FSGWriter::Material material;
        ids[i] = table.Make(name);
        material.id = ids[i].c_str();
        material.name = (options.prefix + name).c_str();

        aiColor4D diffuse(1.0f, 1.0f, 1.0f, 1.0f);
        source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
        const float rgba[4] = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
        material.parameters.Add(FSGWriter::MakeParameter("diffuse", rgba, 4));
        std::string line = "material " + quoted + ": diffuse " + std::to_string(rgba[0]) + " " +
                           std::to_string(rgba[1]) + " " + std::to_string(rgba[2]) + " " + std::to_string(rgba[3]);

        aiString diffusePath;
        if (source.GetTexture(aiTextureType_DIFFUSE, 0, &diffusePath) == aiReturn_SUCCESS && diffusePath.length) {
            std::string described;
            const std::string descriptor = textures.Place(diffusePath.C_Str(), quoted, described);
            if (!descriptor.empty())
                material.textures.Add({"diffuse", descriptor.c_str()});
            line += ", diffuse texture '" + std::string(diffusePath.C_Str()) + "' (" + described + ")";
        }
        for (int type = aiTextureType_DIFFUSE; type <= AI_TEXTURE_TYPE_MAX; ++type) {
            const auto kind = static_cast<aiTextureType>(type);
            for (unsigned k = 0; k < source.GetTextureCount(kind); ++k) {
                aiString path;
                source.GetTexture(kind, k, &path);
                // glTF's base colour is the diffuse texture under a second name.
                if ((kind == aiTextureType_DIFFUSE && k == 0) ||
                    (kind == aiTextureType_BASE_COLOR && k == 0 && path == diffusePath))
                    continue;
                out.leftOut.push_back("material " + quoted + ": " + aiTextureTypeToString(kind) + " texture '" +
                                      path.C_Str() + "'");
            }
        }
        out.listing.push_back(line);
        out.scene.materials.Add(material);
    }
    return ids;
}

} // namespace FsgConvert
