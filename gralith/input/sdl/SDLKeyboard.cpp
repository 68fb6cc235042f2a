#include "gralith/input/sdl/SDLKeyboard.h"

#include "gralith/Exception.h"

namespace Gralith::Input {

namespace {
const char* const EmptyQueue =
    "GetNextEvent(): No events in queue for keyboard (Use HasNextEvent() to check if events are available)";
}

bool SDLKeyboard::HasNextEvent() { return ring.HasNext(); }

void SDLKeyboard::GetNextEvent(KeyboardEvent& event) {
    if (!ring.HasNext())
        throw Exception(EmptyQueue);
    event = ring.Pop();
}

} // namespace Gralith::Input
