#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Enums.h"

#include <cstdint>

namespace Gralith::Graphics {

class Texture;
class SamplerState;

/// A named uniform addressed in both stages of a program at once: every setter writes the same
/// data to the vertex-stage and the pixel-stage uniform, skipping a stage that lacks it. An
/// invalid parameter (neither stage has the uniform) ignores every setter.
/// With count 1 on a non-array uniform the value is set directly, otherwise the array is filled
/// from element 0. Matrices are column-major (element [row r, column c] at index c * n + r).
/// Bool values are 32-bit integers (non-zero is true).
class Parameter : public Object {
public:
    ~Parameter() override = default;
    virtual const char* GetName() const = 0;
    /// Type of the pixel-stage uniform when it exists, else the vertex-stage one; arrays answer
    /// their element type. Throws for an invalid parameter.
    virtual ParameterType GetType() const = 0;
    /// 1 for a non-array uniform.
    virtual int GetArraySize() const = 0;
    virtual bool IsValid() const = 0;

    /// Binds textures[i] with states[i] to element i of a sampler array.
    virtual void SetSamplers(int count, Texture* const* textures, SamplerState* const* states) = 0;
    /// Same with the default sampling (linear, linear, wrap).
    virtual void SetSamplers(int count, Texture* const* textures) = 0;
    virtual void SetSampler(Texture* texture, SamplerState* state) = 0;
    virtual void SetSampler(Texture* texture) = 0;

    virtual void SetFloat(int count, const float* values) = 0;
    virtual void SetFloat2(int count, const float* values) = 0;
    virtual void SetFloat3(int count, const float* values) = 0;
    virtual void SetFloat4(int count, const float* values) = 0;
    virtual void SetInt(int count, const std::int32_t* values) = 0;
    virtual void SetInt2(int count, const std::int32_t* values) = 0;
    virtual void SetInt3(int count, const std::int32_t* values) = 0;
    virtual void SetInt4(int count, const std::int32_t* values) = 0;
    virtual void SetBool(int count, const std::int32_t* values) = 0;
    virtual void SetBool2(int count, const std::int32_t* values) = 0;
    virtual void SetBool3(int count, const std::int32_t* values) = 0;
    virtual void SetBool4(int count, const std::int32_t* values) = 0;
    /// At most 256 matrices per call.
    virtual void SetMatrix2x2(int count, const float* values) = 0;
    virtual void SetMatrix3x3(int count, const float* values) = 0;
    virtual void SetMatrix4x4(int count, const float* values) = 0;
};

} // namespace Gralith::Graphics
