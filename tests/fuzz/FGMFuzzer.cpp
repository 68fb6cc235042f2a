// libFuzzer target: one FGM geometry block from arbitrary bytes, on the recording null device.
// Every input must either load or fail with a Gralith::Exception: no crash, hang, leak or
// allocation beyond what the input's size justifies.
#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/loaders/FGMLoader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace Gralith;
    static Graphics::NullDevice* device = Graphics::NullDevice::Create(16, 16);
    if (size > (1u << 24))
        return 0;
    auto* stream = new Utils::MemoryInputStream(data, static_cast<int>(size));
    try {
        Utils::Assets::Geometry* geometry =
            Utils::Assets::Loaders::FGMLoader::ReadBlock(stream, device, Graphics::BufferModeStatic);
        geometry->Release();
    } catch (const Exception&) {
    }
    stream->Release();
    device->ClearCalls();
    return 0;
}
