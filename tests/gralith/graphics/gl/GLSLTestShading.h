#pragma once

#include "gralith/graphics/gl/GLShadingContext.h"

namespace Gralith::Graphics {

class GLDevice;

/// A minimal shading layer for device tests that compiles plain GLSL 1.20 (the source text is
/// GLSL; "vsMain"/"psMain" are ignored). Attributes follow the default semantic locations:
/// a_POSITION 0, a_NORMAL 2, a_COLOR 3, a_TEXCOORDn 8+n, a_ATTRn n. Parameters: SetFloat4 and
/// SetSampler (texture unit 0) only. Keeps the device tests independent of the Cg layer.
GLShadingContext* CreateGLSLTestShading(GLDevice* device);

} // namespace Gralith::Graphics
