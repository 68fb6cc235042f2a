#include "velorin/Settings.h"

#include "gralith/graphics/DeviceFactory.h"

namespace Velorin {

int GraphicsDriver = Gralith::Graphics::BuiltDriver(0).Driver;
int ResolutionX = 1024;
int ResolutionY = 768;
int Multisamples = 2;
float Aspect = 1.6f;
bool Fullscreen = true;
bool PlayMusic = true;

} // namespace Velorin
