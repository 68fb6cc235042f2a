#include "gralith/window/sdl/SDLWindow.h"

#include "gralith/Exception.h"

#include <SDL.h>

#include <string>

namespace Gralith {

namespace {

// The last window that received a close request; read and cleared by the device's Present.
void* closedWindow = nullptr;

int SDLCALL WatchCloseRequests(void* userData, SDL_Event* event) {
    auto* self = static_cast<SDLWindow*>(userData);
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_CLOSE) {
        SDL_Window* target = SDL_GetWindowFromID(event->window.windowID);
        if (target && target == self->GetSDLWindow())
            closedWindow = target;
    }
    return 1;
}

} // namespace

SDLWindow::SDLWindow(int width, int height, const Utils::String& title, bool windowed)
    : width(width), height(height), windowed(windowed), title(title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw Exception((std::string("Unable to create window: ") + SDL_GetError()).c_str());
    try {
        Open(0, 0, 0);
    } catch (...) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw;
    }
    SDL_AddEventWatch(WatchCloseRequests, this);
}

SDLWindow::~SDLWindow() {
    SDL_DelEventWatch(WatchCloseRequests, this);
    if (closedWindow == window)
        closedWindow = nullptr;
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SDLWindow::Open(int left, int top, unsigned int extraFlags) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | extraFlags;
    if (!windowed)
        flags |= SDL_WINDOW_BORDERLESS;
    window = SDL_CreateWindow(title.CStr(), left, top, width, height, flags);
    if (!window)
        throw Exception((std::string("Unable to create window: ") + SDL_GetError()).c_str());
    // Foreground and keyboard focus, so key presses reach this window without a click.
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
}

void SDLWindow::SetPosition(int x, int y) {
    // SDL places the client area; shift by the frame so the outer corner lands at (x, y).
    int top = 0, left = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) != 0)
        top = left = 0;
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, x + left, y + top);
    this->x = x + left;
    this->y = y + top;
}

void SDLWindow::SetTitle(const Utils::String& text) {
    title = text;
    SDL_SetWindowTitle(window, title.CStr());
}

void* SDLWindow::GetHandle() { return window; }

int SDLWindow::GetWidth() { return width; }

int SDLWindow::GetHeight() { return height; }

void SDLWindow::Reopen() {
    // After a failed re-creation there is no window to ask: use what the last one had.
    if (window) {
        SDL_GetWindowPosition(window, &x, &y);
        keptFlags = SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
        if (closedWindow == window)
            closedWindow = nullptr;
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    Open(x, y, keptFlags);
}

bool SDLWindow::ConsumeCloseRequest() {
    bool named = closedWindow != nullptr && closedWindow == window;
    closedWindow = nullptr;
    return named;
}

void* SDLWindow::GetClosedWindow() { return closedWindow; }

void SDLWindow::ClearClosedWindow() { closedWindow = nullptr; }

bool SDLWindow::DispatchEvents() {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_QUIT)
            quit = true;
    return !quit;
}

} // namespace Gralith
