#pragma once

// A recording null device with a vertex buffer of five positions, their input layout and a program
// of the given shader sources bound, so that each draw applies the pending state.

#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/null/NullDevice.h"

#include <initializer_list>

namespace Gralith::Graphics {

class NullDrawing {
public:
    explicit NullDrawing(const char* vertexSource = "", const char* pixelSource = "") {
        Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, vertexSource);
        Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, pixelSource);
        program = device->CreateProgram(vs, ps);
        vs->Release();
        ps->Release();
        device->SetVertexBuffer(0, buffer);
        device->SetInputLayout(layout);
        device->SetProgram(program);
    }
    ~NullDrawing() {
        for (Object* made : std::initializer_list<Object*>{program, layout, buffer, device})
            made->Release();
    }

    NullDevice* const device = NullDevice::Create(320, 240);
    const InputElementDesc position = {0, 0, 3, 0, DataTypeFloat32, 0};
    InputLayout* const layout = device->CreateInputLayout(&position, 1);
    VertexBuffer* const buffer = device->CreateVertexBuffer(BufferModeStatic, 60, 12);
    Program* program = nullptr;
};

} // namespace Gralith::Graphics
