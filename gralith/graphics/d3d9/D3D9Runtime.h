#pragma once

#include "gralith/graphics/d3d9/D3D9Api.h"

namespace Gralith::Graphics {

/// The entry points of Direct3D 9 and of the D3DX shader compiler, loaded from their DLLs on
/// first use rather than imported, so that a Windows without the DirectX end-user runtime still
/// runs the OpenGL driver and names the DLL it lacks when Direct3D 9 is chosen.
struct D3D9Runtime {
    decltype(&::Direct3DCreate9) Direct3DCreate9 = nullptr;
    decltype(&::D3DXGetVertexShaderProfile) GetVertexShaderProfile = nullptr;
    decltype(&::D3DXGetPixelShaderProfile) GetPixelShaderProfile = nullptr;
    decltype(&::D3DXCompileShader) CompileShader = nullptr;
    decltype(&::D3DXGetShaderConstantTable) GetShaderConstantTable = nullptr;
    /// The D3DX DLL that was loaded ("d3dx9_43.dll" ...).
    const char* CompilerDll = nullptr;

    /// The runtime of the process, loaded on the first call. Throws (ErrorCreation) naming the
    /// DLL or entry point that is missing; a later call tries again.
    static const D3D9Runtime& Get();
};

} // namespace Gralith::Graphics
