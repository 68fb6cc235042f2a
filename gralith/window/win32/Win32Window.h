#pragma once

#include "gralith/window/Window.h"

#include <cstdint>

namespace Gralith::Input {
class Context;
}

namespace Gralith {

/// The window on Win32. Windowed means a captioned window with a system menu; otherwise a bare
/// pop-up whose outer size is the client size (the device switches the display mode itself).
/// Its class asks for double clicks, so the mouse queue sees them.
///
/// The window procedure turns keyboard and mouse messages into events for the input context
/// registered for the window's handle, and records close requests process-wide as the last
/// window that received one; the graphics device's Present reads and clears the record. A close
/// request also destroys the platform window (default processing), so the handle is then stale.
class Win32Window : public Window {
public:
    /// Registers the window class (named after the title) and creates, shows and focuses the
    /// window at (0, 0). Throws "Unable to create window: " and the system's reason when the
    /// window cannot be made.
    Win32Window(int width, int height, const Utils::String& title, bool windowed);
    ~Win32Window() override;

    /// Keeps the client size: the outer size is computed from it for the window's style.
    void SetPosition(int x, int y) override;
    /// The text is UTF-8.
    void SetTitle(const Utils::String& text) override;
    /// The HWND.
    void* GetHandle() override;
    int GetWidth() override;
    int GetHeight() override;

    bool IsWindowed() const { return windowed; }
    /// Whether the platform window was destroyed (by a close request).
    bool IsDestroyed() const { return destroyed; }

    /// Whether the close-request record names this window; the record is cleared either way.
    /// This is the check the device's Present makes.
    bool ConsumeCloseRequest();

    /// The handle of the last window that received a close request, or null.
    static void* GetClosedWindow();
    static void ClearClosedWindow();

    /// Peeks, translates and dispatches every pending message of the thread. Answers false when
    /// a quit message was among them.
    static bool DispatchMessages();

    /// The window created for a handle, or null.
    static Win32Window* FromHandle(void* handle);

    /// The input context whose queues receive a window's keyboard and mouse events. Setting
    /// null removes the entry; GetInputContext answers null for a handle without one.
    static void SetInputContext(void* handle, Input::Context* context);
    static Input::Context* GetInputContext(void* handle);

    /// The window procedure's part for input: pushes the events a message makes into context.
    /// Answers true for messages the procedure answers as handled itself (the extra buttons).
    static bool PushInputEvents(Input::Context* context, void* handle, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam);

private:
    friend struct Win32WindowProcedure;

    int width;
    int height;
    void* handle = nullptr;
    bool windowed;
    bool destroyed = false;
};

} // namespace Gralith
