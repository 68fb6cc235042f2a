#include "gralith/graphics/gl/CgShading.h"

#include "gralith/graphics/gl/CGShadingContext.h"

namespace Gralith::Graphics {

GLShadingContext* CreateCgShading(GLDevice* device) { return new CGShadingContext(device); }

} // namespace Gralith::Graphics
