#pragma once

#include "gralith/utils/String.h"

namespace Gralith {
class Window;
}
namespace Gralith::Input {
class Context;
}
namespace Gralith::Sound {
class Device;
}

/// What a platform supplies to the presentation, created without naming a platform class: each
/// platform folder beside the interfaces (sdl/ on Linux) defines these functions for its own
/// classes, and the build compiles exactly one platform. The graphics device comes from
/// Gralith::Graphics::CreateDevice (gralith/graphics/DeviceFactory.h), defined the same way.
/// Every created object carries one reference for the caller.
namespace Gralith::Platform {

/// The top-level window: a client area of width x height, a captioned window when windowed,
/// a bare pop-up otherwise; shown and focused. Throws when the platform cannot make it.
Window* OpenWindow(int width, int height, const Utils::String& title, bool windowed);

/// The input context of window (keyboard, mouse and the attached game controllers), registered
/// so that the window's events reach its queues.
Input::Context* CreateInputContext(Window* window);

/// The sound device that plays to the platform's output, for window. Throws "Unable to create
/// sound device" (ErrorCreation) when it cannot be made.
Sound::Device* CreateSoundDevice(Window* window);

/// A modal notice with an OK button, owned by owner (may be null). Where no box can be shown
/// the notice is written to the standard error stream as "caption: text", so it is never lost.
void ShowMessageBox(Window* owner, const char* text, const char* caption);

} // namespace Gralith::Platform
