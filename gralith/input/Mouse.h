#pragma once

#include "gralith/Object.h"

#include <cstdint>

namespace Gralith::Input {

/// Bits of MouseEvent::buttons.
enum MouseButton : uint32_t {
    MouseButtonLeft = 1,
    MouseButtonRight = 2,
    MouseButtonMiddle = 4,
    MouseButtonExtra1 = 8,
    MouseButtonExtra2 = 16,
};

/// Values of MouseEvent::type.
enum MouseEventType : uint32_t {
    MouseMove = 0,
    MouseButtonDown = 1,
    MouseButtonUp = 2,
    MouseDoubleClick = 3,
    MouseWheel = 4,
};

/// One mouse event. x and y are client coordinates cut to 16 bits (unsigned), as the
/// platform reports them; wheel is the signed delta, 120 per notch, positive away from the user.
struct MouseEvent {
    uint32_t buttons;
    uint32_t x;
    uint32_t y;
    uint32_t reserved0;
    uint32_t reserved1;
    int32_t wheel;
    uint32_t type;
};

/// A queue of mouse events plus control of the pointer.
class Mouse : public Object {
public:
    virtual bool HasNextEvent() = 0;
    /// Removes the oldest event into event. Throws when the queue is empty.
    virtual void GetNextEvent(MouseEvent& event) = 0;
    /// Decrement / increment the cursor display count; the cursor shows while it is >= 0.
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;
    /// Moves the pointer to (x, y) in the window's client coordinates.
    virtual void SetCursorPosition(int x, int y) = 0;
};

} // namespace Gralith::Input
