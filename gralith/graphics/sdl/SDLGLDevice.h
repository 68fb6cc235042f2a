#pragma once

#include "gralith/graphics/gl/GLDevice.h"

namespace Gralith {
class Window;
class SDLWindow;
} // namespace Gralith

namespace Gralith::Graphics {

/// The OpenGL device on an SDL2 window: a 2.1 compatibility context with the requested depth,
/// stencil and multisample configuration, buffer swapping, the event pump inside Present and the
/// fullscreen display-mode switch.
class SDLGLDevice : public GLDevice {
public:
    /// window must be an SDLWindow; it is re-created once so that the requested pixel format
    /// applies to it. flags: bit 0 fullscreen, bit 1 wait for vertical retrace (where the
    /// platform allows; refusal is not an error). createShading makes the shading layer; the
    /// shared default state is installed afterwards.
    static SDLGLDevice* Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags,
                               GLShadingContext* (*createShading)(GLDevice*));
    ~SDLGLDevice() override;

    /// Pumps window events first (a quit request answers false), swaps, then answers false when
    /// this device's window was asked to close.
    bool Present() override;
    /// Whether the fullscreen display mode is in effect.
    bool IsFullscreen() const { return fullscreen; }
    /// The swap interval that was granted (0 or 1), or -1 when the platform refused it.
    int GetSwapInterval() const { return swapInterval; }

protected:
    void MakeContextCurrent() override;

private:
    explicit SDLGLDevice(SDLWindow* window) : window(window) {}
    void EnterFullscreen();

    SDLWindow* window;
    void* context = nullptr;
    bool fullscreen = false;
    int swapInterval = -1;
};

} // namespace Gralith::Graphics
