#include "gralith/graphics/sdl/DeviceFactory.h"

#include "gralith/Exception.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/sdl/SDLGLDevice.h"

#include <string>

namespace Gralith::Graphics {

namespace {

GLShadingContext* CreateCgShading(GLDevice* device) { return new CGShadingContext(device); }

Device* CreateOpenGLDevice(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    return SDLGLDevice::Create(window, depthFormat, multisamples, flags, &CreateCgShading);
}

// Direct3D 9 is part of the Windows build only.
const DeviceBackend backends[] = {
    {GraphicsDriverOpenGL, "OpenGL 2.0 with Cg shaders", &CreateOpenGLDevice},
    {-1, nullptr, nullptr},
};

const char* DriverName(int driver) {
    switch (driver) {
    case GraphicsDriverDirect3D9: return "Direct3D 9";
    case GraphicsDriverOpenGL: return "OpenGL";
    default: return nullptr;
    }
}

} // namespace

const DeviceBackend* GetDeviceBackends() { return backends; }

bool IsDriverAvailable(int driver) {
    for (const DeviceBackend* b = backends; b->Create; ++b)
        if (b->Driver == driver)
            return true;
    return false;
}

Device* CreateDevice(int driver, Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    for (const DeviceBackend* b = backends; b->Create; ++b)
        if (b->Driver == driver)
            return b->Create(window, depthFormat, multisamples, flags);
    const char* name = DriverName(driver);
    std::string message =
        std::string("Graphics driver not available in this build: ") + (name ? name : std::to_string(driver).c_str());
    throw Exception(message.c_str(), 6);
}

} // namespace Gralith::Graphics
