#include "gralith/input/win32/Win32Keyboard.h"

#include "gralith/Exception.h"

namespace Gralith::Input {

namespace {
const char* const EmptyQueue =
    "GetNextEvent(): No events in queue for keyboard (Use HasNextEvent() to check if events are available)";
}

bool Win32Keyboard::HasNextEvent() { return ring.HasNext(); }

void Win32Keyboard::GetNextEvent(KeyboardEvent& event) {
    if (!ring.HasNext())
        throw Exception(EmptyQueue);
    event = ring.Pop();
}

} // namespace Gralith::Input
