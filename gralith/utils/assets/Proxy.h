#pragma once

#include "gralith/Object.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

#include <string>
#include <unordered_map>

namespace Gralith::Graphics {
class Device;
class Texture;
class Program;
} // namespace Gralith::Graphics
namespace Gralith::Sound {
class Device;
}
namespace Gralith::Utils {
class State;
}
namespace Gralith::Utils::Assets::Loaders {
class Loader;
}

namespace Gralith::Utils::Assets {

class Scene;

/// The asset cache: loads each (type, descriptor) pair at most once through an ordered list of
/// loaders, trying every directory prefix of the descriptor's brace group (and those of the
/// requests it is nested in), and keeps what it loaded for its own lifetime.
///
/// Descriptor: filename [ "{" part { ";" part } "}" ]; a part is a directory prefix, or a flag
/// "$name[=value]". On failure it throws "The following asset could not be loaded: " +
/// descriptor + "\n" + one "LoaderName: message\n" line per failed attempt.
class Proxy : public Object {
public:
    struct AssetRecord {
        String name;
        int type = 0;
        Array<void*> owners;
        Asset* asset = nullptr;
    };

    struct Flag {
        String name;
        String value;
    };

    /// References the collaborators (any may be null) and registers the engine's loaders.
    Proxy(FileSystem* fileSystem, Graphics::Device* device, Sound::Device* soundDevice, State* state);
    ~Proxy() override;

    /// The cached or newly loaded asset; never null. The result is borrowed: the proxy keeps
    /// every asset until it is destroyed. owner names who asks (any pointer, or null); it is only
    /// recorded in the asset's record (GetRecords) and changes neither the search nor the
    /// lifetime. The typed getters below take it the same way.
    Asset* Get(int type, String descriptor, void* owner);
    /// As Get, but an asset not cached yet is read from stream by every loader's stream
    /// overload. With a null stream it is Get.
    Asset* Load(int type, InputStream* stream, String descriptor, void* owner);

    Graphics::Texture* GetTexture(String descriptor, void* owner);
    String GetText(String descriptor, void* owner);
    Graphics::Program* GetProgram(String descriptor, void* owner);
    Scene* GetScene(String descriptor, void* owner);

    FileSystem* GetFileSystem() const { return fileSystem; }
    Graphics::Device* GetDevice() const { return device; }
    Sound::Device* GetSoundDevice() const { return soundDevice; }
    State* GetState() const { return state; }

    /// Appends a loader after the registered ones; the proxy owns it (tests and extensions).
    void AddLoader(Loaders::Loader* loader);
    const Array<Loaders::Loader*>& GetLoaders() const { return loaders; }
    const Array<AssetRecord*>& GetRecords() const { return records; }
    const Array<String>& GetPrefixStack() const { return prefixes; }
    const Array<Flag>& GetFlagStack() const { return flags; }

    static constexpr const char* LoadFailed = Messages::AssetLoadFailed;
    static constexpr const char* LoaderBehavedIncorrectly = Messages::LoaderBehavedIncorrectly;

private:
    Asset* Request(int type, InputStream* stream, const String& descriptor, void* owner);

    Array<String> prefixes;
    Array<AssetRecord*> records;
    // The records by type and name: a scene file adds a record per embedded geometry, and
    // scanning them all on each request made loading quadratic in their number.
    std::unordered_map<std::string, AssetRecord*> recordIndex;
    Array<Loaders::Loader*> loaders;
    FileSystem* fileSystem;
    Graphics::Device* device;
    State* state;
    Sound::Device* soundDevice;
    Array<Flag> flags;
    // Records being loaded right now; a request for one of them is a cycle.
    Array<AssetRecord*> loading;
};

} // namespace Gralith::Utils::Assets
