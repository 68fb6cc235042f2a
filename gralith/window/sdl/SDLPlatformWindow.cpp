// The SDL platform's window and message box (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/window/sdl/SDLWindow.h"

#include <SDL.h>

#include <cstdio>

namespace Gralith::Platform {

Window* OpenWindow(int width, int height, const Utils::String& title, bool windowed) {
    return new SDLWindow(width, height, title, windowed);
}

void ShowMessageBox(Window* owner, const char* text, const char* caption) {
    SDL_Window* parent = owner ? static_cast<SDL_Window*>(owner->GetHandle()) : nullptr;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, parent) != 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

} // namespace Gralith::Platform
