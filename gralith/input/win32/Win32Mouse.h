#pragma once

#include "gralith/input/EventRing.h"
#include "gralith/input/Mouse.h"

namespace Gralith::Input {

/// The mouse queue of a window, filled by the window procedure, and the system pointer.
class Win32Mouse : public Mouse {
public:
    /// handle: the window's HWND, for pointer positions in its client coordinates.
    explicit Win32Mouse(void* handle) : handle(handle) {}

    bool HasNextEvent() override;
    void GetNextEvent(MouseEvent& event) override;
    /// The system's display count, shared by the whole thread.
    void HideCursor() override;
    void ShowCursor() override;
    void SetCursorPosition(int x, int y) override;

    void Push(const MouseEvent& event) { ring.Push(event); }
    const EventRing<MouseEvent>& GetRing() const { return ring; }
    /// The display count after the last HideCursor or ShowCursor (0 before any).
    int GetCursorCount() const { return cursorCount; }

private:
    EventRing<MouseEvent> ring;
    void* handle;
    int cursorCount = 0;
};

} // namespace Gralith::Input
