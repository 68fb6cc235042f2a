// The Win32 platform's input context (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/input/win32/DInputInputContext.h"

namespace Gralith::Platform {

Input::Context* CreateInputContext(Window* window) { return new Input::DInputInputContext(window); }

} // namespace Gralith::Platform
