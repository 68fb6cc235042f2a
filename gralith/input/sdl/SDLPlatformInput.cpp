// The SDL platform's input context (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/input/sdl/SDLInputContext.h"

namespace Gralith::Platform {

Input::Context* CreateInputContext(Window* window) { return new Input::SDLInputContext(window); }

} // namespace Gralith::Platform
