#pragma once

#include <cstddef>
#include <cstdint>

// The OpenGL entry points the backend and its shading layer call, loaded by name through the
// window system's loader. Declared with plain C types so that no GL header leaks out of the
// backend's sources.

#if defined(_WIN32) && !defined(_WIN64)
#define GRALITH_GLAPIENTRY __stdcall
#else
#define GRALITH_GLAPIENTRY
#endif

namespace Gralith::Graphics {

/// Answers the address of a GL entry point by name, or null.
using GLLoader = void* (*)(const char* name);

/// Number of calls that reached the GL driver through any GLFunctions table.
struct GLCallCounter {
    static inline std::uint64_t Calls = 0;
};

template <class Signature>
class GLEntry;

/// One entry point; calling it counts the call.
template <class R, class... Args>
class GLEntry<R(Args...)> {
public:
    using Pointer = R(GRALITH_GLAPIENTRY*)(Args...);
    R operator()(Args... args) const {
        ++GLCallCounter::Calls;
        return pointer(args...);
    }
    explicit operator bool() const { return pointer != nullptr; }
    Pointer pointer = nullptr;
};

/// Member X is the GL function glX (loaded under its ARB/EXT name where it is an extension).
struct GLFunctions {
    using Enum = unsigned int;
    using UInt = unsigned int;
    using Int = int;
    using SizeI = int;
    using Boolean = unsigned char;
    using Bitfield = unsigned int;
    using SizeIPtr = std::ptrdiff_t;
    using IntPtr = std::ptrdiff_t;

    // OpenGL 1.x
    GLEntry<Enum()> GetError;
    GLEntry<const unsigned char*(Enum)> GetString;
    GLEntry<void(Enum, Int*)> GetIntegerv;
    GLEntry<void(Enum, float*)> GetFloatv;
    GLEntry<void(Enum, Boolean*)> GetBooleanv;
    GLEntry<void(Enum)> Enable;
    GLEntry<void(Enum)> Disable;
    GLEntry<Boolean(Enum)> IsEnabled;
    GLEntry<void(Bitfield)> Clear;
    GLEntry<void(float, float, float, float)> ClearColor;
    GLEntry<void(double)> ClearDepth;
    GLEntry<void(Int)> ClearStencil;
    GLEntry<void(Int, Int, SizeI, SizeI)> Viewport;
    GLEntry<void(Int, Int, SizeI, SizeI)> Scissor;
    GLEntry<void(Boolean, Boolean, Boolean, Boolean)> ColorMask;
    GLEntry<void(Enum)> DepthFunc;
    GLEntry<void(Boolean)> DepthMask;
    GLEntry<void(Enum, Int, UInt)> StencilFunc;
    GLEntry<void(UInt)> StencilMask;
    GLEntry<void(Enum, Enum, Enum)> StencilOp;
    GLEntry<void(Enum)> CullFace;
    GLEntry<void(Enum)> FrontFace;
    GLEntry<void(float)> LineWidth;
    GLEntry<void(float)> PointSize;
    GLEntry<void(Enum, Int, SizeI)> DrawArrays;
    GLEntry<void(Enum, SizeI, Enum, const void*)> DrawElements;
    GLEntry<void()> Flush;
    GLEntry<void()> Finish;
    GLEntry<void(SizeI, UInt*)> GenTextures;
    GLEntry<void(SizeI, const UInt*)> DeleteTextures;
    GLEntry<void(Enum, UInt)> BindTexture;
    GLEntry<void(Enum, Int, Int, SizeI, SizeI, Int, Enum, Enum, const void*)> TexImage2D;
    GLEntry<void(Enum, Enum, Int)> TexParameteri;
    GLEntry<void(Enum, Int, Enum, Enum, void*)> GetTexImage;
    GLEntry<void(Enum, Int, Enum, Int*)> GetTexLevelParameteriv;
    GLEntry<void(Enum, Enum, Int*)> GetTexParameteriv;
    GLEntry<void(Enum, Int)> PixelStorei;
    GLEntry<void(Int, Int, SizeI, SizeI, Enum, Enum, void*)> ReadPixels;
    GLEntry<void(Enum)> ReadBuffer;
    GLEntry<void(Enum)> DrawBuffer;
    GLEntry<void(Enum)> EnableClientState;
    GLEntry<void(Enum)> DisableClientState;
    GLEntry<void(Int, Enum, SizeI, const void*)> VertexPointer;
    GLEntry<void(Enum, SizeI, const void*)> NormalPointer;
    GLEntry<void(Int, Enum, SizeI, const void*)> ColorPointer;
    GLEntry<void(Int, Enum, SizeI, const void*)> TexCoordPointer;

    // Extensions and OpenGL 2.0
    GLEntry<void(Enum)> ClientActiveTexture;
    GLEntry<void(Enum, const float*)> MultiTexCoord4fv;
    GLEntry<void(Enum)> ActiveTexture;
    GLEntry<void(Enum, Int, Enum, SizeI, SizeI, SizeI, Int, SizeI, const void*)> CompressedTexImage3D;
    GLEntry<void(Enum, Int, Enum, SizeI, SizeI, Int, SizeI, const void*)> CompressedTexImage2D;
    GLEntry<void(Enum, Int, Enum, SizeI, Int, SizeI, const void*)> CompressedTexImage1D;
    GLEntry<void(Enum, Int, Int, Int, Int, SizeI, SizeI, SizeI, Enum, SizeI, const void*)> CompressedTexSubImage3D;
    GLEntry<void(Enum, Int, Int, Int, SizeI, SizeI, Enum, SizeI, const void*)> CompressedTexSubImage2D;
    GLEntry<void(Enum, Int, Int, SizeI, Enum, SizeI, const void*)> CompressedTexSubImage1D;
    GLEntry<void(Enum, Int, void*)> GetCompressedTexImage;
    GLEntry<void(UInt)> DisableVertexAttribArray;
    GLEntry<void(Enum, UInt)> BindFramebuffer;
    GLEntry<void(UInt, const float*)> VertexAttrib4fv;
    GLEntry<void(UInt, UInt, const char*)> BindAttribLocation;
    GLEntry<void(UInt)> UseProgram;
    GLEntry<void(UInt)> LinkProgram;
    GLEntry<void(UInt, UInt)> AttachShader;
    GLEntry<void(UInt, UInt)> DetachShader;
    GLEntry<Int(UInt, const char*)> GetAttribLocation;
    GLEntry<void(Int, Int)> Uniform1i;
    GLEntry<void(Int, SizeI, const Int*)> Uniform1iv;
    GLEntry<void(Int, SizeI, const Int*)> Uniform2iv;
    GLEntry<void(Int, SizeI, const Int*)> Uniform3iv;
    GLEntry<void(Int, SizeI, const Int*)> Uniform4iv;
    GLEntry<void(Int, float)> Uniform1f;
    GLEntry<void(Int, SizeI, const float*)> Uniform4fv;
    GLEntry<void(Int, SizeI, const float*)> Uniform3fv;
    GLEntry<void(Int, SizeI, const float*)> Uniform2fv;
    GLEntry<void(Int, SizeI, const float*)> Uniform1fv;
    GLEntry<void(Int, SizeI, Boolean, const float*)> UniformMatrix2fv;
    GLEntry<void(Int, SizeI, Boolean, const float*)> UniformMatrix3fv;
    GLEntry<void(Int, SizeI, Boolean, const float*)> UniformMatrix4fv;
    GLEntry<void(UInt, SizeI, SizeI*, char*)> GetShaderInfoLog;
    GLEntry<void(UInt)> CompileShader;
    GLEntry<void(UInt, SizeI, const char* const*, const Int*)> ShaderSource;
    GLEntry<UInt(Enum)> CreateShader;
    GLEntry<void(UInt)> DeleteShader;
    GLEntry<UInt()> CreateProgram;
    GLEntry<void(UInt)> DeleteProgram;
    GLEntry<void(SizeI, UInt*)> GenFramebuffers;
    GLEntry<void(SizeI, const UInt*)> DeleteFramebuffers;
    GLEntry<void(Enum, Enum, Enum, UInt, Int)> FramebufferTexture2D;
    GLEntry<Enum(Enum)> CheckFramebufferStatus;
    GLEntry<Int(UInt, const char*)> GetUniformLocation;
    GLEntry<void(SizeI, UInt*)> GenBuffers;
    GLEntry<void(Enum, SizeIPtr, const void*, Enum)> BufferData;
    GLEntry<void(Enum, IntPtr, SizeIPtr, const void*)> BufferSubData;
    GLEntry<void(SizeI, const UInt*)> DeleteBuffers;
    GLEntry<void(Enum, UInt)> BindBuffer;
    GLEntry<void*(Enum, Enum)> MapBuffer;
    GLEntry<Boolean(Enum)> UnmapBuffer;
    GLEntry<void(UInt)> EnableVertexAttribArray;
    GLEntry<void(UInt, Int, Enum, Boolean, SizeI, const void*)> VertexAttribPointer;
    GLEntry<void(UInt, Enum, Int*)> GetShaderiv;
    GLEntry<void(UInt, Enum, Int*)> GetProgramiv;
    GLEntry<void(UInt, SizeI, SizeI*, char*)> GetProgramInfoLog;
    GLEntry<void(Enum, SizeI, Enum, SizeI, SizeI)> RenderbufferStorageMultisample;
    GLEntry<void(SizeI, UInt*)> GenRenderbuffers;
    GLEntry<void(Enum, UInt)> BindRenderbuffer;
    GLEntry<void(SizeI, const UInt*)> DeleteRenderbuffers;
    GLEntry<void(Enum, Enum, Enum, UInt)> FramebufferRenderbuffer;
    GLEntry<void(Int, Int, Int, Int, Int, Int, Int, Int, Bitfield, Enum)> BlitFramebuffer;
    GLEntry<void(Enum)> GenerateMipmap;
    GLEntry<void(Enum, Enum, Enum, Enum)> BlendFuncSeparate;
    GLEntry<void(UInt, UInt, SizeI, SizeI*, Int*, Enum*, char*)> GetActiveUniform;
    GLEntry<void(SizeI, const Enum*)> DrawBuffers;
    GLEntry<void(Enum, Enum, Int*)> GetRenderbufferParameteriv;
    GLEntry<void(Enum, Enum, Enum, Int*)> GetFramebufferAttachmentParameteriv;

    /// Looks up every entry point; answers false when any is missing (after trying all of
    /// them), leaving the missing ones null.
    bool Load(GLLoader loader);
};

} // namespace Gralith::Graphics
