#pragma once

#include <map>
#include <string>
#include <vector>

namespace Gralith::Graphics {

/// The constant initial values that Cg source gives its global parameters
/// ("float SpecularPower = 16.0;", "float4 Tint = float4(1, 0.5, 0, 1);", "float2 Offset = {0.25, 0};",
/// "bool Enabled = true;"). The shader compiler drops them from uniforms, so the program sets them
/// itself after linking, as the Cg runtime does. Only literal numbers (and true/false) of scalar
/// and vector declarations at file scope are read; any other initialiser is left alone.
class CgInitializers {
public:
    /// Name -> values (1-4) of every such declaration in source.
    static std::map<std::string, std::vector<float>> Scan(const char* source);
};

} // namespace Gralith::Graphics
