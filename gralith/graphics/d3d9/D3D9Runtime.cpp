#include "gralith/graphics/d3d9/D3D9Runtime.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

#include <string>

namespace Gralith::Graphics {

namespace {

// The D3DX runtime: every DLL that exports the compiler functions, newest first. The DirectX
// end-user runtime installs them side by side; the newest has the compiler with the fewest
// faults (and, under Wine, the only one that builds Shader Model 3 code is the d3dx9_43 put
// beside the executable), while an older installation still finds its own. d3dcompiler_47,
// which stock Windows ships, compiles but gives no constant table for Shader Model 3 code, and
// the backend sets every parameter through that table: so D3DX is what it needs.
const char* const CompilerDlls[] = {
    "d3dx9_43.dll", "d3dx9_42.dll", "d3dx9_41.dll", "d3dx9_40.dll", "d3dx9_39.dll", "d3dx9_38.dll", "d3dx9_37.dll",
    "d3dx9_36.dll", "d3dx9_35.dll", "d3dx9_34.dll", "d3dx9_33.dll", "d3dx9_32.dll", "d3dx9_31.dll", "d3dx9_30.dll",
    "d3dx9_29.dll", "d3dx9_28.dll", "d3dx9_27.dll", "d3dx9_26.dll", "d3dx9_25.dll", "d3dx9_24.dll",
};

[[noreturn]] void Missing(const char* what, const std::string& name) {
    throw Exception((what + name).c_str(), ErrorCreation);
}

template <class Function>
void Resolve(HMODULE module, const char* dll, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function)
        Missing(Messages::D3D9MissingEntryPoint, std::string(dll) + ": " + name);
}

} // namespace

const D3D9Runtime& D3D9Runtime::Get() {
    static D3D9Runtime runtime;
    if (!runtime.CompileShader)
        runtime = Load(CompilerDlls, static_cast<int>(sizeof CompilerDlls / sizeof CompilerDlls[0]));
    return runtime;
}

D3D9Runtime D3D9Runtime::Load(const char* const* compilerDlls, int count) {
    D3D9Runtime loaded;
    HMODULE d3d9 = LoadLibraryA("d3d9.dll");
    if (!d3d9)
        Missing(Messages::D3D9MissingDll, "d3d9.dll");
    Resolve(d3d9, "d3d9.dll", "Direct3DCreate9", loaded.Direct3DCreate9);

    HMODULE d3dx = nullptr;
    for (int i = 0; i < count && !d3dx; ++i) {
        d3dx = LoadLibraryA(compilerDlls[i]);
        loaded.CompilerDll = compilerDlls[i];
    }
    if (!d3dx)
        Missing(Messages::D3D9MissingCompiler, count > 0 ? compilerDlls[0] : "");
    Resolve(d3dx, loaded.CompilerDll, "D3DXGetVertexShaderProfile", loaded.GetVertexShaderProfile);
    Resolve(d3dx, loaded.CompilerDll, "D3DXGetPixelShaderProfile", loaded.GetPixelShaderProfile);
    Resolve(d3dx, loaded.CompilerDll, "D3DXCompileShader", loaded.CompileShader);
    Resolve(d3dx, loaded.CompilerDll, "D3DXGetShaderConstantTable", loaded.GetShaderConstantTable);
    // The modules stay loaded for the process: devices and shaders made from them may live
    // until exit.
    return loaded;
}

} // namespace Gralith::Graphics
