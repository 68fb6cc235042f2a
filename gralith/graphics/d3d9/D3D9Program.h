#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ID3DXConstantTable;

namespace Gralith::Graphics {

class D3D9Device;
class D3D9Shader;

/// A vertex and a pixel D3D9Shader used together. Parameters address the constant of their name
/// in each stage's constant table. Direct3D keeps shader constants and textures on the device,
/// not per program: values reach the program bound at the next draw, so callers set them after
/// SetProgram.
class D3D9Program : public Program {
public:
    class Parameter;

    /// Enumerates both constant tables; the shaders must outlive the program.
    D3D9Program(D3D9Device* device, D3D9Shader* vertexShader, D3D9Shader* pixelShader);
    ~D3D9Program() override;

    /// The vertex shader's constants in table order, then the pixel shader's that the vertex
    /// shader lacks.
    int GetParameterCount() override { return static_cast<int>(linked.size()); }
    Graphics::Parameter* GetParameter(const char* name) override;
    /// Null outside 0..GetParameterCount()-1.
    Graphics::Parameter* GetParameter(int index) override;

    D3D9Shader* GetVertexShader() const { return vertexShader; }
    D3D9Shader* GetPixelShader() const { return pixelShader; }
    D3D9Device* GetDevice() const { return device.Get(); }

private:
    Parameter* Find(const char* name, bool create);

    Ref<D3D9Device> device; ///< held: the device outlives what it made
    D3D9Shader* vertexShader;
    D3D9Shader* pixelShader;
    std::map<std::string, Parameter*> cache;
    std::vector<Parameter*> linked;
};

/// A named constant of a D3D9Program in both stages. Values go through each stage's constant
/// table (float and int arrays; bools as 32-bit ints); matrices arrive column-major and are
/// transposed into the rows the shaders are compiled for. A value narrower or wider than the
/// constant fills it element by element (missing components 0; a smaller matrix fills the
/// upper-left corner of identity), as on the OpenGL backend.
class D3D9Program::Parameter : public Graphics::Parameter {
public:
    /// What one stage's constant table says about the constant.
    struct Stage {
        ID3DXConstantTable* table = nullptr;
        const char* handle = nullptr; ///< D3DXHANDLE, null when the stage lacks the constant
        int parameterClass = 0;       ///< D3DXPARAMETER_CLASS
        int parameterType = 0;        ///< D3DXPARAMETER_TYPE
        int rows = 0;
        int columns = 0;
        int elements = 0;
        bool vertex = false;
    };

    Parameter(D3D9Program* program, const char* name);
    /// Looks the constant up in a stage's table (by name, which may name an element or a member).
    void FindIn(ID3DXConstantTable* table, bool vertex);
    const Stage& GetStage(bool vertex) const { return vertex ? vertexStage : pixelStage; }

    const char* GetName() const override { return name.c_str(); }
    /// Throws "Parameter::GetType(): Parameter is invalid" and the unsupported-type messages
    /// (ErrorGeneral).
    ParameterType GetType() const override;
    int GetArraySize() const override;
    bool IsValid() const override { return vertexStage.handle || pixelStage.handle; }

    void SetSamplers(int count, Texture* const* textures, SamplerState* const* states) override;
    void SetSamplers(int count, Texture* const* textures) override;
    void SetSampler(Texture* texture, SamplerState* state) override;
    void SetSampler(Texture* texture) override;

    void SetFloat(int count, const float* values) override { SetVector(count, values, nullptr, 1); }
    void SetFloat2(int count, const float* values) override { SetVector(count, values, nullptr, 2); }
    void SetFloat3(int count, const float* values) override { SetVector(count, values, nullptr, 3); }
    void SetFloat4(int count, const float* values) override { SetVector(count, values, nullptr, 4); }
    void SetInt(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 1); }
    void SetInt2(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 2); }
    void SetInt3(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 3); }
    void SetInt4(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 4); }
    void SetBool(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 1); }
    void SetBool2(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 2); }
    void SetBool3(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 3); }
    void SetBool4(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 4); }
    /// At most 256 matrices: "Number of matrices too large, 256 is max" (ErrorInvalidState).
    void SetMatrix2x2(int count, const float* values) override { SetMatrix(count, values, 2); }
    void SetMatrix3x3(int count, const float* values) override { SetMatrix(count, values, 3); }
    void SetMatrix4x4(int count, const float* values) override { SetMatrix(count, values, 4); }

private:
    /// The stage whose constant answers GetType: the pixel stage's when it has one.
    const Stage& Answering() const { return pixelStage.handle ? pixelStage : vertexStage; }
    void SetVector(int count, const float* floats, const std::int32_t* ints, int width);
    void SetVectorIn(const Stage& stage, int count, const float* floats, const std::int32_t* ints, int width);
    void SetMatrix(int count, const float* values, int size);
    void SetMatrixIn(const Stage& stage, int count, const float* values, int size);
    void BindSamplers(const Stage& stage, int count, Texture* const* textures, SamplerState* const* states);

    D3D9Program* program;
    std::string name;
    Stage vertexStage;
    Stage pixelStage;
};

} // namespace Gralith::Graphics
