#include "GLTestFixture.h"

#include "gralith/graphics/Parameter.h"

#include <vector>

namespace Gralith::Graphics {

namespace {

const char* ColorVertex = "#version 120\n"
                          "attribute vec4 a_POSITION; attribute vec4 a_COLOR; varying vec4 v_color;\n"
                          "void main() { gl_Position = a_POSITION; v_color = a_COLOR; }\n";
const char* ColorPixel = "#version 120\nvarying vec4 v_color; void main() { gl_FragColor = v_color; }\n";
const char* TextureVertex = "#version 120\n"
                            "attribute vec4 a_POSITION; attribute vec2 a_TEXCOORD0; varying vec2 v_uv;\n"
                            "void main() { gl_Position = a_POSITION; v_uv = a_TEXCOORD0; }\n";
const char* TexturePixel = "#version 120\nuniform sampler2D Tex; varying vec2 v_uv;\n"
                           "void main() { gl_FragColor = texture2D(Tex, v_uv); }\n";

} // namespace

Program* GLDeviceTest::MakeProgram(const char* vertex, const char* pixel) {
    Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, vertex);
    Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, pixel);
    Program* program = device->CreateProgram(vs, ps);
    vs->Release(); // the GL program keeps the linked code
    ps->Release();
    return program;
}

void GLDeviceTest::SetUp() {
    device = EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &CreateGLSLTestShading);
    colorProgram = MakeProgram(ColorVertex, ColorPixel);
    textureProgram = MakeProgram(TextureVertex, TexturePixel);
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
