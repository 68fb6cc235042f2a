#include "gralith/graphics/gl/EGLGLDevice.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLShadingContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

namespace {

void* LoadEntryPoint(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }

} // namespace

EGLGLDevice* EGLGLDevice::Create(int width, int height, DepthStencilFormat depthFormat, int multisamples,
                                 GLShadingContext* (*createShading)(GLDevice*)) {
    int depthBits = 0, stencilBits = 0;
    DepthStencilBits(depthFormat, depthBits, stencilBits);
    EGLGLDevice* device = new EGLGLDevice();
    try {
        device->samples = multisamples > 0 ? multisamples : 0;
        device->CreateContext();
        device->InitializeGL(&LoadEntryPoint, width, height);
        if (device->samples > device->GetMaxSamples())
            throw Exception(Messages::DeviceMultisamples, ErrorCreation);
        device->CreateWindowFramebuffer(width, height, depthBits, stencilBits);
        device->FinishCreation(createShading);
    } catch (...) {
        device->Release();
        throw;
    }
    return device;
}

void EGLGLDevice::CreateContext() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        throw Exception(Messages::EGLNoPlatformDisplay, ErrorCreation);
    EGLDisplay eglDisplay = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (eglDisplay == EGL_NO_DISPLAY || !eglInitialize(eglDisplay, &major, &minor))
        throw Exception(Messages::EGLNoSurfacelessDisplay, ErrorCreation);
    display = eglDisplay;
    if (!eglBindAPI(EGL_OPENGL_API))
        throw Exception(Messages::EGLNoOpenGL, ErrorCreation);
    // A compatibility context: the shading layer and the fixed attribute arrays need it.
    EGLContext eglContext = eglCreateContext(eglDisplay, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (eglContext == EGL_NO_CONTEXT)
        throw Exception(Messages::EGLContextCreation, ErrorCreation);
    context = eglContext;
    if (!eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, eglContext))
        throw Exception(Messages::EGLMakeCurrent, ErrorCreation);
}

void EGLGLDevice::CreateWindowFramebuffer(int width, int height, int depthBits, int stencilBits) {
    gl.GenFramebuffers(1, &framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.GenRenderbuffers(1, &colorRenderbuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colorRenderbuffer);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorRenderbuffer);
    gl.GenRenderbuffers(1, &depthRenderbuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples,
                                      stencilBits ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16, width, height);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
    if (stencilBits)
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.DrawBuffer(GL_COLOR_ATTACHMENT0);
    gl.ReadBuffer(GL_COLOR_ATTACHMENT0);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw Exception(Messages::EGLBackBufferIncomplete, ErrorCreation);
    (void)depthBits;
}

EGLGLDevice::~EGLGLDevice() {
    if (context) {
        MakeCurrent();
        ShutdownGL();
        if (framebuffer)
            gl.DeleteFramebuffers(1, &framebuffer);
        unsigned int renderbuffers[] = {colorRenderbuffer, depthRenderbuffer};
        if (gl.DeleteRenderbuffers)
            gl.DeleteRenderbuffers(2, renderbuffers);
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
    }
    // The display stays initialised: EGL displays are shared by the process and other devices
    // may still use it.
}

void EGLGLDevice::MakeContextCurrent() { eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context); }

bool EGLGLDevice::Present() {
    MakeCurrent();
    gl.Flush();
    ++presentCount;
    return true;
}

} // namespace Gralith::Graphics
