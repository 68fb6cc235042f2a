#include "gralith/graphics/sdl/SDLGLDevice.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLShadingContext.h"
#include "gralith/window/sdl/SDLWindow.h"

#include <SDL.h>

#include <string>

namespace Gralith::Graphics {

namespace {

void* LoadEntryPoint(const char* name) { return SDL_GL_GetProcAddress(name); }

[[noreturn]] void Fail(const char* what) {
    std::string message = std::string(what) + ": " + SDL_GetError();
    throw Exception(message.c_str(), ErrorCreation);
}

} // namespace

SDLGLDevice* SDLGLDevice::Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags,
                                 GLShadingContext* (*createShading)(GLDevice*)) {
    int depthBits = 0, stencilBits = 0;
    DepthStencilBits(depthFormat, depthBits, stencilBits);
    auto* sdlWindow = dynamic_cast<SDLWindow*>(window);
    if (!sdlWindow || !sdlWindow->GetSDLWindow())
        throw Exception(Messages::NeedsSDLWindow, ErrorCreation);

    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, multisamples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, multisamples > 0 ? multisamples : 0);
    // The pixel format of an X11 window is fixed when it is created: make it again with the
    // attributes above.
    try {
        sdlWindow->Reopen();
    } catch (const Exception& e) {
        // No visual for this format (too many samples, say): give the window back in its plain
        // format before failing.
        std::string message = std::string(Messages::WindowFormatFailed) + e.GetMessage();
        SDL_GL_ResetAttributes();
        sdlWindow->Reopen();
        throw Exception(message.c_str(), ErrorCreation);
    }

    SDLGLDevice* device = new SDLGLDevice(sdlWindow);
    try {
        SDL_GLContext context = SDL_GL_CreateContext(sdlWindow->GetSDLWindow());
        if (!context)
            Fail(Messages::SDLContextCreation);
        device->context = context;
        if (SDL_GL_MakeCurrent(sdlWindow->GetSDLWindow(), context) != 0)
            Fail(Messages::SDLMakeCurrent);
        device->InitializeGL(&LoadEntryPoint, sdlWindow->GetWidth(), sdlWindow->GetHeight());
        // Not every platform lets the swap interval be chosen (Xvfb refuses); run unsynchronised then.
        int interval = (flags & DeviceWaitForRetrace) ? 1 : 0;
        device->swapInterval = SDL_GL_SetSwapInterval(interval) == 0 ? interval : -1;
        if (flags & DeviceFullscreen)
            device->EnterFullscreen();
        device->FinishCreation(createShading);
    } catch (...) {
        device->Release();
        throw;
    }
    return device;
}

void SDLGLDevice::EnterFullscreen() {
    SDL_Window* handle = window->GetSDLWindow();
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(handle), &mode) == 0) {
        mode.w = window->GetWidth();
        mode.h = window->GetHeight();
        mode.format = SDL_PIXELFORMAT_RGB888; // 32 bits per pixel
        SDL_SetWindowDisplayMode(handle, &mode);
    }
    // A refused mode switch leaves the presentation in its window rather than ending it.
    fullscreen = SDL_SetWindowFullscreen(handle, SDL_WINDOW_FULLSCREEN) == 0;
}

SDLGLDevice::~SDLGLDevice() {
    if (context) {
        MakeCurrent();
        ShutdownGL();
        if (fullscreen)
            SDL_SetWindowFullscreen(window->GetSDLWindow(), 0);
        SDL_GL_MakeCurrent(window->GetSDLWindow(), nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    }
}

void SDLGLDevice::MakeContextCurrent() {
    SDL_GL_MakeCurrent(window->GetSDLWindow(), static_cast<SDL_GLContext>(context));
}

bool SDLGLDevice::Present() {
    if (!SDLWindow::DispatchEvents())
        return false;
    MakeCurrent();
    SDL_GL_SwapWindow(window->GetSDLWindow());
    return !window->ConsumeCloseRequest();
}

} // namespace Gralith::Graphics
