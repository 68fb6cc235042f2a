#pragma once

#include "gralith/utils/scenegraph/FSGWriter.h"

#include <map>
#include <string>
#include <vector>

namespace FsgConvert {

/// A texture to write beside the scene: its file name is also the material's descriptor, which
/// the asset proxy finds under the scene's own folder (a scene loaded as "x.fsg{scenes}" looks in
/// scenes/ first).
struct TextureFile {
    std::string name;
    std::string bytes;
};

/// An imported scene turned into the engine's records, with what was left out and a listing of
/// what the input holds.
struct Conversion {
    Gralith::Utils::SceneGraph::FSGWriter::Scene scene;
    std::vector<TextureFile> textures;
    std::vector<std::string> leftOut; ///< what the engine cannot hold, by name
    std::vector<std::string> listing; ///< what the input holds, one line each
    int nodes = 0;
    int vertices = 0;
    int animatedTransformations = 0;
    int sourceKeys = 0;
    int writtenKeys = 0;
};

/// Ids unique within one table of the scene, with the name prefix, free of the characters that
/// asset descriptors give a meaning (':' chooses a buffer mode, braces and ';' folders).
class IdTable {
public:
    explicit IdTable(std::string prefix, std::string fallback)
        : prefix(std::move(prefix)), fallback(std::move(fallback)) {}
    std::string Make(const std::string& name);

private:
    std::string prefix;
    std::string fallback;
    std::map<std::string, int> used;
};

/// 'name' in single quotes, or the fallback text for an unnamed thing.
std::string Quoted(const std::string& name, const std::string& unnamed = "(unnamed)");

} // namespace FsgConvert
