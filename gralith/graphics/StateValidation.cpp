#include "gralith/graphics/StateValidation.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

namespace Gralith::Graphics {

namespace {

void CheckOperand(BlendOperand operand) {
    if (operand < BlendZero || operand > BlendInvDestColor)
        throw Exception(Messages::InvalidBlendOperand, ErrorInvalidArgument);
}

void CheckCompare(CompareFunction function) {
    if (function < Always || function > Never)
        throw Exception(Messages::InvalidCompareFunction, ErrorInvalidArgument);
}

void CheckStencilOperation(StencilOperation operation) {
    if (operation < StencilZero || operation > StencilInvert)
        throw Exception(Messages::InvalidStencilOperation, ErrorInvalidArgument);
}

} // namespace

void ValidateBlendStateDesc(const BlendStateDesc& desc) {
    CheckOperand(desc.SourceColor);
    CheckOperand(desc.DestinationColor);
    CheckOperand(desc.SourceAlpha);
    CheckOperand(desc.DestinationAlpha);
}

void ValidateDepthStencilStateDesc(const DepthStencilStateDesc& desc) {
    CheckCompare(desc.DepthFunction);
    CheckCompare(desc.StencilFunction);
    CheckStencilOperation(desc.StencilFail);
    CheckStencilOperation(desc.StencilDepthFail);
    CheckStencilOperation(desc.StencilPass);
}

void ValidateRasterizerStateDesc(const RasterizerStateDesc& desc) {
    if (desc.Cull < CullNone || desc.Cull > CullBack)
        throw Exception(Messages::InvalidCullMode, ErrorInvalidArgument);
}

void ValidateSamplerStateDesc(const SamplerStateDesc& desc) {
    auto pointOrLinear = [](FilterMode f) { return f == FilterPoint || f == FilterLinear; };
    auto address = [](AddressMode a) { return a == AddressWrap || a == AddressClamp; };
    if (!pointOrLinear(desc.MagFilter) || !pointOrLinear(desc.MinFilter) ||
        (desc.MipFilter != FilterNone && !pointOrLinear(desc.MipFilter)) || !address(desc.AddressU) ||
        !address(desc.AddressV) || !address(desc.AddressW))
        throw Exception(Messages::IllegalFilterMode, ErrorInvalidArgument);
}

void ValidateInputElements(const InputElementDesc* elements, int count) {
    if (count < 0 || count > SlotLimit || (count > 0 && !elements))
        throw Exception(Messages::TooManyInputElements, ErrorInvalidArgument);
    for (int i = 0; i < count; ++i) {
        const InputElementDesc& e = elements[i];
        if (e.Type < DataTypeInt8 || e.Type > DataTypeFloat32)
            throw Exception(Messages::InvalidDataType, ErrorInvalidArgument);
        if (e.Semantic < 0 || e.Semantic >= SlotLimit || e.Stream < 0 || e.Stream >= SlotLimit ||
            e.ComponentCount < 1 || e.ComponentCount > 4 || e.Offset < 0)
            throw Exception(Messages::InvalidInputElement, ErrorInvalidArgument);
    }
}

int BytesPerPixel(PixelFormat format) {
    static const int bytes[] = {4, 2, 4, 8, 16, 1, 4, 2, 8, 16, 16};
    if (format < PixelFormatR8G8B8A8 || format > PixelFormatDXT5)
        throw Exception(Messages::UnsupportedPixelFormat, ErrorInvalidArgument);
    return bytes[format];
}

bool IsCompressedFormat(PixelFormat format) { return format >= PixelFormatDXT1 && format <= PixelFormatDXT5; }

bool IsDepthFormat(PixelFormat format) { return format == PixelFormatDepth24Stencil8 || format == PixelFormatDepth16; }

int LevelByteSize(PixelFormat format, int width, int height) {
    int bytes = BytesPerPixel(format);
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    if (IsCompressedFormat(format))
        return ((width + 3) / 4) * ((height + 3) / 4) * bytes;
    return width * height * bytes;
}

int MipLevelCount(int width, int height) {
    int levels = 1;
    while ((width >> levels) > 0 || (height >> levels) > 0)
        ++levels;
    return levels;
}

} // namespace Gralith::Graphics
