#include "gralith/graphics/d3d9/D3D9Program.h"

#include "gralith/graphics/d3d9/D3D9Api.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Shader.h"

namespace Gralith::Graphics {

namespace {

// The names of a constant table's top-level constants, in table order.
std::vector<std::string> ConstantNames(ID3DXConstantTable* table) {
    std::vector<std::string> names;
    D3DXCONSTANTTABLE_DESC desc = {};
    if (FAILED(table->GetDesc(&desc)))
        return names;
    for (UINT i = 0; i < desc.Constants; ++i) {
        D3DXHANDLE handle = table->GetConstant(nullptr, i);
        D3DXCONSTANT_DESC constant = {};
        UINT count = 1;
        if (handle && SUCCEEDED(table->GetConstantDesc(handle, &constant, &count)) && constant.Name)
            names.emplace_back(constant.Name);
    }
    return names;
}

} // namespace

D3D9Program::D3D9Program(D3D9Device* device, D3D9Shader* vertexShader, D3D9Shader* pixelShader)
    : device(device), vertexShader(vertexShader), pixelShader(pixelShader) {
    for (const std::string& name : ConstantNames(vertexShader->GetConstantTable()))
        linked.push_back(Find(name.c_str(), true));
    for (const std::string& name : ConstantNames(pixelShader->GetConstantTable()))
        if (!cache.count(name))
            linked.push_back(Find(name.c_str(), true));
}

D3D9Program::~D3D9Program() {
    for (auto& entry : cache)
        entry.second->Release();
}

D3D9Program::Parameter* D3D9Program::Find(const char* name, bool create) {
    std::string key = name ? name : "";
    auto found = cache.find(key);
    if (found != cache.end() || !create)
        return found != cache.end() ? found->second : nullptr;
    auto* parameter = new Parameter(this, key.c_str());
    parameter->FindIn(vertexShader->GetConstantTable(), true);
    parameter->FindIn(pixelShader->GetConstantTable(), false);
    cache[key] = parameter;
    return parameter;
}

Graphics::Parameter* D3D9Program::GetParameter(const char* name) { return Find(name, true); }

Graphics::Parameter* D3D9Program::GetParameter(int index) {
    if (index < 0 || index >= static_cast<int>(linked.size()))
        return nullptr;
    return linked[static_cast<size_t>(index)];
}

} // namespace Gralith::Graphics
