#pragma once

// The Direct3D 9 and D3DX declarations the backend's sources use, with the Windows header's
// macros kept to what they need. Only sources include it; the backend's headers declare the
// interfaces they hold by name.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <d3d9.h>
#include <d3dx9shader.h>
