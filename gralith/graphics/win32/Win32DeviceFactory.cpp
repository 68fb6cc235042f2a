// The Win32 platform's graphics device factory: Direct3D 9, and OpenGL through WGL.

#include "gralith/Exception.h"
#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/gl/CgShading.h"
#include "gralith/graphics/win32/WINGLDevice.h"

#include <string>

namespace Gralith::Graphics {

Device* CreateDevice(int driver, Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    if (IsDriverAvailable(driver) && driver == GraphicsDriverDirect3D9)
        return D3D9Device::Create(window, depthFormat, multisamples, flags);
    if (IsDriverAvailable(driver) && driver == GraphicsDriverOpenGL)
        return WINGLDevice::Create(window, depthFormat, multisamples, flags, &CreateCgShading);
    const DriverInfo* info = FindDriver(driver);
    std::string message =
        std::string(Messages::DriverNotAvailable) + (info ? info->Name : std::to_string(driver).c_str());
    throw Exception(message.c_str(), ErrorCreation);
}

} // namespace Gralith::Graphics
