#pragma once

#include "gralith/Object.h"
#include "gralith/utils/String.h"

namespace Gralith {

/// The one top-level window the presentation draws into. The platform class behind it also
/// records close requests for the graphics device's Present and feeds the input context
/// registered for the window.
class Window : public Object {
public:
    /// Moves the window's outer top-left corner to (x, y) in screen coordinates and gives the
    /// window the stored size; the stacking order is unchanged.
    virtual void SetPosition(int x, int y) = 0;
    /// Sets the caption text.
    virtual void SetTitle(const Utils::String& text) = 0;
    /// The platform window handle (an SDL_Window* on Linux); changes when a window is re-created.
    virtual void* GetHandle() = 0;
    /// The requested client width and height.
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
};

} // namespace Gralith
