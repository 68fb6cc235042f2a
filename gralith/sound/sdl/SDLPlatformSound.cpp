// The SDL platform's sound device (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"

namespace Gralith::Platform {

// SDL's output is not tied to a window.
Sound::Device* CreateSoundDevice(Window*) { return new Sound::SDLSoundDevice(); }

} // namespace Gralith::Platform
