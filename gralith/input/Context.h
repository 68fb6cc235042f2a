#pragma once

#include "gralith/Object.h"
#include "gralith/input/Joystick.h"
#include "gralith/input/Keyboard.h"
#include "gralith/input/Mouse.h"

#include <cstdint>

namespace Gralith::Input {

/// The input devices of one window: its keyboard and mouse queues, fed from the window's
/// events, and the game controllers found at creation.
class Context : public Object {
public:
    virtual void PushKeyboardEvent(uint32_t keyCode, uint32_t state) = 0;
    virtual void PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t reserved0, uint32_t reserved1,
                                int32_t wheel, uint32_t type) = 0;
    virtual int GetJoystickCount() = 0;
    /// The joystick at index in enumeration order, or null outside 0...count-1.
    virtual Joystick* GetJoystick(int index) = 0;
    virtual Keyboard* GetKeyboard() = 0;
    virtual Mouse* GetMouse() = 0;
};

} // namespace Gralith::Input
