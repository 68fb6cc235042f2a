#include "gralith/graphics/d3d9/D3D9TextureData.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"

#include <cstring>

namespace Gralith::Graphics {

DWORD D3D9TextureUsage(PixelFormat format, bool renderable) {
    // A depth texture can only be rendered to as a depth-stencil target.
    if (IsDepthFormat(format))
        return renderable ? D3DUSAGE_DEPTHSTENCIL : 0;
    return D3DUSAGE_AUTOGENMIPMAP | (renderable ? D3DUSAGE_RENDERTARGET : 0);
}

D3DPOOL D3D9TexturePool(bool renderable) { return renderable ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED; }

void D3D9TextureCreationFailed(HRESULT result, const char* invalidCall) {
    switch (result) {
    case D3DERR_INVALIDCALL: throw Exception(invalidCall, ErrorGeneral);
    case D3DERR_OUTOFVIDEOMEMORY: throw Exception(Messages::D3D9TextureOutOfVideoMemory, ErrorGeneral);
    case E_OUTOFMEMORY: throw Exception(Messages::TextureOutOfMemory, ErrorGeneral);
    default: throw Exception(Messages::TextureCreation, ErrorGeneral);
    }
}

void D3D9CheckLevel(int level, int width, int height) {
    if (level < 0 || level >= MipLevelCount(width, height) || level >= SlotLimit)
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
}

void D3D9CheckUploadFormat(PixelFormat format) {
    if (format < PixelFormatR8G8B8A8 || format > PixelFormatDXT5 || IsDepthFormat(format))
        throw Exception(Messages::D3D9SetDataPixelFormat, ErrorGeneral);
}

void D3D9CopyLevel(PixelFormat format, int width, int height, const void* data, void* bits, int pitch) {
    D3D9CheckUploadFormat(format);
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    int rows = height;
    size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(BytesPerPixel(format));
    if (IsCompressedFormat(format)) {
        // A row of 4 x 4 blocks; levels narrower than a block still have one.
        rows = (height + 3) / 4;
        rowBytes = static_cast<size_t>((width + 3) / 4) * static_cast<size_t>(BytesPerPixel(format));
    }
    const auto* from = static_cast<const unsigned char*>(data);
    auto* to = static_cast<unsigned char*>(bits);
    for (int row = 0; row < rows; ++row, from += rowBytes, to += pitch) {
        if (format != PixelFormatR8G8B8A8) {
            std::memcpy(to, from, rowBytes);
            continue;
        }
        for (size_t i = 0; i < rowBytes; i += 4) {
            to[i] = from[i + 2];
            to[i + 1] = from[i + 1];
            to[i + 2] = from[i];
            to[i + 3] = from[i + 3];
        }
    }
}

} // namespace Gralith::Graphics
