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

/// One value of the GraphicsDriver setting.
struct DriverInfo {
    int Driver;        ///< GraphicsDriver value
    const char* Name;  ///< in the factory's messages
    const char* Title; ///< the configuration dialog's row
    bool Built;        ///< whether this build contains the backend
};

/// Every driver the setting knows. The configuration dialog offers the built ones in this order
/// and the factory creates exactly those, so offering a driver that would only end the show with
/// an error is impossible. Defined here (not in a source) so the dialog can read it without
/// linking the backends.
inline constexpr DriverInfo Drivers[] = {
#ifdef _WIN32
    {GraphicsDriverDirect3D9, "Direct3D 9", "Direct3D 9.0c", true},
#else
    {GraphicsDriverDirect3D9, "Direct3D 9", "Direct3D 9.0c", false},
#endif
    {GraphicsDriverOpenGL, "OpenGL", "OpenGL 2.0", true},
};

/// The table's entry for a driver value, or null.
constexpr const DriverInfo* FindDriver(int driver) {
    for (const DriverInfo& info : Drivers)
        if (info.Driver == driver)
            return &info;
    return nullptr;
}

/// Whether this build contains the driver's backend.
constexpr bool IsDriverAvailable(int driver) {
    const DriverInfo* info = FindDriver(driver);
    return info && info->Built;
}

/// How many drivers this build contains.
constexpr int BuiltDriverCount() {
    int count = 0;
    for (const DriverInfo& info : Drivers)
        count += info.Built ? 1 : 0;
    return count;
}

/// The built driver at row 0 .. BuiltDriverCount() - 1 of the dialog's list; another row answers
/// row 0.
constexpr const DriverInfo& BuiltDriver(int row) {
    if (row < 0 || row >= BuiltDriverCount())
        row = 0;
    for (const DriverInfo& info : Drivers)
        if (info.Built && row-- == 0)
            return info;
    return Drivers[0];
}

/// Creates the device of the given driver; a driver this build lacks fails with
/// "Graphics driver not available in this build: " and its name or number (ErrorCreation).
/// Defined by the platform's graphics folder (sdl/ on Linux), which knows the window class.
Device* CreateDevice(int driver, Window* window, DepthStencilFormat depthFormat, int multisamples, int flags);

} // namespace Gralith::Graphics
