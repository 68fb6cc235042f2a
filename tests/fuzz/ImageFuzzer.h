#pragma once

#include "gralith/Exception.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/loaders/Loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace GralithFuzz {

// Decodes one input with a bitmap loader and checks what a caller relies on: a bitmap's pixel
// block is width x height RGBA bytes (touching its last byte lets AddressSanitizer check the
// size), and a failure leaves the stream where decoding started.
inline void DecodeBitmap(Gralith::Utils::Assets::Loaders::Loader& loader, const std::uint8_t* data, std::size_t size) {
    using namespace Gralith::Utils;
    if (size > (1u << 24))
        return;
    MemoryInputStream stream(data, int(size));
    try {
        Assets::Asset* asset = loader.Load(Assets::AssetBitmap2D, &stream, "fuzz", nullptr);
        if (!asset)
            return;
        auto* bitmap = static_cast<Assets::Bitmap2D*>(asset);
        if (bitmap->GetWidth() <= 0 || bitmap->GetHeight() <= 0)
            std::abort();
        std::size_t bytes = std::size_t(bitmap->GetWidth()) * bitmap->GetHeight() * 4;
        volatile unsigned char last = bitmap->GetPixels()[bytes - 1];
        (void)last;
        asset->Release();
    } catch (const Gralith::Exception&) {
        if (stream.Tell() != 0)
            std::abort();
    }
}

} // namespace GralithFuzz
