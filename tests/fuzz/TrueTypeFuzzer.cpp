// Rasterises fuzzed font files into a Font at a small pixel size on the recording null device.
#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Font.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/TrueTypeFontLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace Gralith;
using namespace Gralith::Utils;

// Serves the current input under any name.
class InputFileSystem : public FileSystem {
public:
    InputStream* Open(String) override { return new MemoryInputStream(data.data(), int(data.size())); }
    std::vector<unsigned char> data;
};

// The font's geometry stream asks for a 1.4 MB vertex buffer that the null device zero-fills
// on every font; nothing is drawn here, so a one-vertex buffer keeps the runs fast.
class FuzzDevice : public Graphics::NullDevice {
public:
    static FuzzDevice* Create() {
        auto* device = new FuzzDevice();
        device->SetUpDefaultState();
        return device;
    }
    Graphics::VertexBuffer* CreateVertexBuffer(Graphics::BufferMode mode, int, int stride) override {
        return NullDevice::CreateVertexBuffer(mode, stride, stride);
    }

private:
    FuzzDevice() : NullDevice(64, 64) {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzDevice* device = FuzzDevice::Create();
    static InputFileSystem* files = new InputFileSystem();
    static Assets::Proxy* proxy = new Assets::Proxy(files, device, nullptr, nullptr);
    static Assets::Loaders::TrueTypeFontLoader loader;
    if (size > (1u << 20))
        return 0;
    files->data.assign(data, data + size);
    // The last byte picks the pixel size (1 to 16), so sizes are explored along with the data.
    int pixelSize = size > 0 ? 1 + data[size - 1] % 16 : 12;
    String descriptor = String("font.ttf:") + String(std::to_string(pixelSize).c_str());
    try {
        Assets::Asset* asset = loader.Load(Assets::AssetFont, descriptor, proxy);
        if (asset) {
            auto* font = static_cast<Assets::Font*>(asset);
            Array<Assets::Font::GlyphQuad> quads;
            font->LayoutText("AB C\n\xff", 0.0f, 0.0f, 1.0f, quads);
            asset->Release();
        }
    } catch (const Exception&) {
    }
    return 0;
}
