#pragma once

#include "gralith/graphics/Descriptions.h"

namespace Gralith::Graphics {

// Checks shared by every backend: each throws the enumeration's own message (ErrorInvalidArgument) for a
// value outside its members, so a bad description fails at creation, not at the next draw.

void ValidateBlendStateDesc(const BlendStateDesc& desc);
void ValidateDepthStencilStateDesc(const DepthStencilStateDesc& desc);
void ValidateRasterizerStateDesc(const RasterizerStateDesc& desc);
void ValidateSamplerStateDesc(const SamplerStateDesc& desc);
/// Also refuses more than 16 elements, and slots, streams or component counts out of range.
void ValidateInputElements(const InputElementDesc* elements, int count);
/// Bytes of one pixel (4x4 block for compressed formats); throws "Unsupported pixel format".
int BytesPerPixel(PixelFormat format);
bool IsCompressedFormat(PixelFormat format);
bool IsDepthFormat(PixelFormat format);
/// Byte size of one level of a w x h image in the format, rows tightly packed.
int LevelByteSize(PixelFormat format, int width, int height);
/// Number of levels of a full mipmap chain down to 1 x 1.
int MipLevelCount(int width, int height);

} // namespace Gralith::Graphics
