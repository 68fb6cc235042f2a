#include "gralith/graphics/win32/WINGLDevice.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/window/win32/Win32Text.h"
#include "gralith/window/win32/Win32Window.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include <cstdint>
#include <string>

namespace Gralith::Graphics {

namespace {

constexpr int SamplesQuery = 0x80A9; // GL_SAMPLES

// wglGetProcAddress knows only what opengl32.dll does not export itself (OpenGL 1.1 is
// exported), and some drivers answer small numbers instead of null for unknown names.
void* LoadEntryPoint(const char* name) {
    PROC entry = wglGetProcAddress(name);
    auto value = reinterpret_cast<std::intptr_t>(entry);
    if (value >= -1 && value <= 3)
        entry = GetProcAddress(GetModuleHandleW(L"opengl32.dll"), name);
    return reinterpret_cast<void*>(entry);
}

template <class Function>
Function LoadWGL(const char* name) {
    return reinterpret_cast<Function>(LoadEntryPoint(name));
}

[[noreturn]] void Fail(const char* what) {
    std::string message = std::string(what) + ": " + Win32Text::ErrorText(GetLastError());
    throw Exception(message.c_str(), ErrorCreation);
}

PIXELFORMATDESCRIPTOR Descriptor(int depthBits, int stencilBits) {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.cDepthBits = static_cast<BYTE>(depthBits);
    descriptor.cStencilBits = static_cast<BYTE>(stencilBits);
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

// The window, device context and rendering context in which WGL_ARB_pixel_format is asked;
// all three go when it does.
class TemporaryContext {
public:
    TemporaryContext() {
        HINSTANCE module = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = module;
        windowClass.lpszClassName = ClassName;
        RegisterClassExW(&windowClass);
        window = CreateWindowExW(0, ClassName, L"Gralith", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 32, 32,
                                 nullptr, nullptr, module, nullptr);
        if (!window)
            Fail(Messages::WGLTemporaryWindow);
        deviceContext = GetDC(window);
        PIXELFORMATDESCRIPTOR descriptor = Descriptor(0, 0);
        int format = ::ChoosePixelFormat(deviceContext, &descriptor);
        if (format == 0)
            Fail(Messages::WGLNoPixelFormat);
        if (!SetPixelFormat(deviceContext, format, &descriptor))
            Fail(Messages::WGLSetPixelFormat);
        context = wglCreateContext(deviceContext);
        if (!context)
            Fail(Messages::WGLContextCreation);
        if (!wglMakeCurrent(deviceContext, context))
            Fail(Messages::WGLMakeCurrent);
    }
    ~TemporaryContext() {
        if (context) {
            if (wglGetCurrentContext() == context)
                wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(context);
        }
        if (deviceContext)
            ReleaseDC(window, deviceContext);
        if (window)
            DestroyWindow(window);
    }
    TemporaryContext(const TemporaryContext&) = delete;
    TemporaryContext& operator=(const TemporaryContext&) = delete;

private:
    static constexpr const wchar_t* ClassName = L"GralithTemporaryOpenGLWindow";
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC context = nullptr;
};

} // namespace

WINGLDevice::WINGLDevice(Win32Window* window) : window(window), handle(window->GetHandle()) { window->AddRef(); }

WINGLDevice* WINGLDevice::Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags,
                                 GLShadingContext* (*createShading)(GLDevice*)) {
    int depthBits = 0, stencilBits = 0;
    DepthStencilBits(depthFormat, depthBits, stencilBits);
    auto* win32Window = dynamic_cast<Win32Window*>(window);
    if (!win32Window || !win32Window->GetHandle() || win32Window->IsDestroyed())
        throw Exception(Messages::NeedsWin32Window, ErrorCreation);

    WINGLDevice* device = new WINGLDevice(win32Window);
    try {
        device->ChoosePixelFormat(depthBits, stencilBits, multisamples);
        device->CreateContext();
        device->InitializeGL(&LoadEntryPoint, win32Window->GetWidth(), win32Window->GetHeight());
        device->gl.GetIntegerv(SamplesQuery, &device->contextSamples);
        auto swapControl = LoadWGL<PFNWGLSWAPINTERVALEXTPROC>("wglSwapIntervalEXT");
        int interval = (flags & DeviceWaitForRetrace) ? 1 : 0;
        if (swapControl)
            device->swapInterval = swapControl(interval) ? interval : -1;
        if (flags & DeviceFullscreen)
            device->EnterFullscreen();
        device->FinishCreation(createShading);
    } catch (...) {
        device->Release();
        throw;
    }
    return device;
}

void WINGLDevice::ChoosePixelFormat(int depthBits, int stencilBits, int multisamples) {
    HWND hwnd = static_cast<HWND>(handle);
    HDC dc = GetDC(hwnd);
    if (!dc)
        Fail(Messages::WGLNoPixelFormat);
    deviceContext = dc;
    if (multisamples > 0) {
        ChooseMultisampledFormat(depthBits, stencilBits, multisamples);
    } else {
        PIXELFORMATDESCRIPTOR descriptor = Descriptor(depthBits, stencilBits);
        pixelFormat = ::ChoosePixelFormat(dc, &descriptor);
        if (pixelFormat == 0)
            Fail(Messages::WGLNoPixelFormat);
    }
    PIXELFORMATDESCRIPTOR chosen = {};
    DescribePixelFormat(dc, pixelFormat, sizeof chosen, &chosen);
    if (!SetPixelFormat(dc, pixelFormat, &chosen))
        Fail(Messages::WGLSetPixelFormat);
}

void WINGLDevice::ChooseMultisampledFormat(int depthBits, int stencilBits, int multisamples) {
    TemporaryContext temporary;
    usedTemporaryWindow = true;
    GLFunctions probe;
    bool loaded = probe.Load(&LoadEntryPoint);
    auto choose = LoadWGL<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB");
    if (!loaded || !choose)
        throw Exception(Messages::ExtensionLoadFailure, ErrorUnsupported);
    const int attributes[] = {WGL_DRAW_TO_WINDOW_ARB,
                              1,
                              WGL_SUPPORT_OPENGL_ARB,
                              1,
                              WGL_ACCELERATION_ARB,
                              WGL_FULL_ACCELERATION_ARB,
                              WGL_COLOR_BITS_ARB,
                              24,
                              WGL_ALPHA_BITS_ARB,
                              8,
                              WGL_DEPTH_BITS_ARB,
                              depthBits,
                              WGL_STENCIL_BITS_ARB,
                              stencilBits,
                              WGL_DOUBLE_BUFFER_ARB,
                              1,
                              WGL_SAMPLE_BUFFERS_ARB,
                              1,
                              WGL_SAMPLES_ARB,
                              multisamples,
                              WGL_PIXEL_TYPE_ARB,
                              WGL_TYPE_RGBA_ARB,
                              0};
    int format = 0;
    UINT count = 0;
    if (!choose(static_cast<HDC>(deviceContext), attributes, nullptr, 1, &format, &count) || count == 0 || format == 0)
        throw Exception(Messages::DeviceMultisamples, ErrorCreation);
    pixelFormat = format;
}

void WINGLDevice::CreateContext() {
    HDC dc = static_cast<HDC>(deviceContext);
    HGLRC context = wglCreateContext(dc);
    if (!context)
        Fail(Messages::WGLContextCreation);
    renderingContext = context;
    if (!wglMakeCurrent(dc, context))
        Fail(Messages::WGLMakeCurrent);
    // Loaded with the other entry points everywhere: a driver without it is not one to run on.
    if (!LoadWGL<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB"))
        throw Exception(Messages::ExtensionLoadFailure, ErrorUnsupported);
}

void WINGLDevice::EnterFullscreen() {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return;
    mode.dmPelsWidth = static_cast<DWORD>(window->GetWidth());
    mode.dmPelsHeight = static_cast<DWORD>(window->GetHeight());
    mode.dmBitsPerPel = 32;
    mode.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    fullscreen = ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

WINGLDevice::~WINGLDevice() {
    HDC dc = static_cast<HDC>(deviceContext);
    if (renderingContext) {
        MakeCurrent();
        ShutdownGL();
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(static_cast<HGLRC>(renderingContext));
    }
    if (fullscreen)
        ChangeDisplaySettingsW(nullptr, 0);
    if (dc)
        ReleaseDC(static_cast<HWND>(handle), dc);
    window->Release();
}

void WINGLDevice::MakeContextCurrent() {
    wglMakeCurrent(static_cast<HDC>(deviceContext), static_cast<HGLRC>(renderingContext));
}

bool WINGLDevice::Present() {
    if (!Win32Window::DispatchMessages())
        return false;
    // A close request has destroyed the window already: nothing left to show.
    if (window->ConsumeCloseRequest() || window->IsDestroyed())
        return false;
    MakeCurrent();
    SwapBuffers(static_cast<HDC>(deviceContext));
    return true;
}

} // namespace Gralith::Graphics
