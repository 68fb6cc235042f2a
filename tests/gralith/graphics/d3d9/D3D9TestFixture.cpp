#include "D3D9TestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/utils/String.h"

#include <algorithm>

namespace Gralith::Graphics {

Win32Window* MakeTestWindow(int width, int height) {
    return new Win32Window(width, height, Utils::String("Gralith D3D9 test"), true);
}

Program* D3D9DeviceTest::MakeProgram(const std::string& source) {
    Shader* vs = Keep(device->CreateShader(VertexShader, 0, "vsMain", 0, source.c_str()));
    Shader* ps = Keep(device->CreateShader(PixelShader, 0, "psMain", 0, source.c_str()));
    return Keep(device->CreateProgram(vs, ps));
}

Program* D3D9DeviceTest::ColorProgram(const std::string& uniforms, const std::string& position,
                                      const std::string& colour) {
    return MakeProgram(uniforms +
                       "\nvoid vsMain(float4 p : POSITION, float4 c : COLOR0, out float4 op : POSITION,\n"
                       "            out float4 oc : COLOR0) { op = " +
                       position + "; oc = " + colour + "; }\nfloat4 psMain(float4 c : COLOR0) : COLOR { return c; }\n");
}

Program* D3D9DeviceTest::TextureProgram(const std::string& uniforms, const std::string& pixel) {
    return MakeProgram(uniforms +
                       "\nvoid vsMain(float4 p : POSITION, float2 uv : TEXCOORD0, out float4 op : POSITION,\n"
                       "            out float2 ouv : TEXCOORD0) { op = p; ouv = uv; }\n"
                       "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return " +
                       pixel + "; }\n");
}

void D3D9DeviceTest::SetUp() {
    window = MakeTestWindow(Size, Size);
    device = D3D9Device::Create(window, Depth24Stencil8, 0, 0);
    colorProgram = ColorProgram("", "p", "c");
    textureProgram = TextureProgram("sampler2D Tex;", "tex2D(Tex, uv)");
    InputElementDesc color[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 0, 4, 16, DataTypeFloat32, 0}};
    InputElementDesc texture[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {8, 0, 2, 16, DataTypeFloat32, 0}};
    colorLayout = Keep(device->CreateInputLayout(color, 2));
    textureLayout = Keep(device->CreateInputLayout(texture, 2));
    quad = Keep(device->CreateVertexBuffer(BufferModeVolatile, 16 * 8 * 4, 8 * 4));
    device->SetVertexBuffer(0, quad);
    UseColorProgram();
    device->Clear(ClearColor | ClearDepth | ClearStencil, 0, 0, 0, 0, 1, 0);
}

void D3D9DeviceTest::TearDown() {
    if (device) {
        device->SetProgram(nullptr);
        device->SetRenderTargets(0, nullptr, nullptr);
        device->SetBlendState(nullptr);
        device->SetDepthStencilState(nullptr);
        device->SetRasterizerState(nullptr);
        device->SetIndexBuffer(nullptr);
        device->SetVertexBuffer(0, nullptr);
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            (*it)->Release();
        device->Release();
    }
    if (window)
        window->Release();
}

void D3D9DeviceTest::UseColorProgram() {
    device->SetProgram(colorProgram);
    device->SetInputLayout(colorLayout);
}

void D3D9DeviceTest::UseTextureProgram() {
    device->SetProgram(textureProgram);
    device->SetInputLayout(textureLayout);
}

void D3D9DeviceTest::Draw(const std::vector<float>& vertices) {
    quad->SetData(vertices.data(), 0, static_cast<int>(vertices.size() * sizeof(float)));
    device->DrawUnindexed(0, static_cast<int>(vertices.size() / 8));
}

void D3D9DeviceTest::Quad(float x0, float y0, float x1, float y1, float z, float r, float g, float b, float a) {
    const float corners[6][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}};
    std::vector<float> data;
    for (const auto& corner : corners)
        data.insert(data.end(), {corner[0], corner[1], z, 1, r, g, b, a});
    Draw(data);
}

void D3D9DeviceTest::TexQuad(float u1, float v1) {
    const float corners[6][4] = {{-1, -1, 0, 0}, {1, -1, u1, 0}, {1, 1, u1, v1},
                                 {-1, -1, 0, 0}, {1, 1, u1, v1}, {-1, 1, 0, v1}};
    std::vector<float> data;
    for (const auto& corner : corners)
        data.insert(data.end(), {corner[0], corner[1], 0, 1, corner[2], corner[3], 0, 0});
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    Draw(data);
}

Pixel D3D9DeviceTest::Read(int x, int y, Surface* surface) { return GralithTest::ReadPixel(device, x, y, surface); }

} // namespace Gralith::Graphics
