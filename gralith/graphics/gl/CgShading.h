#pragma once

namespace Gralith::Graphics {

class GLDevice;
class GLShadingContext;

/// The Cg shading layer for a GL device: the shading factory EGLGLDevice::Create and the SDL
/// OpenGL backend use unless given another. Shaders are Cg text (sourceFormat 0); the returned
/// context carries one reference, which the device takes over.
GLShadingContext* CreateCgShading(GLDevice* device);

} // namespace Gralith::Graphics
