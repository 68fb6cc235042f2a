#include "ImageFuzzer.h"

#include "gralith/utils/assets/loaders/PNGLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Gralith::Utils::Assets::Loaders::PNGLoader loader;
    GralithFuzz::DecodeBitmap(loader, data, size);
    return 0;
}
