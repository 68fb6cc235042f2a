#pragma once

#include "gralith/window/Window.h"

struct SDL_Window;

namespace Gralith {

/// The window on SDL2. Always created with OpenGL support so that the OpenGL device can put a
/// context on it. Windowed means a captioned window; otherwise a borderless pop-up whose outer
/// size is the client size (the device switches the display mode itself).
///
/// Close requests are recorded process-wide, as the last window that received one; the
/// graphics device's Present reads and clears the record. Recording happens in an SDL event
/// watch, so it works whoever pumps SDL's event queue.
class SDLWindow : public Window {
public:
    /// Creates, shows and focuses the window at (0, 0). Throws when SDL cannot make a window.
    SDLWindow(int width, int height, const Utils::String& title, bool windowed);
    ~SDLWindow() override;

    void SetPosition(int x, int y) override;
    void SetTitle(const Utils::String& text) override;
    void* GetHandle() override;
    int GetWidth() override;
    int GetHeight() override;

    SDL_Window* GetSDLWindow() const { return window; }
    bool IsWindowed() const { return windowed; }

    /// Destroys and re-creates the SDL window with the same title, size, position and mode, so
    /// that GL attributes set since (multisampling, depth, stencil) apply to it. The handle
    /// changes; a close request recorded for the old handle is dropped. Throws when SDL cannot
    /// make the window (the handle is then null until a later Reopen succeeds).
    void Reopen();

    /// Whether the close-request record names this window; the record is cleared either way.
    /// This is the check the device's Present makes.
    bool ConsumeCloseRequest();

    /// The handle of the last window that received a close request, or null.
    static void* GetClosedWindow();
    static void ClearClosedWindow();

    /// Takes every pending event off SDL's queue (the watches of windows and input contexts
    /// see each one as it is queued). Answers false when a quit request was among them.
    static bool DispatchEvents();

private:
    void Open(int left, int top, unsigned int extraFlags);

    int width;
    int height;
    bool windowed;
    Utils::String title;
    SDL_Window* window = nullptr;
    // Client position and full-screen flags for re-creation.
    int x = 0;
    int y = 0;
    unsigned int keptFlags = 0;
};

} // namespace Gralith
