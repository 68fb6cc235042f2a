// The Win32 platform's sound device (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/sound/win32/DSound8Device.h"
#include "gralith/window/Window.h"

namespace Gralith::Platform {

Sound::Device* CreateSoundDevice(Window* window) {
    return new Sound::DSound8Device(window ? window->GetHandle() : nullptr);
}

} // namespace Gralith::Platform
