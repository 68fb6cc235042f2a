#pragma once

#include "gralith/input/Context.h"
#include "gralith/utils/Array.h"

namespace Gralith {
class Window;
}

namespace Gralith::Input {

class Win32Keyboard;
class Win32Mouse;

/// The input context of one Win32 window: keyboard and mouse queues fed by the window procedure
/// (Win32Window), and the game controllers DirectInput 8 finds attached at creation. The newest
/// living context made for a window is the one registered for it.
class DInputInputContext : public Context {
public:
    /// Creates the DirectInput object, opens every attached game controller in enumeration
    /// order, creates the keyboard and mouse and registers the context for the window's handle.
    /// Without DirectInput there are simply no controllers.
    explicit DInputInputContext(Window* window);
    ~DInputInputContext() override;

    void PushKeyboardEvent(uint32_t keyCode, uint32_t state) override;
    void PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t reserved0, uint32_t reserved1, int32_t wheel,
                        uint32_t type) override;
    int GetJoystickCount() override;
    Joystick* GetJoystick(int index) override;
    Keyboard* GetKeyboard() override;
    Mouse* GetMouse() override;

    /// The IDirectInput8W object, or null when it could not be created.
    void* GetDirectInput() const { return directInput; }

private:
    void OpenControllers();

    Win32Keyboard* keyboard;
    Win32Mouse* mouse;
    Window* window;
    void* handle;
    Utils::Array<Joystick*> joysticks;
    void* directInput = nullptr;
};

} // namespace Gralith::Input
