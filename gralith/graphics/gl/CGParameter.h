#pragma once

#include "gralith/graphics/Parameter.h"

#include <string>

namespace Gralith::Graphics {

class CGGralithProgram;

/// A named uniform of a CGGralithProgram. In the linked GLSL program one uniform serves both
/// stages, so a value set once reaches both; what is kept per stage is whether the stage
/// declares the uniform, its type and its array size. Values of another width or base type than
/// the uniform's are converted component by component (missing components are 0, integers and
/// booleans become floats and back, a smaller matrix fills the upper-left corner of identity).
class CGParameter : public Parameter {
public:
    /// A parameter that neither stage declares yet; the program fills in the stages at link time.
    CGParameter(CGGralithProgram* program, const char* name);

    /// Records that a stage declares the uniform: its ParameterType and its array size (0 for a
    /// single value).
    void AddStage(ShaderType stage, int type, int arraySize);
    /// The uniform location in the linked program (-1: the driver dropped it as unused).
    void SetLocation(int location) { this->location = location; }
    int GetLocation() const { return location; }
    /// First texture unit of a sampler (array); -1 for other uniforms.
    void SetFirstUnit(int unit) { firstUnit = unit; }
    int GetFirstUnit() const { return firstUnit; }
    /// Number of elements (1 for a single value).
    int GetElementCount() const;
    bool IsSampler() const;

    const char* GetName() const override { return name.c_str(); }
    ParameterType GetType() const override;
    int GetArraySize() const override;
    bool IsValid() const override { return inVertex || inPixel; }

    void SetSamplers(int count, Texture* const* textures, SamplerState* const* states) override;
    void SetSamplers(int count, Texture* const* textures) override;
    void SetSampler(Texture* texture, SamplerState* state) override;
    void SetSampler(Texture* texture) override;

    void SetFloat(int count, const float* values) override { SetVector(count, values, nullptr, 1, false); }
    void SetFloat2(int count, const float* values) override { SetVector(count, values, nullptr, 2, false); }
    void SetFloat3(int count, const float* values) override { SetVector(count, values, nullptr, 3, false); }
    void SetFloat4(int count, const float* values) override { SetVector(count, values, nullptr, 4, false); }
    void SetInt(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 1, false); }
    void SetInt2(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 2, false); }
    void SetInt3(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 3, false); }
    void SetInt4(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 4, false); }
    void SetBool(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 1, true); }
    void SetBool2(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 2, true); }
    void SetBool3(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 3, true); }
    void SetBool4(int count, const std::int32_t* values) override { SetVector(count, nullptr, values, 4, true); }
    void SetMatrix2x2(int count, const float* values) override { SetMatrix(count, values, 2); }
    void SetMatrix3x3(int count, const float* values) override { SetMatrix(count, values, 3); }
    void SetMatrix4x4(int count, const float* values) override { SetMatrix(count, values, 4); }

private:
    /// The type answered for the parameter: the pixel stage's when it declares the uniform.
    int EffectiveType() const { return inPixel ? pixelType : vertexType; }
    void SetVector(int count, const float* floats, const std::int32_t* ints, int width, bool bools);
    void SetMatrix(int count, const float* values, int size);

    CGGralithProgram* program;
    std::string name;
    bool inVertex = false;
    bool inPixel = false;
    int vertexType = 0;
    int pixelType = 0;
    int vertexArraySize = 0;
    int pixelArraySize = 0;
    int location = -1;
    int firstUnit = -1;
};

} // namespace Gralith::Graphics
