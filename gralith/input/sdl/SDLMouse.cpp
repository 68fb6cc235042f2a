#include "gralith/input/sdl/SDLMouse.h"

#include "gralith/Exception.h"
#include "gralith/window/Window.h"

#include <SDL.h>

namespace Gralith::Input {

namespace {
const char* const EmptyQueue =
    "GetNextEvent(): No events in queue for mouse (Use HasNextEvent() to check if events are available)";

// Shared by every mouse, like the platform's own display count.
int cursorCount = 0;

void ApplyCursorCount() { SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE); }
} // namespace

bool SDLMouse::HasNextEvent() { return ring.HasNext(); }

void SDLMouse::GetNextEvent(MouseEvent& event) {
    if (!ring.HasNext())
        throw Exception(EmptyQueue);
    event = ring.Pop();
}

void SDLMouse::HideCursor() {
    --cursorCount;
    ApplyCursorCount();
}

void SDLMouse::ShowCursor() {
    ++cursorCount;
    ApplyCursorCount();
}

void SDLMouse::SetCursorPosition(int x, int y) {
    SDL_WarpMouseInWindow(static_cast<SDL_Window*>(window->GetHandle()), x, y);
}

int SDLMouse::GetCursorCount() { return cursorCount; }

} // namespace Gralith::Input
