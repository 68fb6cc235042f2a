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

    /// The runtime of the process, loaded on the first call from d3d9.dll and the first D3DX
    /// DLL found of d3dx9_43 down to d3dx9_24. Throws as Load does; a later call tries again.
    static const D3D9Runtime& Get();
    /// Loads Direct3D and the first of the given D3DX DLLs that loads. Throws (ErrorCreation)
    /// naming d3d9.dll or the first of compilerDlls when none loads, or the DLL and entry point
    /// that is missing.
    static D3D9Runtime Load(const char* const* compilerDlls, int count);
};

} // namespace Gralith::Graphics
