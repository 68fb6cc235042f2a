#include "GLTestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/Parameter.h"

#include <utility>

namespace Gralith::Graphics {

const char* const GLDeviceTest::TexturedVertex =
    "void vsMain(float4 p : POSITION, float2 uv : TEXCOORD0, out float4 op : POSITION,\n"
    "            out float2 ouv : TEXCOORD0) { op = p; ouv = uv; }\n";

Program* GLDeviceTest::MakeProgram(const std::string& source) {
    Shader* vs = Keep(device->CreateShader(VertexShader, 0, "vsMain", 0, source.c_str()));
    Shader* ps = Keep(device->CreateShader(PixelShader, 0, "psMain", 0, source.c_str()));
    return Keep(device->CreateProgram(vs, ps));
}

void GLDeviceTest::SetUp() {
    device = CreateDevice();
    colorProgram = MakeProgram("void vsMain(float4 p : POSITION, float4 c : COLOR0, out float4 op : POSITION,\n"
                               "            out float4 oc : COLOR0) { op = p; oc = c; }\n"
                               "float4 psMain(float4 c : COLOR0) : COLOR { return c; }\n");
    textureProgram = MakeProgram(std::string("sampler2D Tex;\n") + TexturedVertex +
                                 "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Tex, uv); }\n");
    InputElementDesc color[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 0, 4, 16, DataTypeFloat32, 0}};
    InputElementDesc texture[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {8, 0, 2, 16, DataTypeFloat32, 0}};
    colorLayout = Keep(device->CreateInputLayout(color, 2));
    textureLayout = Keep(device->CreateInputLayout(texture, 2));
    quad = Keep(device->CreateVertexBuffer(BufferModeVolatile, 6 * 8 * 4, 8 * 4));
    device->SetVertexBuffer(0, quad);
    UseColorProgram();
    device->Clear(ClearColor | ClearDepth | ClearStencil, 0, 0, 0, 0, 1, 0);
}

void GLDeviceTest::TearDown() {
    if (!device)
        return;
    device->SetProgram(nullptr);
    device->SetRenderTargets(0, nullptr, nullptr);
    device->SetBlendState(nullptr);
    device->SetDepthStencilState(nullptr);
    device->SetRasterizerState(nullptr);
    device->SetIndexBuffer(nullptr);
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        (*it)->Release();
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
    std::vector<float> data;
    for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}})
        data.insert(data.end(), {x, y, z, 1, r, g, b, a});
    quad->SetData(data.data(), 0, 0);
    device->DrawUnindexed(0, 6);
}

void GLDeviceTest::TexQuad(float u1, float v1) {
    // Clip-space corners with texture coordinates (0, 0) at the lower-left, (u1, v1) at the upper-right.
    const float corners[6][4] = {{-1, -1, 0, 0}, {1, -1, u1, 0}, {1, 1, u1, v1},
                                 {-1, -1, 0, 0}, {1, 1, u1, v1}, {-1, 1, 0, v1}};
    std::vector<float> data;
    for (const auto& corner : corners)
        data.insert(data.end(), {corner[0], corner[1], 0, 1, corner[2], corner[3], 0, 0});
    // Every textured quad starts from a cleared picture.
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    quad->SetData(data.data(), 0, 0);
    device->DrawUnindexed(0, 6);
}

Pixel GLDeviceTest::Read(int x, int y, Surface* surface) { return GralithTest::ReadPixel(device, x, y, surface); }

} // namespace Gralith::Graphics
