// Draws a 2 x 2 texture over the whole of a headless 64 x 64 device, reads the frame back and
// prints the colour at the centre of each quarter. No window, no display server: EGL on Mesa.
#include "gralith/gralith.h"

#include <cstdint>
#include <cstdio>

using namespace Gralith;
using namespace Gralith::Graphics;

namespace {

// One Cg source for both stages: positions and texture coordinates pass through, the pixel
// stage samples the texture set on the parameter "Picture".
const char* const Source = R"(
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vsMain(float2 position : POSITION, float2 uv : TEXCOORD0) {
    VSOut o;
    o.position = float4(position, 0.0, 1.0);
    o.uv = uv;
    return o;
}
sampler2D Picture;
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Picture, uv); }
)";

// The quad as a triangle strip: x, y in clip space, then u, v.
const float Quad[] = {
    -1, -1, 0, 0, //
    1,  -1, 1, 0, //
    -1, 1,  0, 1, //
    1,  1,  1, 1, //
};

// RGBA rows, the first row at the bottom (OpenGL's order): red, green; then blue, white.
const std::uint8_t Texels[] = {
    255, 0, 0,   255, 0,   255, 0,   255, //
    0,   0, 255, 255, 255, 255, 255, 255, //
};

} // namespace

int main() {
    const int size = 64;
    EGLGLDevice* device = nullptr;
    try {
        // The defaults: a 24-bit depth and 8-bit stencil buffer, no multisampling, Cg shaders.
        device = EGLGLDevice::Create(size, size);

        Shader* vertex = device->CreateShader(VertexShader, 0, "vsMain", 0, Source);
        Shader* pixel = device->CreateShader(PixelShader, 0, "psMain", 0, Source);
        Program* program = device->CreateProgram(vertex, pixel);

        // Attribute slot 0 is POSITION and slot 8 TEXCOORD0, both read from stream 0.
        const InputElementDesc elements[] = {
            {0, 0, 2, 0, DataTypeFloat32, 0},
            {8, 0, 2, 2 * sizeof(float), DataTypeFloat32, 0},
        };
        InputLayout* layout = device->CreateInputLayout(elements, 2);
        VertexBuffer* quad = device->CreateVertexBuffer(BufferModeStatic, sizeof Quad, 4 * sizeof(float));
        quad->SetData(Quad, 0, sizeof Quad);

        Texture2D* texture = device->CreateTexture2D(2, 2, PixelFormatR8G8B8A8, false);
        texture->SetData(0, Texels, false);
        SamplerState* nearest = device->CreateSamplerState(
            {FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp});
        program->GetParameter("Picture")->SetSampler(texture, nearest);

        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        device->SetProgram(program);
        device->SetInputLayout(layout);
        device->SetVertexBuffer(0, quad);
        device->SetPrimitiveType(TriangleStrip);
        device->DrawUnindexed(0, 4);
        device->Present();

        // Rows come back bottom-up, as OpenGL stores them.
        const char* const names[] = {"bottom left", "bottom right", "top left", "top right"};
        for (int i = 0; i < 4; ++i) {
            std::uint8_t rgba[4] = {};
            device->ReadSurface(device->GetBackBuffer(), (i % 2) * size / 2 + size / 4, (i / 2) * size / 2 + size / 4,
                                1, 1, rgba);
            std::printf("%s: %d %d %d %d\n", names[i], rgba[0], rgba[1], rgba[2], rgba[3]);
        }

        // What a program creates it releases; the device goes last.
        nearest->Release();
        texture->Release();
        quad->Release();
        layout->Release();
        program->Release();
        pixel->Release();
        vertex->Release();
        device->Release();
    } catch (const Exception& e) {
        std::fprintf(stderr, "draw-texture: %s (code %d)\n", e.what(), e.GetCode());
        return 1;
    }
    return 0;
}
