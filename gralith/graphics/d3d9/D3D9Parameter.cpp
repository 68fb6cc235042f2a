#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture.h"
#include "gralith/graphics/d3d9/D3D9Api.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Program.h"
#include "gralith/graphics/d3d9/D3D9SamplerState.h"
#include "gralith/graphics/d3d9/D3D9TextureHandle.h"

#include <algorithm>
#include <vector>

namespace Gralith::Graphics {

namespace {

constexpr int MaxMatrices = 256;

bool IsMatrix(int parameterClass) {
    return parameterClass == D3DXPC_MATRIX_ROWS || parameterClass == D3DXPC_MATRIX_COLUMNS;
}

bool IsSampler(int parameterType) {
    return parameterType == D3DXPT_SAMPLER || parameterType == D3DXPT_SAMPLER1D || parameterType == D3DXPT_SAMPLER2D ||
           parameterType == D3DXPT_SAMPLER3D || parameterType == D3DXPT_SAMPLERCUBE;
}

// Scratch storage for repacked uploads; the engine runs on one thread.
std::vector<float>& FloatScratch() {
    static std::vector<float> scratch;
    return scratch;
}
std::vector<INT>& IntScratch() {
    static std::vector<INT> scratch;
    return scratch;
}

} // namespace

D3D9Program::Parameter::Parameter(D3D9Program* program, const char* name) : program(program), name(name ? name : "") {}

void D3D9Program::Parameter::FindIn(ID3DXConstantTable* table, bool vertex) {
    Stage& stage = vertex ? vertexStage : pixelStage;
    stage = Stage();
    stage.vertex = vertex;
    stage.table = table;
    D3DXHANDLE handle = name.empty() ? nullptr : table->GetConstantByName(nullptr, name.c_str());
    D3DXCONSTANT_DESC desc = {};
    UINT count = 1;
    if (!handle || FAILED(table->GetConstantDesc(handle, &desc, &count)))
        return;
    stage.handle = handle;
    stage.parameterClass = desc.Class;
    stage.parameterType = desc.Type;
    stage.rows = static_cast<int>(desc.Rows);
    stage.columns = static_cast<int>(desc.Columns);
    stage.elements = static_cast<int>(desc.Elements);
}

ParameterType D3D9Program::Parameter::GetType() const {
    if (!IsValid())
        throw Exception(Messages::D3D9ParameterInvalid, ErrorGeneral);
    const Stage& stage = Answering();
    int base;
    switch (stage.parameterType) {
    case D3DXPT_VOID: return ParamNone;
    case D3DXPT_SAMPLER2D: return ParamSampler2D;
    case D3DXPT_SAMPLER3D: return ParamSampler3D;
    case D3DXPT_SAMPLERCUBE: return ParamSamplerCube;
    case D3DXPT_FLOAT: base = 0; break;
    case D3DXPT_INT: base = 1; break;
    case D3DXPT_BOOL: base = 2; break;
    default: throw Exception(Messages::D3D9ParameterType, ErrorGeneral);
    }
    switch (stage.parameterClass) {
    case D3DXPC_SCALAR: return static_cast<ParameterType>(ParamFloat + base);
    case D3DXPC_VECTOR:
        if (stage.columns < 2 || stage.columns > 4)
            throw Exception(Messages::D3D9ParameterVectorSize, ErrorGeneral);
        return static_cast<ParameterType>(ParamFloat2 + base * 3 + stage.columns - 2);
    case D3DXPC_MATRIX_ROWS:
    case D3DXPC_MATRIX_COLUMNS:
        if (stage.rows != stage.columns || stage.rows < 2 || stage.rows > 4)
            throw Exception(Messages::D3D9ParameterMatrixSize, ErrorGeneral);
        return static_cast<ParameterType>(ParamFloat2x2 + base * 3 + stage.rows - 2);
    default: throw Exception(Messages::D3D9ParameterType, ErrorGeneral);
    }
}

int D3D9Program::Parameter::GetArraySize() const {
    int elements = Answering().elements;
    return elements > 1 ? elements : 1;
}

void D3D9Program::Parameter::SetSamplers(int count, Texture* const* textures, SamplerState* const* states) {
    if (count <= 0 || !textures)
        return;
    BindSamplers(vertexStage, count, textures, states);
    BindSamplers(pixelStage, count, textures, states);
}

void D3D9Program::Parameter::SetSamplers(int count, Texture* const* textures) { SetSamplers(count, textures, nullptr); }

void D3D9Program::Parameter::SetSampler(Texture* texture, SamplerState* state) { SetSamplers(1, &texture, &state); }

void D3D9Program::Parameter::SetSampler(Texture* texture) { SetSamplers(1, &texture, nullptr); }

void D3D9Program::Parameter::BindSamplers(const Stage& stage, int count, Texture* const* textures,
                                          SamplerState* const* states) {
    if (!stage.handle || !IsSampler(stage.parameterType))
        return;
    IDirect3DDevice9* device = program->GetDevice()->Get();
    // Vertex shaders sample through their own registers, after the displacement-map sampler.
    DWORD first = stage.table->GetSamplerIndex(stage.handle) + (stage.vertex ? D3DVERTEXTEXTURESAMPLER0 : 0);
    int elements = std::min(count, std::max(stage.elements, 1));
    for (int i = 0; i < elements; ++i) {
        DWORD sampler = first + static_cast<DWORD>(i);
        auto* handle = dynamic_cast<D3D9TextureHandle*>(textures[i]);
        device->SetTexture(sampler, handle ? handle->GetD3DTexture() : nullptr);
        auto* state = dynamic_cast<D3D9SamplerState*>(states ? states[i] : nullptr);
        if (state)
            state->Apply(device, sampler);
        else
            D3D9SamplerState::ApplyDefault(device, sampler);
    }
}

void D3D9Program::Parameter::SetVector(int count, const float* floats, const std::int32_t* ints, int width) {
    if (count <= 0 || (!floats && !ints))
        return;
    SetVectorIn(vertexStage, count, floats, ints, width);
    SetVectorIn(pixelStage, count, floats, ints, width);
}

void D3D9Program::Parameter::SetVectorIn(const Stage& stage, int count, const float* floats, const std::int32_t* ints,
                                         int width) {
    if (!stage.handle || IsMatrix(stage.parameterClass) ||
        (stage.parameterClass != D3DXPC_SCALAR && stage.parameterClass != D3DXPC_VECTOR))
        return;
    IDirect3DDevice9* device = program->GetDevice()->Get();
    int elements = std::min(count, std::max(stage.elements, 1));
    int columns = std::max(stage.columns, 1);
    UINT size = static_cast<UINT>(elements * columns);
    // The table converts between float, int and bool; a value of another width is laid out
    // element by element first.
    if (floats) {
        const float* data = floats;
        if (columns != width) {
            std::vector<float>& packed = FloatScratch();
            packed.assign(size, 0.0f);
            for (int e = 0; e < elements; ++e)
                for (int c = 0; c < std::min(width, columns); ++c)
                    packed[static_cast<size_t>(e * columns + c)] = floats[e * width + c];
            data = packed.data();
        }
        stage.table->SetFloatArray(device, stage.handle, data, size);
    } else {
        const INT* data = reinterpret_cast<const INT*>(ints);
        if (columns != width) {
            std::vector<INT>& packed = IntScratch();
            packed.assign(size, 0);
            for (int e = 0; e < elements; ++e)
                for (int c = 0; c < std::min(width, columns); ++c)
                    packed[static_cast<size_t>(e * columns + c)] = ints[e * width + c];
            data = packed.data();
        }
        stage.table->SetIntArray(device, stage.handle, data, size);
    }
}

void D3D9Program::Parameter::SetMatrix(int count, const float* values, int size) {
    if (count > MaxMatrices)
        throw Exception(Messages::TooManyMatrices, ErrorInvalidState);
    if (count <= 0 || !values)
        return;
    SetMatrixIn(vertexStage, count, values, size);
    SetMatrixIn(pixelStage, count, values, size);
}

void D3D9Program::Parameter::SetMatrixIn(const Stage& stage, int count, const float* values, int size) {
    if (!stage.handle || !IsMatrix(stage.parameterClass))
        return;
    int rows = stage.rows, columns = stage.columns;
    int elements = std::min(count, std::max(stage.elements, 1));
    // Column-major in (element [r, c] at c * size + r), rows out: the shaders are compiled with
    // matrices packed by rows.
    std::vector<float>& data = FloatScratch();
    data.assign(static_cast<size_t>(elements * rows * columns), 0.0f);
    for (int e = 0; e < elements; ++e)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                data[static_cast<size_t>(e * rows * columns + r * columns + c)] =
                    r < size && c < size ? values[e * size * size + c * size + r] : (r == c ? 1.0f : 0.0f);
    stage.table->SetFloatArray(program->GetDevice()->Get(), stage.handle, data.data(), static_cast<UINT>(data.size()));
}

} // namespace Gralith::Graphics
