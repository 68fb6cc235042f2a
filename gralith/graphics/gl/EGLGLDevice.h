#pragma once

#include "gralith/graphics/gl/CgShading.h"
#include "gralith/graphics/gl/GLDevice.h"

namespace Gralith::Graphics {

/// A headless OpenGL device: an EGL context on the surfaceless platform (no display server), whose
/// "window" is an off-screen framebuffer of the requested size. Used by tests and the offline
/// renderer; read the finished frame with ReadSurface(GetBackBuffer(), ...).
class EGLGLDevice : public GLDevice {
public:
    /// Creates the device with its back buffer, depth buffer of the given format and sample count
    /// (0 = off), and runs the default-state set-up. The shading context is created by
    /// createShading: by default the Cg layer, so the defaults compile Cg shaders. Pass another
    /// factory for other shading, or null for none (set one with SetShadingContext before
    /// creating programs; the default semantic map is made then).
    static EGLGLDevice* Create(int width, int height, DepthStencilFormat depthFormat = Depth24Stencil8,
                               int multisamples = 0, GLShadingContext* (*createShading)(GLDevice*) = &CreateCgShading);
    ~EGLGLDevice() override;

    /// Finishes the frame's commands; there is no window to show it or to close.
    bool Present() override;
    unsigned int GetWindowFramebuffer() const override { return framebuffer; }
    int GetWindowSamples() const override { return samples; }
    /// Frames presented so far.
    int GetPresentCount() const { return presentCount; }

protected:
    void MakeContextCurrent() override;

private:
    EGLGLDevice() = default;
    void CreateContext();
    void CreateWindowFramebuffer(int width, int height, int depthBits, int stencilBits);

    void* display = nullptr;
    void* context = nullptr;
    unsigned int framebuffer = 0;
    unsigned int colorRenderbuffer = 0;
    unsigned int depthRenderbuffer = 0;
    int samples = 0;
    int presentCount = 0;
};

} // namespace Gralith::Graphics
