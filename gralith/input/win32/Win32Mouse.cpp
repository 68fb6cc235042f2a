#include "gralith/input/win32/Win32Mouse.h"

#include "gralith/Exception.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace Gralith::Input {

namespace {
const char* const EmptyQueue =
    "GetNextEvent(): No events in queue for mouse (Use HasNextEvent() to check if events are available)";
}

bool Win32Mouse::HasNextEvent() { return ring.HasNext(); }

void Win32Mouse::GetNextEvent(MouseEvent& event) {
    if (!ring.HasNext())
        throw Exception(EmptyQueue);
    event = ring.Pop();
}

void Win32Mouse::HideCursor() { cursorCount = ::ShowCursor(FALSE); }

void Win32Mouse::ShowCursor() { cursorCount = ::ShowCursor(TRUE); }

void Win32Mouse::SetCursorPosition(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(static_cast<HWND>(handle), &point);
    SetCursorPos(point.x, point.y);
}

} // namespace Gralith::Input
