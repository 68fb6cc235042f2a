#include "gralith/graphics/d3d9/D3D9Shader.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Runtime.h"
#include "gralith/window/win32/Win32Text.h"

#include <cstring>

namespace Gralith::Graphics {

namespace {

// Releases a D3DX buffer when the scope ends.
struct BufferHolder {
    ID3DXBuffer* buffer = nullptr;
    ~BufferHolder() {
        if (buffer)
            buffer->Release();
    }
};

} // namespace

D3D9Shader::D3D9Shader(D3D9Device* device, ShaderType type, const char* entryPoint, const char* source)
    : device(device), type(type) {
    const D3D9Runtime& runtime = D3D9Runtime::Get();
    const char* best = type == VertexShader ? runtime.GetVertexShaderProfile(device->Get())
                                            : runtime.GetPixelShaderProfile(device->Get());
    profile = best ? best : "";
    if (!source)
        source = "";
    BufferHolder code, messages;
    HRESULT result = runtime.CompileShader(source, static_cast<UINT>(std::strlen(source)), nullptr, nullptr,
                                           entryPoint ? entryPoint : "", profile.c_str(),
                                           D3DXSHADER_PACKMATRIX_ROWMAJOR, &code.buffer, &messages.buffer, nullptr);
    if (FAILED(result) || !code.buffer) {
        std::string text;
        if (messages.buffer && messages.buffer->GetBufferSize() > 0) {
            text.assign(static_cast<const char*>(messages.buffer->GetBufferPointer()),
                        messages.buffer->GetBufferSize());
            text.resize(std::strlen(text.c_str()));
        } else
            text = Win32Text::ErrorText(static_cast<unsigned long>(result));
        throw Exception(text.c_str(), ErrorShaderCompile);
    }
    auto* words = static_cast<const DWORD*>(code.buffer->GetBufferPointer());
    result = type == VertexShader ? device->Get()->CreateVertexShader(words, &vertexShader)
                                  : device->Get()->CreatePixelShader(words, &pixelShader);
    if (FAILED(result))
        throw Exception(Messages::D3D9ShaderCreation, ErrorGeneral);
    if (FAILED(runtime.GetShaderConstantTable(words, &table)) || !table) {
        if (vertexShader)
            vertexShader->Release();
        if (pixelShader)
            pixelShader->Release();
        throw Exception(Messages::D3D9ConstantTable, ErrorGeneral);
    }
}

D3D9Shader::~D3D9Shader() {
    table->Release();
    if (vertexShader)
        vertexShader->Release();
    if (pixelShader)
        pixelShader->Release();
}

} // namespace Gralith::Graphics
