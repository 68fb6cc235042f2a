#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/gl/GLProgram.h"

#include <map>
#include <string>
#include <vector>

namespace Gralith::Graphics {

class CGShadingContext;
class GLDevice;
class CGShader;
class CGParameter;
class SamplerState;
class Texture;

/// A vertex and a pixel CGShader linked into one GLSL program. Vertex inputs are bound to the
/// attribute locations of their semantics before linking; sampler uniforms get texture units in
/// ascending name order. Textures set on samplers are remembered per unit and bound again
/// whenever the program is bound, so a program always draws with its own textures; it holds a
/// reference on each until it is replaced or the program is destroyed.
class CGGralithProgram : public GLProgram {
public:
    /// Links; throws (ErrorGeneral) with the driver's log when linking fails. The shaders must outlive
    /// the program.
    CGGralithProgram(CGShadingContext* context, CGShader* vertexShader, CGShader* pixelShader);
    ~CGGralithProgram() override;

    int GetParameterCount() override { return static_cast<int>(linked.size()); }
    Parameter* GetParameter(const char* name) override;
    /// Null outside 0..GetParameterCount()-1.
    Parameter* GetParameter(int index) override;
    void Bind() override;

    unsigned int GetGLProgram() const { return program; }
    CGShadingContext* GetContext() const { return context; }
    /// Number of texture units the samplers use.
    int GetUnitCount() const { return static_cast<int>(units.size()); }

    /// Binds texture (null: none) with the given sampling (null: linear, linear, wrap) to a unit
    /// of this program: applies the sampling to the texture object and binds it on the unit now
    /// when the program is current, else when it is next bound. samplerType is the uniform's
    /// ParameterType, which decides the target for a null texture.
    void SetUnitTexture(int unit, int samplerType, Texture* texture, SamplerState* state);
    /// Runs uploads of uniform values: makes the program current for them and then restores the
    /// program that was current.
    void BeginUpload();
    void EndUpload();

private:
    struct UnitTexture {
        unsigned int target = 0;
        unsigned int texture = 0;
        // Referenced while set, so its GL name stays valid for later binds even when the
        // caller has released its own reference.
        Texture* held = nullptr;
    };

    Ref<GLDevice> device; ///< held: keeps the device and so its shading context alive
    CGShadingContext* context;
    CGShader* vertexShader;
    CGShader* pixelShader;
    unsigned int program = 0;
    unsigned int uploadPrevious = 0;
    std::map<std::string, CGParameter*> cache;
    std::vector<CGParameter*> linked;
    std::vector<UnitTexture> units;
};

} // namespace Gralith::Graphics
