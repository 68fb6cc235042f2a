// libFuzzer target: one FSG scene file from arbitrary bytes, loaded through a fresh asset proxy
// (embedded geometry, textures and programs included) on the recording null device. Every input
// must either load or fail with a Gralith::Exception.
#include "SceneTestSupport.h"

#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/FSGLoader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace Gralith;
    static Graphics::NullDevice* device = Graphics::NullDevice::Create(16, 16);
    if (size > (1u << 24))
        return 0;
    auto* files = new SceneTestSupport::MemoryFileSystem();
    files->files["input.fsg"].assign(data, data + size);
    auto* proxy = new Utils::Assets::Proxy(files, device, nullptr, nullptr);
    proxy->AddLoader(new SceneTestSupport::StandInLoader());
    Utils::Assets::Loaders::FSGLoader loader;
    try {
        loader.Load(Utils::Assets::AssetScene, "input.fsg", proxy)->Release();
    } catch (const Exception&) {
    }
    proxy->Release();
    files->Release();
    device->ClearCalls();
    return 0;
}
