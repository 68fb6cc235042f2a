#include "gralith/graphics/gl/GLFunctions.h"

namespace Gralith::Graphics {

namespace {

template <class Entry>
bool Resolve(Entry& entry, GLLoader loader, const char* name) {
    entry.pointer = reinterpret_cast<typename Entry::Pointer>(loader(name));
    return entry.pointer != nullptr;
}

} // namespace

bool GLFunctions::Load(GLLoader loader) {
    bool ok = true;
#define GRALITH_GL(member, name) ok = Resolve(member, loader, name) && ok
    GRALITH_GL(GetError, "glGetError");
    GRALITH_GL(GetString, "glGetString");
    GRALITH_GL(GetIntegerv, "glGetIntegerv");
    GRALITH_GL(GetFloatv, "glGetFloatv");
    GRALITH_GL(GetBooleanv, "glGetBooleanv");
    GRALITH_GL(Enable, "glEnable");
    GRALITH_GL(Disable, "glDisable");
    GRALITH_GL(IsEnabled, "glIsEnabled");
    GRALITH_GL(Clear, "glClear");
    GRALITH_GL(ClearColor, "glClearColor");
    GRALITH_GL(ClearDepth, "glClearDepth");
    GRALITH_GL(ClearStencil, "glClearStencil");
    GRALITH_GL(Viewport, "glViewport");
    GRALITH_GL(Scissor, "glScissor");
    GRALITH_GL(ColorMask, "glColorMask");
    GRALITH_GL(DepthFunc, "glDepthFunc");
    GRALITH_GL(DepthMask, "glDepthMask");
    GRALITH_GL(StencilFunc, "glStencilFunc");
    GRALITH_GL(StencilMask, "glStencilMask");
    GRALITH_GL(StencilOp, "glStencilOp");
    GRALITH_GL(CullFace, "glCullFace");
    GRALITH_GL(FrontFace, "glFrontFace");
    GRALITH_GL(LineWidth, "glLineWidth");
    GRALITH_GL(PointSize, "glPointSize");
    GRALITH_GL(DrawArrays, "glDrawArrays");
    GRALITH_GL(DrawElements, "glDrawElements");
    GRALITH_GL(Flush, "glFlush");
    GRALITH_GL(Finish, "glFinish");
    GRALITH_GL(GenTextures, "glGenTextures");
    GRALITH_GL(DeleteTextures, "glDeleteTextures");
    GRALITH_GL(BindTexture, "glBindTexture");
    GRALITH_GL(TexImage2D, "glTexImage2D");
    GRALITH_GL(TexParameteri, "glTexParameteri");
    GRALITH_GL(GetTexImage, "glGetTexImage");
    GRALITH_GL(GetTexLevelParameteriv, "glGetTexLevelParameteriv");
    GRALITH_GL(GetTexParameteriv, "glGetTexParameteriv");
    GRALITH_GL(PixelStorei, "glPixelStorei");
    GRALITH_GL(ReadPixels, "glReadPixels");
    GRALITH_GL(ReadBuffer, "glReadBuffer");
    GRALITH_GL(DrawBuffer, "glDrawBuffer");
    GRALITH_GL(EnableClientState, "glEnableClientState");
    GRALITH_GL(DisableClientState, "glDisableClientState");
    GRALITH_GL(VertexPointer, "glVertexPointer");
    GRALITH_GL(NormalPointer, "glNormalPointer");
    GRALITH_GL(ColorPointer, "glColorPointer");
    GRALITH_GL(TexCoordPointer, "glTexCoordPointer");

    GRALITH_GL(ClientActiveTexture, "glClientActiveTexture");
    GRALITH_GL(MultiTexCoord4fv, "glMultiTexCoord4fv");
    GRALITH_GL(ActiveTexture, "glActiveTextureARB");
    GRALITH_GL(CompressedTexImage3D, "glCompressedTexImage3DARB");
    GRALITH_GL(CompressedTexImage2D, "glCompressedTexImage2DARB");
    GRALITH_GL(CompressedTexImage1D, "glCompressedTexImage1DARB");
    GRALITH_GL(CompressedTexSubImage3D, "glCompressedTexSubImage3DARB");
    GRALITH_GL(CompressedTexSubImage2D, "glCompressedTexSubImage2DARB");
    GRALITH_GL(CompressedTexSubImage1D, "glCompressedTexSubImage1DARB");
    GRALITH_GL(GetCompressedTexImage, "glGetCompressedTexImageARB");
    GRALITH_GL(DisableVertexAttribArray, "glDisableVertexAttribArrayARB");
    GRALITH_GL(BindFramebuffer, "glBindFramebufferEXT");
    GRALITH_GL(VertexAttrib4fv, "glVertexAttrib4fv");
    GRALITH_GL(BindAttribLocation, "glBindAttribLocationARB");
    GRALITH_GL(UseProgram, "glUseProgram");
    GRALITH_GL(LinkProgram, "glLinkProgram");
    GRALITH_GL(AttachShader, "glAttachShader");
    GRALITH_GL(DetachShader, "glDetachShader");
    GRALITH_GL(GetAttribLocation, "glGetAttribLocation");
    GRALITH_GL(Uniform1i, "glUniform1i");
    GRALITH_GL(Uniform1iv, "glUniform1iv");
    GRALITH_GL(Uniform2iv, "glUniform2iv");
    GRALITH_GL(Uniform3iv, "glUniform3iv");
    GRALITH_GL(Uniform4iv, "glUniform4iv");
    GRALITH_GL(Uniform1f, "glUniform1f");
    GRALITH_GL(Uniform4fv, "glUniform4fv");
    GRALITH_GL(Uniform3fv, "glUniform3fv");
    GRALITH_GL(Uniform2fv, "glUniform2fv");
    GRALITH_GL(Uniform1fv, "glUniform1fv");
    GRALITH_GL(UniformMatrix2fv, "glUniformMatrix2fv");
    GRALITH_GL(UniformMatrix3fv, "glUniformMatrix3fv");
    GRALITH_GL(UniformMatrix4fv, "glUniformMatrix4fv");
    GRALITH_GL(GetShaderInfoLog, "glGetShaderInfoLog");
    GRALITH_GL(CompileShader, "glCompileShader");
    GRALITH_GL(ShaderSource, "glShaderSource");
    GRALITH_GL(CreateShader, "glCreateShader");
    GRALITH_GL(DeleteShader, "glDeleteShader");
    GRALITH_GL(CreateProgram, "glCreateProgram");
    GRALITH_GL(DeleteProgram, "glDeleteProgram");
    GRALITH_GL(GenFramebuffers, "glGenFramebuffersEXT");
    GRALITH_GL(DeleteFramebuffers, "glDeleteFramebuffersEXT");
    GRALITH_GL(FramebufferTexture2D, "glFramebufferTexture2DEXT");
    GRALITH_GL(CheckFramebufferStatus, "glCheckFramebufferStatusEXT");
    GRALITH_GL(GetUniformLocation, "glGetUniformLocation");
    GRALITH_GL(GenBuffers, "glGenBuffers");
    GRALITH_GL(BufferData, "glBufferData");
    GRALITH_GL(BufferSubData, "glBufferSubData");
    GRALITH_GL(DeleteBuffers, "glDeleteBuffers");
    GRALITH_GL(BindBuffer, "glBindBuffer");
    GRALITH_GL(MapBuffer, "glMapBuffer");
    GRALITH_GL(UnmapBuffer, "glUnmapBuffer");
    GRALITH_GL(EnableVertexAttribArray, "glEnableVertexAttribArray");
    GRALITH_GL(VertexAttribPointer, "glVertexAttribPointer");
    GRALITH_GL(GetShaderiv, "glGetShaderiv");
    GRALITH_GL(GetProgramiv, "glGetProgramiv");
    GRALITH_GL(GetProgramInfoLog, "glGetProgramInfoLog");
    GRALITH_GL(RenderbufferStorageMultisample, "glRenderbufferStorageMultisampleEXT");
    GRALITH_GL(GenRenderbuffers, "glGenRenderbuffersEXT");
    GRALITH_GL(BindRenderbuffer, "glBindRenderbufferEXT");
    GRALITH_GL(DeleteRenderbuffers, "glDeleteRenderbuffersEXT");
    GRALITH_GL(FramebufferRenderbuffer, "glFramebufferRenderbufferEXT");
    GRALITH_GL(BlitFramebuffer, "glBlitFramebufferEXT");
    GRALITH_GL(GenerateMipmap, "glGenerateMipmapEXT");
    GRALITH_GL(BlendFuncSeparate, "glBlendFuncSeparateEXT");
    GRALITH_GL(GetActiveUniform, "glGetActiveUniform");
    GRALITH_GL(DrawBuffers, "glDrawBuffers");
    GRALITH_GL(GetRenderbufferParameteriv, "glGetRenderbufferParameterivEXT");
    GRALITH_GL(GetFramebufferAttachmentParameteriv, "glGetFramebufferAttachmentParameterivEXT");
#undef GRALITH_GL
    return ok;
}

} // namespace Gralith::Graphics
