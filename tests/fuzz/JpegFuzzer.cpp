#include "ImageFuzzer.h"

#include "gralith/utils/assets/loaders/JPEGLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Gralith::Utils::Assets::Loaders::JPEGLoader loader;
    GralithFuzz::DecodeBitmap(loader, data, size);
    return 0;
}
