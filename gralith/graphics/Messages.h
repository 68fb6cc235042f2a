#pragma once

namespace Gralith::Graphics::Messages {

// Failure texts used by more than one class of the device layer (codes in the comments).

constexpr const char* TooManyListeners = "Too many draw call listeners";                      // 2
constexpr const char* NoProgram = "Attempting to draw something with no Program set";         // 3
constexpr const char* NoInputLayout = "Attempting to draw something with no InputLayout set"; // 3
constexpr const char* StreamWithoutBuffer =
    "The current InputLayout reads from stream which has no bound VertexBuffer.";              // 3
constexpr const char* NoIndexBuffer = "Can not draw indexed geometry without an index buffer"; // 3
constexpr const char* BufferLocked = "Buffer allready locked";                                 // 3
constexpr const char* BufferRange = "Buffer access outside the buffer";                        // 4
constexpr const char* InvalidLockMode =
    "Invalid lock operation. Buffer can not be locked with read-only and write-only at the same time"; // 3
constexpr const char* InvalidBufferMode = "Invalid buffer mode enum";                                  // 4
constexpr const char* SetDataRenderable = "SetData() not allowed on renderable textures";              // 3
constexpr const char* Texture3DSetData = "3d textures SetData not implemented";                        // 2
constexpr const char* Texture3DSurface = "Can not get surfaces from 3d-textures";                      // 2
constexpr const char* Luminance8Surface = "Can't get surfaces from PixelFormatLuminance8 textures";    // 0
constexpr const char* InvalidTextureFace = "Invalid texture face enum";                                // 4
constexpr const char* InvalidLevel = "Invalid mipmap level";                                           // 4
constexpr const char* UnsupportedPixelFormat = "Unsupported pixel format";                             // 4
constexpr const char* InvalidDataType = "Invalid data type enum";                                      // 4
constexpr const char* InvalidPrimitiveType = "Invalid primitive type enum";                            // 4
constexpr const char* InvalidCompareFunction = "Invalid compare function enum";                        // 4
constexpr const char* InvalidStencilOperation = "Invalid stencil operation enum";                      // 4
constexpr const char* InvalidBlendOperand = "Invalid blend operand enum";                              // 4
constexpr const char* InvalidCullMode = "Invalid cull face enum";                                      // 4
constexpr const char* IllegalFilterMode = "Illegal filter mode enum";                                  // 4
constexpr const char* BackBufferNotAlone =
    "Can't bind the back buffer as a color buffer unless it is the only color buffer";                      // 2
constexpr const char* TooManyColorTargets = "Invalid color target count";                                   // 4
constexpr const char* InvalidStream = "Invalid vertex stream index";                                        // 4
constexpr const char* TooManyInputElements = "Invalid input element count";                                 // 4
constexpr const char* InvalidInputElement = "Invalid input element";                                        // 4
constexpr const char* No3DTextures = "This backend does not support 3d textures";                           // 2
constexpr const char* GeometryShaderType = "Non-default geometry shaders is not supported by this backend"; // 2
constexpr const char* InvalidShaderType = "Invalid shader type enum";                                       // 4
constexpr const char* OnlyTextShaders = "Only CG text shaders is supported by this backend";                // 2
constexpr const char* NoGeometryPrograms = "This implementation does not support geometry shaders";         // 0
constexpr const char* UnsupportedSemantic = "The semantic is not supported by this backend (OpenGL+CG)";    // 3
constexpr const char* ParameterNotValid = "GetParameterType(): Parameter is not valid";                     // 0
constexpr const char* TooManyMatrices = "Number of matrices too large, 256 is max";                         // 3
constexpr const char* MissingShader = "A program needs a vertex shader and a pixel shader";                 // 3
constexpr const char* VertexBufferCreation = "Error creating vertex buffer";                                // 0
constexpr const char* IndexBufferCreation = "Error creating index buffer";                                  // 0
constexpr const char* TextureCreation = "Error creating texture";                                           // 0
constexpr const char* TextureOutOfMemory = "Error creating texture (out of memory)";                        // 0
constexpr const char* SurfaceCreation = "Unable to create surface";                                         // 0
constexpr const char* Sampler3D = "SetSampler(): 3D textures not supported by this device (yet)";           // 0

} // namespace Gralith::Graphics::Messages
