#pragma once

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Shader.h"

#include <map>
#include <string>
#include <vector>

namespace Gralith::Graphics {

/// A uniform declared by a null shader's source.
struct NullUniform {
    std::string Name;
    ParameterType Type;
    int ArraySize; ///< 1 for a non-array
    bool IsArray;
};

/// Keeps its source; the uniforms are every "uniform TYPE NAME" or "uniform TYPE NAME[N]" in it
/// (Cg type names: float, float2..4, float2x2..4x4, int.., bool.., sampler2D, samplerCUBE,
/// sampler3D), so tests of the layers above can declare what a program offers.
class NullShader : public Shader {
public:
    NullShader(ShaderType type, const char* entryPoint, const char* source);
    ShaderType GetShaderType() const { return type; }
    const std::string& GetEntryPoint() const { return entryPoint; }
    const std::string& GetSource() const { return source; }
    const std::vector<NullUniform>& GetUniforms() const { return uniforms; }

private:
    ShaderType type;
    std::string entryPoint;
    std::string source;
    std::vector<NullUniform> uniforms;
};

class NullProgram;

/// Records what was last set: values (ints and bools converted to float), textures and states.
class NullParameter : public Parameter {
public:
    NullParameter(const std::string& name, const NullUniform* vertex, const NullUniform* pixel);
    const char* GetName() const override { return name.c_str(); }
    ParameterType GetType() const override;
    int GetArraySize() const override;
    bool IsValid() const override { return hasVertex || hasPixel; }

    void SetSamplers(int count, Texture* const* textures, SamplerState* const* states) override;
    void SetSamplers(int count, Texture* const* textures) override;
    void SetSampler(Texture* texture, SamplerState* state) override;
    void SetSampler(Texture* texture) override;
    void SetFloat(int count, const float* values) override { Record(count, 1, values); }
    void SetFloat2(int count, const float* values) override { Record(count, 2, values); }
    void SetFloat3(int count, const float* values) override { Record(count, 3, values); }
    void SetFloat4(int count, const float* values) override { Record(count, 4, values); }
    void SetInt(int count, const std::int32_t* values) override { Record(count, 1, values); }
    void SetInt2(int count, const std::int32_t* values) override { Record(count, 2, values); }
    void SetInt3(int count, const std::int32_t* values) override { Record(count, 3, values); }
    void SetInt4(int count, const std::int32_t* values) override { Record(count, 4, values); }
    void SetBool(int count, const std::int32_t* values) override { Record(count, 1, values); }
    void SetBool2(int count, const std::int32_t* values) override { Record(count, 2, values); }
    void SetBool3(int count, const std::int32_t* values) override { Record(count, 3, values); }
    void SetBool4(int count, const std::int32_t* values) override { Record(count, 4, values); }
    void SetMatrix2x2(int count, const float* values) override { RecordMatrices(count, 4, values); }
    void SetMatrix3x3(int count, const float* values) override { RecordMatrices(count, 9, values); }
    void SetMatrix4x4(int count, const float* values) override { RecordMatrices(count, 16, values); }

    /// How many setters reached a stage (an invalid parameter records nothing).
    int GetSetCount() const { return setCount; }
    /// The values of the last setter, element 0 first.
    const std::vector<float>& GetValues() const { return values; }
    const std::vector<Texture*>& GetTextures() const { return textures; }
    const std::vector<SamplerState*>& GetSamplerStates() const { return states; }
    bool HasVertexStage() const { return hasVertex; }
    bool HasPixelStage() const { return hasPixel; }

private:
    void Record(int count, int width, const float* data);
    void Record(int count, int width, const std::int32_t* data);
    void RecordMatrices(int count, int width, const float* data);
    void RecordSamplers(int count, Texture* const* textures, SamplerState* const* states);

    std::string name;
    bool hasVertex;
    bool hasPixel;
    NullUniform vertex;
    NullUniform pixel;
    int setCount = 0;
    std::vector<float> values;
    std::vector<Texture*> textures;
    std::vector<SamplerState*> states;
};

/// Lists the uniforms of both shaders once each, in ascending byte order of their names.
class NullProgram : public Program {
public:
    NullProgram(NullShader* vertexShader, NullShader* pixelShader);
    ~NullProgram() override;
    int GetParameterCount() override { return static_cast<int>(linked.size()); }
    Parameter* GetParameter(const char* name) override;
    Parameter* GetParameter(int index) override { return linked[index]; }
    NullShader* GetVertexShader() const { return vertexShader; }
    NullShader* GetPixelShader() const { return pixelShader; }

private:
    NullShader* vertexShader;
    NullShader* pixelShader;
    std::map<std::string, NullParameter*> cache;
    std::vector<NullParameter*> linked;
};

/// Validates names with the OpenGL rules: POSITION, NORMAL, COLOR, TEXCOORD, TEXCOORD0-7, ATTR0-15.
class NullSemanticMap : public SemanticMap {
public:
    explicit NullSemanticMap(const char* const* names);
    /// The name of a slot, or null.
    const char* GetName(int slot) const;

private:
    std::string names[16];
    bool used[16] = {};
};

} // namespace Gralith::Graphics
