#pragma once

#include "gralith/input/EventRing.h"
#include "gralith/input/Mouse.h"

namespace Gralith {
class Window;
}

namespace Gralith::Input {

/// The mouse queue of an SDL input context and the pointer of its window.
class SDLMouse : public Mouse {
public:
    /// The window is not counted: the context that owns this mouse holds it.
    explicit SDLMouse(Window* window) : window(window) {}

    bool HasNextEvent() override;
    void GetNextEvent(MouseEvent& event) override;
    void HideCursor() override;
    void ShowCursor() override;
    void SetCursorPosition(int x, int y) override;

    void Push(const MouseEvent& event) { ring.Push(event); }
    const EventRing<MouseEvent>& GetRing() const { return ring; }

    /// The process-wide cursor display count (0 at start; the cursor shows while >= 0).
    static int GetCursorCount();

private:
    EventRing<MouseEvent> ring;
    Window* window;
};

} // namespace Gralith::Input
