#pragma once

#include "gralith/Object.h"

#include <cstdint>

namespace Gralith::Input {

/// States of a keyboard event.
enum KeyState : uint32_t {
    KeyPressed = 0,
    KeyReleased = 1,
    /// The key code is a typed character, not an engine key code.
    KeyCharacter = 2,
};

/// One keyboard event: an engine key code (see KeyCodes.h) for presses and releases, or the
/// character code for KeyCharacter.
struct KeyboardEvent {
    uint32_t keyCode;
    uint32_t state;
};

/// A queue of keyboard events, filled while window events are dispatched and drained by the
/// application once per frame.
class Keyboard : public Object {
public:
    virtual bool HasNextEvent() = 0;
    /// Removes the oldest event into event. Throws when the queue is empty.
    virtual void GetNextEvent(KeyboardEvent& event) = 0;
};

} // namespace Gralith::Input
