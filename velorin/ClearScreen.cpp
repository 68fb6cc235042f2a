#include "velorin/ClearScreen.h"

#include "gralith/graphics/Device.h"
#include "velorin/Globals.h"

namespace Velorin {

ClearScreen::ClearScreen()
    : color(0.0f, 0.0f, 0.0f, 1.0f), depth(1.0f), stencil(0), clearFlags(Gralith::Graphics::ClearColor) {
    RegisterParameter("Color", &color);
    RegisterParameter("Depth", &depth);
    RegisterParameter("Stencil", &stencil);
}

void ClearScreen::Render() { GraphicsDevice->Clear(clearFlags, color.x, color.y, color.z, color.w, depth, stencil); }

} // namespace Velorin
