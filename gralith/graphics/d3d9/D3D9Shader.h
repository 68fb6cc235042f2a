#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Enums.h"
#include "gralith/graphics/Shader.h"

#include <string>

struct IDirect3DVertexShader9;
struct IDirect3DPixelShader9;
struct ID3DXConstantTable;

namespace Gralith::Graphics {

class D3D9Device;

/// One compiled stage: the Direct3D shader and the constant table through which its parameters
/// are set.
class D3D9Shader : public Shader {
public:
    /// Compiles the zero-terminated source with D3DX for the device's best profile of the stage
    /// (vertex or pixel), matrices packed by rows. A compile error throws the compiler's
    /// messages as they stand (ErrorShaderCompile).
    D3D9Shader(D3D9Device* device, ShaderType type, const char* entryPoint, const char* source);
    ~D3D9Shader() override;

    ShaderType GetShaderType() const { return type; }
    /// The stage's shader; null for the other stage.
    IDirect3DVertexShader9* GetVertexShader() const { return vertexShader; }
    IDirect3DPixelShader9* GetPixelShader() const { return pixelShader; }
    ID3DXConstantTable* GetConstantTable() const { return table; }
    /// The profile the source was compiled for ("vs_3_0" ...).
    const char* GetProfile() const { return profile.c_str(); }

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    ShaderType type;
    std::string profile;
    IDirect3DVertexShader9* vertexShader = nullptr;
    IDirect3DPixelShader9* pixelShader = nullptr;
    ID3DXConstantTable* table = nullptr;
};

} // namespace Gralith::Graphics
