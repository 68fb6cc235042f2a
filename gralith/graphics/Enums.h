#pragma once

#include <cstdint>

namespace Gralith::Graphics {

// Every enumeration is a plain 32-bit integer: values outside the listed members can reach the
// device (from files and scripts) and are refused there with ErrorInvalidArgument.

enum PixelFormat : std::int32_t {
    PixelFormatR8G8B8A8 = 0, ///< bytes R, G, B, A in memory
    PixelFormatFloatR16 = 1,
    PixelFormatFloatR32 = 2,
    PixelFormatFloatR16G16B16A16 = 3,
    PixelFormatFloatR32G32B32A32 = 4,
    PixelFormatLuminance8 = 5,
    PixelFormatDepth24Stencil8 = 6,
    PixelFormatDepth16 = 7,
    PixelFormatDXT1 = 8,
    PixelFormatDXT3 = 9,
    PixelFormatDXT5 = 10,
};

/// The window's depth buffer, chosen when the device is created.
enum DepthStencilFormat : std::int32_t {
    Depth16 = 0,
    Depth24Stencil8 = 1,
    Depth32Float = 2,
    DepthStencilFormatReserved = 3, ///< accepted by no backend
};

/// Scoped because its members share their names with the texture classes.
enum class TextureType : std::int32_t {
    Texture2D = 0,
    Texture3D = 1,
    TextureCube = 2,
};

enum CubeFace : std::int32_t {
    PositiveX = 0,
    PositiveY = 1,
    PositiveZ = 2,
    NegativeX = 3,
    NegativeY = 4,
    NegativeZ = 5,
};

enum BufferMode : std::int32_t {
    BufferModeStatic = 0,   ///< written once, drawn many times
    BufferModeDynamic = 1,  ///< changed from time to time
    BufferModeVolatile = 2, ///< rewritten often, typically every frame
};

enum LockMode : std::int32_t {
    LockReadOnly = 0,
    LockWriteOnly = 1,
    LockReadWrite = 2,
};

/// 1 selects 16-bit indices; every other value selects 32-bit indices.
enum IndexType : std::int32_t {
    IndexType32 = 0,
    IndexType16 = 1,
};

enum DataType : std::int32_t {
    DataTypeInt8 = 0,
    DataTypeUInt8 = 1,
    DataTypeInt16 = 2,
    DataTypeUInt16 = 3,
    DataTypeFloat32 = 4,
};

enum PrimitiveType : std::int32_t {
    Points = 0,
    Lines = 1,
    LineStrip = 2,
    Triangles = 3,
    TriangleStrip = 4,
};

/// FilterNone is only meaningful as a mip filter (no mipmapping).
enum FilterMode : std::int32_t {
    FilterNone = 0,
    FilterPoint = 1,
    FilterLinear = 2,
};

enum AddressMode : std::int32_t {
    AddressWrap = 0,
    AddressClamp = 1,
};

enum CompareFunction : std::int32_t {
    Always = 0,
    Less = 1,
    LessEqual = 2,
    Equal = 3,
    NotEqual = 4,
    GreaterEqual = 5,
    Greater = 6,
    Never = 7,
};

enum StencilOperation : std::int32_t {
    StencilZero = 0,
    StencilKeep = 1,
    StencilReplace = 2,
    StencilIncrement = 3,
    StencilDecrement = 4,
    StencilInvert = 5,
};

/// Operands of the blend equation, which is always an addition.
enum BlendOperand : std::int32_t {
    BlendZero = 0,
    BlendOne = 1,
    BlendSrcAlpha = 2,
    BlendInvSrcAlpha = 3,
    BlendSrcColor = 4,
    BlendInvSrcColor = 5,
    BlendDestAlpha = 6,
    BlendInvDestAlpha = 7,
    BlendDestColor = 8,
    BlendInvDestColor = 9,
};

enum CullMode : std::int32_t {
    CullNone = 0,
    CullFront = 1,
    CullBack = 2,
};

enum ShaderType : std::int32_t {
    PixelShader = 0,
    VertexShader = 1,
    GeometryShader = 2,
};

/// Bits of the flags given to Device::Clear.
enum ClearFlags : std::int32_t {
    ClearColor = 1,
    ClearDepth = 2,
    ClearStencil = 4,
};

/// Answer of Device::CheckRenderTargets.
enum RenderTargetStatus : std::int32_t {
    RenderTargetsComplete = 0,    ///< or nothing off-screen bound
    RenderTargetsUnsupported = 1, ///< the driver does not support the combination
    RenderTargetsIncomplete = 2,  ///< incomplete or erroneous for another reason
};

/// Type of a shader parameter (Parameter::GetType).
enum ParameterType : std::int32_t {
    ParamNone = 0,
    ParamFloat = 1,
    ParamInt = 2,
    ParamBool = 3,
    ParamFloat2 = 4,
    ParamFloat3 = 5,
    ParamFloat4 = 6,
    ParamInt2 = 7,
    ParamInt3 = 8,
    ParamInt4 = 9,
    ParamBool2 = 10,
    ParamBool3 = 11,
    ParamBool4 = 12,
    ParamFloat2x2 = 13,
    ParamFloat3x3 = 14,
    ParamFloat4x4 = 15,
    ParamInt2x2 = 16,
    ParamInt3x3 = 17,
    ParamInt4x4 = 18,
    ParamBool2x2 = 19,
    ParamBool3x3 = 20,
    ParamBool4x4 = 21,
    ParamSampler2D = 22,
    ParamSamplerCube = 23,
    ParamSampler3D = 24,
};

/// Flags of device creation.
enum DeviceFlags : std::int32_t {
    DeviceFullscreen = 1,
    DeviceWaitForRetrace = 2,       ///< Direct3D 9 only
    DeviceAllowAnalysisAdapter = 4, ///< Direct3D 9 only
};

/// Number of vertex streams, colour targets, listeners and attribute slots.
constexpr int SlotLimit = 16;

} // namespace Gralith::Graphics
