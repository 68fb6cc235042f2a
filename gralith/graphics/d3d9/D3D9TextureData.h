#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/graphics/d3d9/D3D9Api.h"

namespace Gralith::Graphics {

// What the three texture kinds share: how they are created and how a level reaches Direct3D.

/// Depth formats are depth-stencil textures when renderable; the others generate their mipmaps
/// automatically and are render targets when renderable.
DWORD D3D9TextureUsage(PixelFormat format, bool renderable);
/// Render targets live in the default pool, other textures in the managed one.
D3DPOOL D3D9TexturePool(bool renderable);
/// Throws the creation message for a failed create: invalidCall for D3DERR_INVALIDCALL.
[[noreturn]] void D3D9TextureCreationFailed(HRESULT result, const char* invalidCall);
/// Throws "Invalid mipmap level" (ErrorInvalidArgument) for a level the chain lacks.
void D3D9CheckLevel(int level, int width, int height);
/// Copies one level of width x height pixels, rows tightly packed in data (compressed formats:
/// rows of 4x4 blocks), into locked memory of the given pitch. R8G8B8A8 pixels are stored with
/// red and blue exchanged, as Direct3D's A8R8G8B8 keeps them; the caller's data is only read.
/// Throws "Texture2D::SetData(): Unsupported pixel format" (ErrorGeneral) for the depth formats.
void D3D9CopyLevel(PixelFormat format, int width, int height, const void* data, void* bits, int pitch);
/// Throws as D3D9CopyLevel would, before anything is locked.
void D3D9CheckUploadFormat(PixelFormat format);

} // namespace Gralith::Graphics
