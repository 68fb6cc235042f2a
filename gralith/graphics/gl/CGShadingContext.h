#pragma once

#include "gralith/graphics/gl/GLShadingContext.h"

namespace Gralith::Graphics {

class GLDevice;
class CGSemanticMap;
class CGGralithProgram;

/// The shading layer of the OpenGL device: compiles Cg source text (translated to GLSL),
/// links programs, parses semantic maps and feeds vertex attributes. Attributes use the generic
/// attribute locations that the attribute kinds alias in Cg's OpenGL profiles (position 0,
/// normal 2, colour 3, texture coordinate n 8 + n, ATTRn n), which is where programs bind their
/// vertex inputs.
class CGShadingContext : public GLShadingContext {
public:
    explicit CGShadingContext(GLDevice* device);
    ~CGShadingContext() override;

    Shader* CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                         const char* source) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader) override;
    SemanticMap* CreateSemanticMap(const char* const* names) override;
    void SetSemanticMap(SemanticMap* map) override;
    void EnableAttribute(int semantic, int componentCount, unsigned int glType, int stride, bool normalized,
                         int offset) override;
    void DisableAttribute(int semantic) override;
    bool HasCapability(int value) const override { return value == 1; }

    GLDevice* GetDevice() const { return device; }
    CGSemanticMap* GetSemanticMap() const { return semanticMap; }
    /// The GL program made current through CGGralithProgram::Bind (0 for none).
    unsigned int GetCurrentProgram() const { return currentProgram; }
    void SetCurrentProgram(unsigned int program) { currentProgram = program; }

private:
    /// The generic attribute location of a slot in the current map, or -1.
    int LocationOfSlot(int semantic) const;

    GLDevice* device;
    CGSemanticMap* semanticMap = nullptr;
    unsigned int currentProgram = 0;
};

} // namespace Gralith::Graphics
