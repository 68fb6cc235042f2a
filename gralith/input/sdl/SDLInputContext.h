#pragma once

#include "gralith/input/Context.h"
#include "gralith/utils/Array.h"

union SDL_Event;

namespace Gralith {
class Window;
}

namespace Gralith::Input {

class SDLKeyboard;
class SDLMouse;

/// The input context of one SDL window. It watches SDL's event queue, so keyboard and mouse
/// events of its window reach the queues whoever pumps SDL (normally the device's Present).
/// The newest living context made for a window is the one registered for it; an older one
/// for the same window gets no events until the newer one is gone.
class SDLInputContext : public Context {
public:
    /// Opens every attached game controller, creates the keyboard and mouse and registers the
    /// context for the window.
    explicit SDLInputContext(Window* window);
    ~SDLInputContext() override;

    void PushKeyboardEvent(uint32_t keyCode, uint32_t state) override;
    void PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t reserved0, uint32_t reserved1, int32_t wheel,
                        uint32_t type) override;
    int GetJoystickCount() override;
    Joystick* GetJoystick(int index) override;
    Keyboard* GetKeyboard() override;
    Mouse* GetMouse() override;

    /// The context registered for a window, or null.
    static SDLInputContext* GetRegistered(Window* window);

    /// Turns one SDL event into keyboard or mouse events when it belongs to this context's
    /// window and this context is the one registered for it.
    void HandleEvent(const SDL_Event& event);

private:
    bool IsForMyWindow(uint32_t windowID) const;

    SDLKeyboard* keyboard;
    SDLMouse* mouse;
    Window* window;
    Utils::Array<Joystick*> joysticks;
};

} // namespace Gralith::Input
