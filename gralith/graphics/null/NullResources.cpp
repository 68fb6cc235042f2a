#include "gralith/graphics/null/NullResources.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/null/NullDevice.h"

#include <algorithm>
#include <cstring>

namespace Gralith::Graphics {

NullBufferStore::NullBufferStore(NullDevice* device, const void* owner, BufferMode mode, int size)
    : device(device), deviceReference(device), owner(owner) {
    if (mode < BufferModeStatic || mode > BufferModeVolatile)
        throw Exception(Messages::InvalidBufferMode, ErrorInvalidArgument);
    if (size < 0)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    bytes.resize(static_cast<size_t>(size));
}

void NullBufferStore::SetData(const void* data, int offset, int size) {
    if (size == 0)
        size = Size() - offset;
    if (offset < 0 || size < 0 || offset > Size() - size)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    if (data && size > 0)
        std::memcpy(bytes.data() + offset, data, static_cast<size_t>(size));
    device->Record(NullBufferUpload, owner, offset, size);
    ++device->Statistics().BufferUploads;
}

void* NullBufferStore::Lock(LockMode mode, int offset, int size) {
    if (mode < LockReadOnly || mode > LockReadWrite)
        throw Exception(Messages::InvalidLockMode, ErrorInvalidState);
    if (locked)
        throw Exception(Messages::BufferLocked, ErrorInvalidState);
    if (size == 0)
        size = Size() - offset;
    if (offset < 0 || size < 0 || offset > Size() - size)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    locked = true;
    return bytes.data() + offset;
}

namespace {

int BufferClass(PixelFormat format) {
    if (format >= PixelFormatR8G8B8A8 && format <= PixelFormatLuminance8)
        return 1;
    if (format == PixelFormatDepth24Stencil8)
        return 2;
    if (format == PixelFormatDepth16)
        return 3;
    throw Exception(Messages::CopyPixelFormat, ErrorInvalidArgument);
}

} // namespace

void NullSurface::Copy(Surface* source, int, int, int, int, int, int, int, int, FilterMode filter) {
    NullSurface* from = dynamic_cast<NullSurface*>(source);
    if (!from)
        throw Exception(Messages::CopyInvalidSurface, ErrorGeneral);
    if (!renderable || !from->renderable)
        throw Exception(Messages::CopyNotRenderable, ErrorGeneral);
    if (filter != FilterPoint && filter != FilterLinear)
        throw Exception(Messages::CopyInvalidFilter, ErrorInvalidArgument);
    if (BufferClass(from->format) != BufferClass(format))
        throw Exception(Messages::CopyIncompatible, ErrorRefused);
    device->Record(NullCopy, this, filter);
}

NullSurfaceCache::~NullSurfaceCache() {
    for (NullSurface* s : surfaces)
        if (s)
            s->Release();
}

Surface* NullSurfaceCache::Get(NullDevice* device, int index, int width, int height, PixelFormat format,
                               bool renderable) {
    if (index >= static_cast<int>(surfaces.size()))
        surfaces.resize(static_cast<size_t>(index) + 1, nullptr);
    if (!surfaces[index])
        surfaces[index] = new NullSurface(device, std::max(width, 1), std::max(height, 1), format, renderable);
    return surfaces[index];
}

namespace {

void CheckLevel(int level, int width, int height) {
    if (level < 0 || level >= MipLevelCount(width, height) || level >= SlotLimit)
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
}

void CheckFace(CubeFace face) {
    if (face < PositiveX || face > NegativeZ)
        throw Exception(Messages::InvalidTextureFace, ErrorInvalidArgument);
}

} // namespace

NullTexture2D::NullTexture2D(NullDevice* device, int width, int height, PixelFormat format, bool renderable)
    : device(device), deviceReference(device), width(width), height(height), format(format), renderable(renderable),
      uploads(static_cast<size_t>(MipLevelCount(width, height)), 0) {}

void NullTexture2D::GenerateMipmaps() { device->Record(NullGenerateMipmaps, this); }

void NullTexture2D::SetData(int level, const void*, bool generateMipmaps) {
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    CheckLevel(level, width, height);
    ++uploads[level];
    device->Record(NullTextureUpload, this, level, -1);
    ++device->Statistics().TextureUploads;
    if (generateMipmaps)
        GenerateMipmaps();
}

Surface* NullTexture2D::GetSurface(int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    CheckLevel(level, width, height);
    return surfaces.Get(device, level, width >> level, height >> level, format, renderable);
}

int NullTexture2D::GetUploadCount(int level) const {
    return level >= 0 && level < static_cast<int>(uploads.size()) ? uploads[level] : 0;
}

void NullTexture3D::SetData(int, const void*, bool) { throw Exception(Messages::Texture3DSetData, ErrorUnsupported); }

Surface* NullTexture3D::GetSurface(int) { throw Exception(Messages::Texture3DSurface, ErrorUnsupported); }

NullTextureCube::NullTextureCube(NullDevice* device, int size, PixelFormat format, bool renderable)
    : device(device), deviceReference(device), size(size), format(format), renderable(renderable),
      uploads(static_cast<size_t>(6 * MipLevelCount(size, size)), 0) {}

void NullTextureCube::GenerateMipmaps() { device->Record(NullGenerateMipmaps, this); }

void NullTextureCube::SetData(CubeFace face, int level, const void*, bool generateMipmaps) {
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    CheckFace(face);
    CheckLevel(level, size, size);
    ++uploads[static_cast<size_t>(face * MipLevelCount(size, size) + level)];
    device->Record(NullTextureUpload, this, level, face);
    ++device->Statistics().TextureUploads;
    if (generateMipmaps)
        GenerateMipmaps();
}

Surface* NullTextureCube::GetSurface(CubeFace face, int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    CheckFace(face);
    CheckLevel(level, size, size);
    return surfaces.Get(device, face * SlotLimit + level, size >> level, size >> level, format, renderable);
}

int NullTextureCube::GetUploadCount(CubeFace face, int level) const {
    int levels = MipLevelCount(size, size);
    if (face < PositiveX || face > NegativeZ || level < 0 || level >= levels)
        return 0;
    return uploads[static_cast<size_t>(face * levels + level)];
}

int NullInputLayout::GetElements(int maxCount, InputElementDesc* out) const {
    int n = std::min(maxCount, Count());
    for (int i = 0; i < n; ++i)
        out[i] = elements[i];
    return n < 0 ? 0 : n;
}

} // namespace Gralith::Graphics
