#pragma once

#include "gralith/graphics/Enums.h"

namespace Gralith {
class Window;
}

namespace Gralith::Graphics {

class Device;

/// The values of the GraphicsDriver setting.
enum GraphicsDriver : int {
    GraphicsDriverDirect3D9 = 0,
    GraphicsDriverOpenGL = 1,
};

/// One backend this build can create.
struct DeviceBackend {
    int Driver;       ///< GraphicsDriver value
    const char* Name; ///< as the configuration dialog shows it
    /// Creates the device for the window and runs the shared default-state set-up.
    Device* (*Create)(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags);
};

/// The backends compiled into this build, in the order the dialog offers them; ends with an
/// entry whose Create is null.
const DeviceBackend* GetDeviceBackends();

/// Whether driver is among the backends compiled in.
bool IsDriverAvailable(int driver);

/// Creates the device of the given driver; a driver this build lacks fails with
/// "Graphics driver not available in this build: " and its name or number (code 6).
Device* CreateDevice(int driver, Window* window, DepthStencilFormat depthFormat, int multisamples, int flags);

} // namespace Gralith::Graphics
