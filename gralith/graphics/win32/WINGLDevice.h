#pragma once

#include "gralith/graphics/gl/GLDevice.h"

namespace Gralith {
class Window;
class Win32Window;
} // namespace Gralith

namespace Gralith::Graphics {

/// The OpenGL device on a Win32 window through WGL: a pixel format with the requested depth,
/// stencil and multisample configuration, a rendering context, buffer swapping, the message
/// pump inside Present and the fullscreen display-mode switch.
///
/// A multisampled pixel format can only be asked for through WGL_ARB_pixel_format, whose entry
/// point exists once some context is current, and a window's pixel format can be set only once:
/// so that query runs in a context on a temporary 32 x 32 window titled "Gralith", which is
/// destroyed before the real window gets its format.
class WINGLDevice : public GLDevice {
public:
    /// window must be a Win32Window whose pixel format was not set before. flags: bit 0
    /// fullscreen (a refused mode switch leaves the window as it is), bit 1 wait for vertical
    /// retrace (where WGL_EXT_swap_control allows). createShading makes the shading layer; the
    /// shared default state is installed afterwards. Throws the device layer's creation messages
    /// (ErrorCreation, the depth-format ones, or the extension failure with ErrorUnsupported).
    static WINGLDevice* Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags,
                               GLShadingContext* (*createShading)(GLDevice*));
    ~WINGLDevice() override;

    /// Pumps the thread's messages first (a quit message answers false), then answers false
    /// when this device's window was asked to close, else swaps and answers true.
    bool Present() override;

    /// Whether the fullscreen display mode is in effect.
    bool IsFullscreen() const { return fullscreen; }
    /// The swap interval that was granted (0 or 1), or -1 when the platform has no control of it.
    int GetSwapInterval() const { return swapInterval; }
    /// Whether the pixel format was chosen through the temporary window (multisampling).
    bool UsedTemporaryWindow() const { return usedTemporaryWindow; }
    /// The window's pixel format number and the samples per pixel the context reports.
    int GetPixelFormat() const { return pixelFormat; }
    int GetContextSamples() const { return contextSamples; }

protected:
    void MakeContextCurrent() override;

private:
    explicit WINGLDevice(Win32Window* window);
    void ChoosePixelFormat(int depthBits, int stencilBits, int multisamples);
    void ChooseMultisampledFormat(int depthBits, int stencilBits, int multisamples);
    void CreateContext();
    void EnterFullscreen();

    Win32Window* window;
    void* handle;
    void* deviceContext = nullptr;
    void* renderingContext = nullptr;
    int pixelFormat = 0;
    int contextSamples = 0;
    bool usedTemporaryWindow = false;
    bool fullscreen = false;
    int swapInterval = -1;
};

} // namespace Gralith::Graphics
