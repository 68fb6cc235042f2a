#include "GLTestFixture.h"

#include "gralith/graphics/Parameter.h"

#include <vector>

namespace Gralith::Graphics {

namespace {

const char* const ColorSource = "void vsMain(float4 p : POSITION, float4 c : COLOR0, out float4 op : POSITION,\n"
                                "            out float4 oc : COLOR0) { op = p; oc = c; }\n"
                                "float4 psMain(float4 c : COLOR0) : COLOR { return c; }\n";
const char* const TextureSource = "sampler2D Tex;\n"
                                  "void vsMain(float4 p : POSITION, float2 uv : TEXCOORD0, out float4 op : POSITION,\n"
                                  "            out float2 ouv : TEXCOORD0) { op = p; ouv = uv; }\n"
                                  "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Tex, uv); }\n";

} // namespace

Program* GLDeviceTest::MakeProgram(const char* source) {
    Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, source);
    Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, source);
    Program* program = device->CreateProgram(vs, ps);
    vs->Release(); // the GL program keeps the linked code
    ps->Release();
    return program;
}

void GLDeviceTest::SetUp() {
    device = EGLGLDevice::Create(Size, Size);
    colorProgram = MakeProgram(ColorSource);
    textureProgram = MakeProgram(TextureSource);
    InputElementDesc color[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 0, 4, 16, DataTypeFloat32, 0}};
    InputElementDesc texture[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {8, 0, 2, 16, DataTypeFloat32, 0}};
    colorLayout = device->CreateInputLayout(color, 2);
    textureLayout = device->CreateInputLayout(texture, 2);
    quad = device->CreateVertexBuffer(BufferModeVolatile, 6 * 8 * 4, 8 * 4);
    device->SetVertexBuffer(0, quad);
    UseColorProgram();
    device->Clear(ClearColor | ClearDepth | ClearStencil, 0, 0, 0, 0, 1, 0);
}

void GLDeviceTest::TearDown() {
    if (!device)
        return;
    device->SetProgram(nullptr);
    quad->Release();
    colorLayout->Release();
    textureLayout->Release();
    colorProgram->Release();
    textureProgram->Release();
    device->Release();
}

void GLDeviceTest::UseColorProgram() {
    device->SetProgram(colorProgram);
    device->SetInputLayout(colorLayout);
}

void GLDeviceTest::UseTextureProgram() {
    device->SetProgram(textureProgram);
    device->SetInputLayout(textureLayout);
}

void GLDeviceTest::Quad(float x0, float y0, float x1, float y1, float z, float r, float g, float b, float a) {
    const float corners[6][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}};
    float data[6 * 8];
    for (int i = 0; i < 6; ++i) {
        float* v = data + i * 8;
        v[0] = corners[i][0];
        v[1] = corners[i][1];
        v[2] = z;
        v[3] = 1;
        v[4] = r;
        v[5] = g;
        v[6] = b;
        v[7] = a;
    }
    quad->SetData(data, 0, 0);
    device->DrawUnindexed(0, 6);
}

void GLDeviceTest::TexQuad(float u1, float v1) {
    // Clip-space corners with texture coordinates (0, 0) at the lower-left, (u1, v1) at the upper-right.
    const float corners[6][4] = {{-1, -1, 0, 0}, {1, -1, u1, 0}, {1, 1, u1, v1},
                                 {-1, -1, 0, 0}, {1, 1, u1, v1}, {-1, 1, 0, v1}};
    float data[6 * 8] = {};
    for (int i = 0; i < 6; ++i) {
        float* v = data + i * 8;
        v[0] = corners[i][0];
        v[1] = corners[i][1];
        v[3] = 1;
        v[4] = corners[i][2];
        v[5] = corners[i][3];
    }
    // Every textured quad replaces the whole picture.
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    quad->SetData(data, 0, 0);
    device->DrawUnindexed(0, 6);
}

Pixel GLDeviceTest::Read(int x, int y, Surface* surface) { return GralithTest::ReadPixel(device, x, y, surface); }

BlendState* GLDeviceTest::Blend(bool enabled, BlendOperand source, BlendOperand destination) {
    BlendStateDesc desc = {enabled, source, destination, source, destination, true, true, true, true};
    return device->CreateBlendState(desc);
}

} // namespace Gralith::Graphics
