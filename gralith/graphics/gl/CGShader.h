#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Enums.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/gl/CgTranslator.h"

#include <string>

namespace Gralith::Graphics {

class GLDevice;

/// One compiled stage of the OpenGL + Cg backend: the Cg text translated to GLSL and compiled
/// into a GL shader object, with what the translation found (uniforms, vertex inputs).
class CGShader : public Shader {
public:
    /// Translates and compiles; throws the compiler's message (ErrorGeneral) on an error.
    CGShader(GLDevice* device, ShaderType type, const char* entryPoint, const char* source);
    ~CGShader() override;

    /// Compiles GLSL text into a GL shader object of the stage; throws (ErrorGeneral) with the driver's
    /// log, naming the source by name.
    static unsigned int CompileGLSL(GLDevice* device, ShaderType type, const char* glsl, const char* name);

    ShaderType GetShaderType() const { return type; }
    const char* GetEntryPoint() const { return entryPoint.c_str(); }
    unsigned int GetGLShader() const { return shader; }
    const CgTranslator::Translation& GetTranslation() const { return translation; }

private:
    Ref<GLDevice> device; ///< held: the device outlives what it made
    ShaderType type;
    std::string entryPoint;
    CgTranslator::Translation translation;
    unsigned int shader = 0;
};

} // namespace Gralith::Graphics
