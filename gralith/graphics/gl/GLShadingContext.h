#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

class Shader;
class Program;
class SemanticMap;

/// The shading layer of the OpenGL device: the device delegates shader, program and semantic
/// map creation and vertex-attribute binding to it, so that the shading part can be replaced
/// without touching the rest. Created for one GLDevice and owned by it (GLDevice::
/// SetShadingContext); it reaches GL through GLDevice::GL() after GLDevice::MakeCurrent().
class GLShadingContext : public Object {
public:
    ~GLShadingContext() override = default;
    virtual Shader* CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                                 const char* source) = 0;
    virtual Program* CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) = 0;
    virtual Program* CreateProgram(Shader* vertexShader, Shader* pixelShader) = 0;
    virtual SemanticMap* CreateSemanticMap(const char* const* names) = 0;
    /// The map in effect for EnableAttribute/DisableAttribute (may be null: no slot mapped).
    virtual void SetSemanticMap(SemanticMap* map) = 0;
    /// Feeds attribute slot semantic from the buffer bound to GL_ARRAY_BUFFER: componentCount
    /// components of GL type glType, stride bytes apart, starting at byte offset. Throws
    /// (ErrorUnsupported) for combinations the attribute kind cannot take.
    virtual void EnableAttribute(int semantic, int componentCount, unsigned int glType, int stride, bool normalized,
                                 int offset) = 0;
    virtual void DisableAttribute(int semantic) = 0;
    virtual bool HasCapability(int value) const = 0;
};

} // namespace Gralith::Graphics
