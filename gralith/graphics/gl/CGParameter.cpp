#include "gralith/graphics/gl/CGParameter.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture.h"
#include "gralith/graphics/gl/CGGralithProgram.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <algorithm>
#include <vector>

namespace Gralith::Graphics {

namespace {

constexpr int MaxMatrices = 256;

// What a ParameterType looks like in GLSL: integer or float components, how many per element,
// or a square matrix.
struct Shape {
    bool valid = false;
    bool integer = false;
    int components = 0;
    int matrix = 0;
};

Shape ShapeOf(int type) {
    Shape shape;
    shape.valid = true;
    if (type >= ParamFloat2 && type <= ParamBool4) {
        int group = (type - ParamFloat2) / 3; // float, int, bool
        shape.integer = group != 0;
        shape.components = 2 + (type - ParamFloat2) % 3;
    } else if (type == ParamFloat || type == ParamInt || type == ParamBool) {
        shape.integer = type != ParamFloat;
        shape.components = 1;
    } else if (type >= ParamFloat2x2 && type <= ParamFloat4x4) {
        shape.matrix = 2 + type - ParamFloat2x2;
    } else {
        shape.valid = false;
    }
    return shape;
}

bool IsBoolType(int type) { return type == ParamBool || (type >= ParamBool2 && type <= ParamBool4); }

// Scratch storage for converted uploads; the engine runs on one thread.
std::vector<float>& FloatScratch() {
    static std::vector<float> scratch;
    return scratch;
}
std::vector<int>& IntScratch() {
    static std::vector<int> scratch;
    return scratch;
}

} // namespace

CGParameter::CGParameter(CGGralithProgram* program, const char* name) : program(program), name(name ? name : "") {}

void CGParameter::AddStage(ShaderType stage, int type, int arraySize) {
    if (stage == VertexShader) {
        inVertex = true;
        vertexType = type;
        vertexArraySize = arraySize;
    } else {
        inPixel = true;
        pixelType = type;
        pixelArraySize = arraySize;
    }
}

int CGParameter::GetElementCount() const {
    int size = inPixel ? pixelArraySize : vertexArraySize;
    return size > 0 ? size : 1;
}

bool CGParameter::IsSampler() const {
    int type = EffectiveType();
    return IsValid() && (type == ParamSampler2D || type == ParamSamplerCube || type == ParamSampler3D);
}

ParameterType CGParameter::GetType() const {
    if (!IsValid())
        throw Exception(Messages::ParameterNotValid, ErrorGeneral);
    int type = EffectiveType();
    if (type == ParamNone)
        throw Exception(Messages::UnsupportedParameterType, ErrorGeneral);
    return static_cast<ParameterType>(type);
}

int CGParameter::GetArraySize() const {
    if (!IsValid())
        return 0;
    return GetElementCount();
}

void CGParameter::SetSamplers(int count, Texture* const* textures, SamplerState* const* states) {
    if (count <= 0 || !textures)
        return;
    for (int i = 0; i < count; ++i)
        if (textures[i] && textures[i]->GetType() == TextureType::Texture3D)
            throw Exception(Messages::Sampler3D, ErrorGeneral);
    if (!IsSampler())
        return;
    int elements = std::min(count, GetElementCount());
    for (int i = 0; i < elements; ++i)
        program->SetUnitTexture(firstUnit + i, EffectiveType(), textures[i], states ? states[i] : nullptr);
}

void CGParameter::SetSamplers(int count, Texture* const* textures) { SetSamplers(count, textures, nullptr); }

void CGParameter::SetSampler(Texture* texture, SamplerState* state) { SetSamplers(1, &texture, &state); }

void CGParameter::SetSampler(Texture* texture) { SetSamplers(1, &texture, nullptr); }

void CGParameter::SetVector(int count, const float* floats, const std::int32_t* ints, int width, bool bools) {
    if (!IsValid() || count <= 0 || (!floats && !ints) || location < 0)
        return;
    int type = EffectiveType();
    Shape shape = ShapeOf(type);
    if (!shape.valid || shape.matrix)
        return;
    int elements = std::min(count, GetElementCount());
    size_t size = static_cast<size_t>(elements * shape.components);
    const GLFunctions& gl = program->GetContext()->GetDevice()->GL();
    program->BeginUpload();
    if (shape.integer) {
        bool boolTarget = IsBoolType(type);
        std::vector<int>& data = IntScratch();
        data.assign(size, 0);
        for (int e = 0; e < elements; ++e) {
            for (int c = 0; c < std::min(width, shape.components); ++c) {
                size_t from = static_cast<size_t>(e * width + c);
                int value = floats ? static_cast<int>(floats[from]) : ints[from];
                if (floats && boolTarget)
                    value = floats[from] != 0.0f;
                if (boolTarget || bools)
                    value = value != 0;
                data[static_cast<size_t>(e * shape.components + c)] = value;
            }
        }
        switch (shape.components) {
        case 1: gl.Uniform1iv(location, elements, data.data()); break;
        case 2: gl.Uniform2iv(location, elements, data.data()); break;
        case 3: gl.Uniform3iv(location, elements, data.data()); break;
        default: gl.Uniform4iv(location, elements, data.data()); break;
        }
    } else {
        std::vector<float>& data = FloatScratch();
        data.assign(size, 0.0f);
        for (int e = 0; e < elements; ++e) {
            for (int c = 0; c < std::min(width, shape.components); ++c) {
                size_t from = static_cast<size_t>(e * width + c);
                float value = floats ? floats[from] : static_cast<float>(bools ? ints[from] != 0 : ints[from]);
                data[static_cast<size_t>(e * shape.components + c)] = value;
            }
        }
        switch (shape.components) {
        case 1: gl.Uniform1fv(location, elements, data.data()); break;
        case 2: gl.Uniform2fv(location, elements, data.data()); break;
        case 3: gl.Uniform3fv(location, elements, data.data()); break;
        default: gl.Uniform4fv(location, elements, data.data()); break;
        }
    }
    program->EndUpload();
}

void CGParameter::SetMatrix(int count, const float* values, int size) {
    if (count > MaxMatrices)
        throw Exception(Messages::TooManyMatrices, ErrorInvalidState);
    if (!IsValid() || count <= 0 || !values || location < 0)
        return;
    Shape shape = ShapeOf(EffectiveType());
    if (!shape.valid || !shape.matrix)
        return;
    int elements = std::min(count, GetElementCount());
    int n = shape.matrix;
    const float* upload = values;
    if (n != size) {
        // Column-major both ways: element [r, c] at c * size + r.
        std::vector<float>& data = FloatScratch();
        data.assign(static_cast<size_t>(elements * n * n), 0.0f);
        for (int e = 0; e < elements; ++e)
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    data[static_cast<size_t>(e * n * n + c * n + r)] =
                        r < size && c < size ? values[e * size * size + c * size + r] : (r == c ? 1.0f : 0.0f);
        upload = data.data();
    }
    const GLFunctions& gl = program->GetContext()->GetDevice()->GL();
    program->BeginUpload();
    switch (n) {
    case 2: gl.UniformMatrix2fv(location, elements, 0, upload); break;
    case 3: gl.UniformMatrix3fv(location, elements, 0, upload); break;
    default: gl.UniformMatrix4fv(location, elements, 0, upload); break;
    }
    program->EndUpload();
}

} // namespace Gralith::Graphics
