#pragma once

#include "gralith/graphics/Device.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/loaders/Loader.h"

#include <map>
#include <string>
#include <vector>

// An in-memory file system and a stand-in loader for the textures and programs that scene files
// name, so scene tests need neither image files nor a shader compiler.
namespace SceneTestSupport {

class MemoryFileSystem : public Gralith::Utils::FileSystem {
public:
    Gralith::Utils::InputStream* Open(Gralith::Utils::String path) override;
    std::map<std::string, std::vector<unsigned char>> files;
};

/// Makes a 1x1 texture (type 2) or a program (type 7) on the proxy's device for any
/// descriptor, and remembers the descriptors asked for.
class StandInLoader : public Gralith::Utils::Assets::Loaders::Loader {
public:
    using Loader::Load;
    Gralith::Utils::Assets::Asset* Load(int type, Gralith::Utils::String path,
                                        Gralith::Utils::Assets::Proxy* proxy) override;
    bool CanLoad(int type) override { return type == 2 || type == 7; }
    Gralith::Utils::String GetName() override { return "StandInLoader"; }
    std::vector<std::string> requests;
};

} // namespace SceneTestSupport
