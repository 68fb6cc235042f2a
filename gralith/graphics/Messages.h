#pragma once

namespace Gralith::Graphics::Messages {

// The device layer's failure texts, kept in one place because the backends share many of them and
// tests compare them whole. The comment after each names the ErrorCode it is thrown with.

// Shared by the device and every backend.
constexpr const char* TooManyListeners = "Too many draw call listeners";                      // ErrorUnsupported
constexpr const char* NoProgram = "Attempting to draw something with no Program set";         // ErrorInvalidState
constexpr const char* NoInputLayout = "Attempting to draw something with no InputLayout set"; // ErrorInvalidState
constexpr const char* StreamWithoutBuffer =
    "The current InputLayout reads from stream which has no bound VertexBuffer.";              // ErrorInvalidState
constexpr const char* NoIndexBuffer = "Can not draw indexed geometry without an index buffer"; // ErrorInvalidState
constexpr const char* BufferLocked = "Buffer allready locked";                                 // ErrorInvalidState
constexpr const char* BufferRange = "Buffer access outside the buffer";                        // ErrorInvalidArgument
constexpr const char* InvalidLockMode = "Invalid lock operation. Buffer can not be locked with read-only and "
                                        "write-only at the same time";                    // ErrorInvalidState
constexpr const char* InvalidBufferMode = "Invalid buffer mode enum";                     // ErrorInvalidArgument
constexpr const char* SetDataRenderable = "SetData() not allowed on renderable textures"; // ErrorInvalidState
constexpr const char* Texture3DSetData = "3d textures SetData not implemented";           // ErrorUnsupported
constexpr const char* Texture3DSurface = "Can not get surfaces from 3d-textures";         // ErrorUnsupported
constexpr const char* Luminance8Surface = "Can't get surfaces from PixelFormatLuminance8 textures"; // ErrorGeneral
constexpr const char* InvalidTextureFace = "Invalid texture face enum";           // ErrorInvalidArgument
constexpr const char* InvalidLevel = "Invalid mipmap level";                      // ErrorInvalidArgument
constexpr const char* UnsupportedPixelFormat = "Unsupported pixel format";        // ErrorInvalidArgument
constexpr const char* InvalidDataType = "Invalid data type enum";                 // ErrorInvalidArgument
constexpr const char* InvalidPrimitiveType = "Invalid primitive type enum";       // ErrorInvalidArgument
constexpr const char* InvalidCompareFunction = "Invalid compare function enum";   // ErrorInvalidArgument
constexpr const char* InvalidStencilOperation = "Invalid stencil operation enum"; // ErrorInvalidArgument
constexpr const char* InvalidBlendOperand = "Invalid blend operand enum";         // ErrorInvalidArgument
constexpr const char* InvalidCullMode = "Invalid cull face enum";                 // ErrorInvalidArgument
constexpr const char* IllegalFilterMode = "Illegal filter mode enum";             // ErrorInvalidArgument
constexpr const char* BackBufferNotAlone =
    "Can't bind the back buffer as a color buffer unless it is the only color buffer"; // ErrorUnsupported
constexpr const char* TooManyColorTargets = "Invalid color target count";              // ErrorInvalidArgument
constexpr const char* InvalidStream = "Invalid vertex stream index";                   // ErrorInvalidArgument
constexpr const char* TooManyInputElements = "Invalid input element count";            // ErrorInvalidArgument
constexpr const char* InvalidInputElement = "Invalid input element";                   // ErrorInvalidArgument
constexpr const char* No3DTextures = "This backend does not support 3d textures";      // ErrorUnsupported
constexpr const char* GeometryShaderType =
    "Non-default geometry shaders is not supported by this backend";                         // ErrorUnsupported
constexpr const char* InvalidShaderType = "Invalid shader type enum";                        // ErrorInvalidArgument
constexpr const char* OnlyTextShaders = "Only CG text shaders is supported by this backend"; // ErrorUnsupported
constexpr const char* NoGeometryPrograms = "This implementation does not support geometry shaders"; // ErrorGeneral
constexpr const char* UnsupportedSemantic =
    "The semantic is not supported by this backend (OpenGL+CG)";                                  // ErrorInvalidState
constexpr const char* ParameterNotValid = "GetParameterType(): Parameter is not valid";           // ErrorGeneral
constexpr const char* TooManyMatrices = "Number of matrices too large, 256 is max";               // ErrorInvalidState
constexpr const char* MissingShader = "A program needs a vertex shader and a pixel shader";       // ErrorInvalidState
constexpr const char* VertexBufferCreation = "Error creating vertex buffer";                      // ErrorGeneral
constexpr const char* IndexBufferCreation = "Error creating index buffer";                        // ErrorGeneral
constexpr const char* TextureCreation = "Error creating texture";                                 // ErrorGeneral
constexpr const char* TextureOutOfMemory = "Error creating texture (out of memory)";              // ErrorGeneral
constexpr const char* SurfaceCreation = "Unable to create surface";                               // ErrorGeneral
constexpr const char* Sampler3D = "SetSampler(): 3D textures not supported by this device (yet)"; // ErrorGeneral

// Surfaces and render targets.
constexpr const char* SurfaceMultisamples =
    "CreateSurface(): This device doesn't support this number of multisamples"; // ErrorUnsupported
constexpr const char* UnsupportedSurfaceFormat = "Unsupported surface format";  // ErrorUnsupported
constexpr const char* CopyPixelFormat = "Copy(): unsupported pixel format";     // ErrorInvalidArgument
constexpr const char* CopyVolumeSurface =
    "This device is unable to copy data from/to a surface from a 3D texture"; // ErrorUnsupported
constexpr const char* CopyInvalidSurface = "Surface::Copy(): Can not copy from/to the given surface"; // ErrorGeneral
constexpr const char* CopyNotRenderable =
    "Surface::Copy(): both source and destination surfaces must be renderable";   // ErrorGeneral
constexpr const char* CopyInvalidFilter = "Surface::Copy(): invalid filter mode"; // ErrorInvalidArgument
constexpr const char* CopyIncompatible =
    "Surface::Copy(): Source/destination buffer is of incompatible types.";               // ErrorRefused
constexpr const char* InvalidColorTarget = "Can't bind the given target as color buffer"; // ErrorInvalidState
constexpr const char* VolumeSliceColorTarget =
    "This backend can not bind 3D texture slices as color buffers"; // ErrorUnsupported
constexpr const char* VolumeSliceDepthTarget =
    "This backend can not bind 3d texture slices as depth/stencil buffers"; // ErrorUnsupported
constexpr const char* InvalidDepthStencilTarget =
    "Can't bind the given surface as depth stencil buffer";                                    // ErrorUnsupported
constexpr const char* ReadNonColorSurface = "ReadSurface(): only colour surfaces can be read"; // ErrorInvalidState

// The OpenGL backend.
constexpr const char* ExtensionLoadFailure =
    "Backend error: All OpenGL extensions could not be loaded. The display drivers "
    "may be outdated or the display adapter is not Gralith-capable.";                  // ErrorUnsupported
constexpr const char* NoShadingContext = "The OpenGL device has no shading context";   // ErrorGeneral
constexpr const char* UnsupportedDepthFormat = "Depth buffer format not supported";    // ErrorUnsupported
constexpr const char* InvalidDepthStencilFormat = "DepthStencilFromat not recognized"; // ErrorInvalidArgument
constexpr const char* InvalidIndexType = "Invalid index data type enum";               // ErrorInvalidArgument
constexpr const char* BufferMapFailed = "Buffer could not be mapped";                  // ErrorGeneral
constexpr const char* InvalidPixelType = "Invalid texture pixel type enum";            // ErrorInvalidArgument
constexpr const char* UnrecognizedBufferMode = "Buffer mode enum not recognized";      // ErrorInvalidArgument
constexpr const char* Texture2DFloatR16 = "Device does not support PixelFormatFloatR16 under OpenGL"; // ErrorGeneral
constexpr const char* Texture2DFloatR32 = "Device does not support PixelFormatFloatR32 under OpenGL"; // ErrorGeneral
constexpr const char* MipmapPixelFormat = "Texture2D::GenerateMipmaps(): Unsupported pixel format";   // ErrorRefused
constexpr const char* Texture2DSetDataFloat16 =
    "OpenGL implementation does not support SetData() on PixelFormatFloatR16G16B16A16 textures (yet)"; // ErrorGeneral
constexpr const char* CubeFloatR16 = "PixelFormatFloatR16 not supported (yet)";                        // ErrorGeneral
constexpr const char* CubeFloatR32 = "PixelFormatFloatR32 not supported (yet)";                        // ErrorGeneral
constexpr const char* CubeSetDataFloat16 =
    "SetData() does not support PixelFormatFloatR16G16B16A16 (yet)"; // ErrorGeneral

// Cg shading on OpenGL. A compile error's message begins with CompileError (ErrorGeneral).
constexpr const char* CompileError = "The compile returned an error.";
constexpr const char* ShaderObjectCreation = "The driver could not create a shader object";   // ErrorGeneral
constexpr const char* ProgramObjectCreation = "The driver could not create a program object"; // ErrorGeneral
/// ProgramLinkFailed + the driver's log (ErrorGeneral).
constexpr const char* ProgramLinkFailed = "The program could not be linked:\n";
constexpr const char* TooManySamplers =
    "The program uses more samplers than the device has texture units"; // ErrorUnsupported
constexpr const char* ProgramStages =
    "A program needs a vertex shader and a pixel shader of this device"; // ErrorInvalidArgument
constexpr const char* UnsupportedParameterType =
    "GetParameterType(): Data type not supported by Gralith 2"; // ErrorGeneral
constexpr const char* PositionNormalized =
    "OpenGL2-devices can not normalize non-float for the POSITION semantic"; // ErrorUnsupported
constexpr const char* PositionBytes =
    "OpenGL2-devices can not use 8-bit integers for the POSITION semantic"; // ErrorUnsupported
constexpr const char* NormalUnnormalized =
    "OpenGL2-devices can not use un-normalized non-float normals"; // ErrorUnsupported
constexpr const char* ColorUnnormalized =
    "OpenGL2-devices can not use un-normalized non-float colors"; // ErrorUnsupported

// Device creation (all ErrorCreation). A failed platform call composes its text, ": " and the
// platform's own reason.
constexpr const char* DeviceMultisamples = "This device doesn't support this number of multisamples";
constexpr const char* EGLNoPlatformDisplay = "EGL: eglGetPlatformDisplayEXT is not available";
constexpr const char* EGLNoSurfacelessDisplay = "EGL: no surfaceless display";
constexpr const char* EGLNoOpenGL = "EGL: OpenGL is not available";
constexpr const char* EGLContextCreation = "EGL: could not create an OpenGL context";
constexpr const char* EGLMakeCurrent = "EGL: could not make the context current";
constexpr const char* EGLBackBufferIncomplete = "EGL: the off-screen back buffer is incomplete";
constexpr const char* NeedsSDLWindow = "The OpenGL device needs an SDL window";
constexpr const char* SDLContextCreation = "Could not create the OpenGL context";
constexpr const char* SDLMakeCurrent = "Could not make the OpenGL context current";
constexpr const char* NeedsWin32Window = "The OpenGL device needs a Win32 window";
/// The WGL steps of device creation; each is followed by ": " and the system's reason.
constexpr const char* WGLNoPixelFormat = "Could not choose a pixel format for the window";
constexpr const char* WGLSetPixelFormat = "Could not set the pixel format of the window";
constexpr const char* WGLTemporaryWindow = "Could not create the temporary OpenGL window";
constexpr const char* WGLContextCreation = "Could not create the OpenGL context";
constexpr const char* WGLMakeCurrent = "Could not make the OpenGL context current";
/// WindowFormatFailed + the window's own failure message.
constexpr const char* WindowFormatFailed = "Could not create an OpenGL window of the requested format: ";
/// DriverNotAvailable + the driver's name, or its number when it has none.
constexpr const char* DriverNotAvailable = "Graphics driver not available in this build: ";

// The Direct3D 9 backend.
constexpr const char* D3D9DepthFormatUnsupported =
    "Depth stencil format not supported by the device";                                   // ErrorUnsupported
constexpr const char* D3D9InvalidDepthFormat = "Invalid depth stencil format";            // ErrorInvalidArgument
constexpr const char* D3D9UnsupportedPrimitive = "Unsupported primitive type";            // ErrorInvalidArgument
constexpr const char* D3D9NoProgram = "Attempting to draw something with no program set"; // ErrorInvalidState
constexpr const char* D3D9InvalidCubeFace = "Invalid cube face enum";                     // ErrorInvalidArgument
constexpr const char* D3D9Int8Elements = "Unsupported data type or component count in input layout. Only "
                                         "4-component Int8 elements are supported by DX9."; // ErrorUnsupported
constexpr const char* D3D9Int16Elements = "Unsupported data type or component count in input layout. Only 2 "
                                          "or 4 component Int16 elements are supported by DX9."; // ErrorUnsupported
constexpr const char* D3D9Float32Elements = "Unsupported data type or component count in input layout. Only "
                                            "1-4 component Float32 elements are supported by DX9."; // ErrorUnsupported
constexpr const char* D3D9UnsupportedDataType = "Unsupported data type enum by DX9"; // ErrorInvalidArgument
constexpr const char* D3D9UnsupportedSemantic = "Unsupported semantic for this backend (Direct3D9)"; // ErrorUnsupported
constexpr const char* D3D9InputLayoutCreation = "Error creating input layout";                       // ErrorGeneral
constexpr const char* D3D9ClearFailed = "Clear operation failed";                                    // ErrorGeneral
constexpr const char* D3D9ViewportFailed = "Unable to set viewport";                                 // ErrorUnsupported
constexpr const char* D3D9SetVertexDeclaration = "Error setting vertex declaration";                 // ErrorGeneral
constexpr const char* D3D9SetVertexShader = "Error setting vertex shader";                           // ErrorGeneral
constexpr const char* D3D9SetPixelShader = "Error setting pixel shader";                             // ErrorGeneral
constexpr const char* D3D9DrawUnindexed = "Error drawing unindexed primitives";                      // ErrorGeneral
constexpr const char* D3D9DrawIndexed = "Error drawing indexed primitives";                          // ErrorGeneral
constexpr const char* D3D9SetVertexBuffer = "Error setting vertex buffer";                           // ErrorGeneral
constexpr const char* D3D9SetIndexBuffer = "Error setting index buffer";                             // ErrorGeneral
constexpr const char* D3D9DepthStencilTarget = "Failed to set depth/stencil target";                 // ErrorUnsupported
constexpr const char* D3D9LockVertexBuffer = "Error locking vertex buffer";                          // ErrorGeneral
constexpr const char* D3D9LockIndexBuffer = "Error locking index buffer";                            // ErrorGeneral
constexpr const char* D3D9TextureInvalidCall2D =
    "Error creating texture (invalid call, format might be unsupported)";                           // ErrorGeneral
constexpr const char* D3D9TextureInvalidCall = "Error creating texture (invalid call)";             // ErrorGeneral
constexpr const char* D3D9TextureOutOfVideoMemory = "Error creating texture (out of video memory)"; // ErrorGeneral
constexpr const char* D3D9TextureLock = "Error locking the texture";                                // ErrorGeneral
constexpr const char* D3D9SetDataPixelFormat = "Texture2D::SetData(): Unsupported pixel format";    // ErrorGeneral
constexpr const char* D3D9TextureSurface = "GetSurface(): unable to create surface";                // ErrorUnsupported
constexpr const char* D3D9CubeSurface = "GetSurface(): unable to get cube face surface";            // ErrorUnsupported
constexpr const char* D3D9CopyNotRenderable =
    "Surface::Copy(): Source and destination surfaces must be renderable";                      // ErrorInvalidState
constexpr const char* D3D9CopyFilter = "Surface::Copy(): Illegal filter mode enum";             // ErrorInvalidArgument
constexpr const char* D3D9CopyFailed = "Surface::Copy(): Unable to perform the copy operation"; // ErrorUnsupported
constexpr const char* D3D9GeometryShaderType = "Geometry shaders are not supported by this device"; // ErrorUnsupported
constexpr const char* D3D9InvalidShaderType = "Invalid shader type";                          // ErrorInvalidArgument
constexpr const char* D3D9OnlyTextShaders = "Only text shaders are supported by this device"; // ErrorUnsupported
constexpr const char* D3D9ShaderCreation = "The device could not create the compiled shader"; // ErrorGeneral
constexpr const char* D3D9ConstantTable = "The compiled shader has no constant table";        // ErrorGeneral
constexpr const char* D3D9NoGeometryPrograms = "D3D9 does not support geometry shaders.";     // ErrorGeneral
constexpr const char* D3D9ParameterInvalid = "Parameter::GetType(): Parameter is invalid";    // ErrorGeneral
constexpr const char* D3D9ParameterVectorSize =
    "Parameter::GetType(): Unsupported parameter type (invalid vector size)"; // ErrorGeneral
constexpr const char* D3D9ParameterMatrixSize =
    "Parameter::GetType(): Unsupported parameter type (invalid matrix size)";                 // ErrorGeneral
constexpr const char* D3D9ParameterType = "Parameter::GetType(): Unsupported parameter type"; // ErrorGeneral
constexpr const char* D3D9ReadSurface = "ReadSurface(): the surface could not be read";       // ErrorGeneral

// Direct3D 9 device creation (all ErrorCreation).
constexpr const char* D3D9NotAvailable = "'Not available error' during device init";
constexpr const char* D3D9OutOfVideoMemory = "Out of video memory during init";
constexpr const char* D3D9DeviceLost = "Device lost during init";
constexpr const char* D3D9UnsupportedParameters = "Unsupported device parameters";
/// D3D9CreationFailed + the system's text for the failure.
constexpr const char* D3D9CreationFailed = "Direct3D 9 device creation failed: ";
constexpr const char* D3D9DefaultSurfaces = "Unable to extract default surfaces"; // ErrorRefused
constexpr const char* NeedsWin32WindowD3D9 = "The Direct3D 9 device needs a Win32 window";
/// D3D9MissingDll + the DLL's name: Direct3D 9 itself is not installed.
constexpr const char* D3D9MissingDll = "Direct3D 9 is not available: could not load ";
/// D3D9MissingCompiler + the newest DLL's name: the shader compiler of the DirectX end-user runtime.
constexpr const char* D3D9MissingCompiler =
    "Direct3D 9 needs the shader compiler of the DirectX end-user runtime, which is not installed: "
    "could not load ";
/// D3D9MissingEntryPoint + "DLL: function".
constexpr const char* D3D9MissingEntryPoint = "Direct3D 9 runtime incomplete, missing ";

} // namespace Gralith::Graphics::Messages
