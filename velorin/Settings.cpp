#include "velorin/Settings.h"

#include "velorin/DriverTable.h"

namespace Velorin {

int GraphicsDriver = DriverTable::GetDriver(0).value;
int ResolutionX = 1024;
int ResolutionY = 768;
int Multisamples = 2;
float Aspect = 1.6f;
bool Fullscreen = true;
bool PlayMusic = true;

} // namespace Velorin
