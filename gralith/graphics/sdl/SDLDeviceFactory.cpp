// The SDL platform's graphics device factory: OpenGL on an SDL window.

#include "gralith/Exception.h"
#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/CgShading.h"
#include "gralith/graphics/sdl/SDLGLDevice.h"

#include <string>

namespace Gralith::Graphics {

namespace {

Device* CreateOpenGLDevice(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    return SDLGLDevice::Create(window, depthFormat, multisamples, flags, &CreateCgShading);
}

} // namespace

Device* CreateDevice(int driver, Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    // The OpenGL device is the only one made here: Direct3D 9, listed by a Windows build, ends
    // as any driver a build lacks.
    if (IsDriverAvailable(driver) && driver == GraphicsDriverOpenGL)
        return CreateOpenGLDevice(window, depthFormat, multisamples, flags);
    const DriverInfo* info = FindDriver(driver);
    std::string message =
        std::string(Messages::DriverNotAvailable) + (info ? info->Name : std::to_string(driver).c_str());
    throw Exception(message.c_str(), ErrorCreation);
}

} // namespace Gralith::Graphics
