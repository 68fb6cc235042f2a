// Shaders, programs and parameters of the Direct3D 9 device: what the constant tables say and
// what reaches the shaders (matrix rows, arrays, the 256-matrix limit), the link-time list,
// sampler units across program switches, and the show's own shaders compiled and drawn.

#include "D3D9TestFixture.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Texture2D.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace Gralith::Graphics {

namespace {

namespace M = Messages;

const Pixel Red = {255, 0, 0, 255}, Green = {0, 255, 0, 255}, Black = {0, 0, 0, 255};

class D3D9Shading : public D3D9DeviceTest {
protected:
    Texture2D* Solid(unsigned char r, unsigned char g, unsigned char b) {
        const unsigned char texel[4] = {r, g, b, 255};
        Texture2D* texture = Keep(device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false));
        texture->SetData(0, texel, false);
        return texture;
    }
    /// A program whose vertex stage moves position (xy) by Offset and colours with Colour.
    Program* Transformed(const std::string& uniforms, const std::string& position, const std::string& colour) {
        return MakeProgram(uniforms +
                           "void vsMain(float4 p : POSITION, out float4 op : POSITION, out float4 oc : COLOR0) {\n"
                           "    op = " +
                           position + ";\n    oc = " + colour +
                           ";\n}\nfloat4 psMain(float4 c : COLOR0) : COLOR { return c; }\n");
    }
};

TEST_F(D3D9Shading, MatricesReachTheShadersAsColumnMajorCallersMeanThem) {
    // A small quad at the centre, moved by the matrix: (0.5, 0.25) by a 4 x 4 translation, and
    // sheared to x + 0.5 y by a 2 x 2 matrix (a transposed upload would leave it in place).
    struct Case {
        const char* uniform;
        const char* position;
        int size;
        std::vector<float> matrix;
        float y; // of the quad before the matrix
        int x, row;
    };
    const Case cases[] = {
        {"float4x4 T;", "mul(T, p)", 4, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0.25f, 0, 1}, 0, 48, 24},
        {"float2x2 T;", "float4(mul(T, p.xy), p.zw)", 2, {1, 0, 0.5f, 1}, 0.5f, 40, 16},
        // A smaller matrix fills the upper-left corner of identity: translation is kept out.
        {"float4x4 T;", "mul(T, p)", 3, {1, 0, 0, 0, 1, 0, 0.5f, 0.25f, 1}, 0, 32, 32},
    };
    for (const Case& c : cases) {
        Program* program = Transformed(c.uniform, c.position, "float4(1, 0, 0, 1)");
        device->SetProgram(program);
        Parameter* t = program->GetParameter("T");
        if (c.size == 4)
            t->SetMatrix4x4(1, c.matrix.data());
        else if (c.size == 3)
            t->SetMatrix3x3(1, c.matrix.data());
        else
            t->SetMatrix2x2(1, c.matrix.data());
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Quad(-0.1f, c.y - 0.1f, 0.1f, c.y + 0.1f, 0, 0, 0, 0);
        EXPECT_EQ(Read(c.x, c.row), Red) << c.uniform << " from " << c.size;
    }
}

TEST_F(D3D9Shading, ArraysFillFromElementZeroAndMatricesStopAt256) {
    Program* program = Transformed("float4x4 Bones[4];\nfloat4 Colours[3];\n", "mul(Bones[1], p)", "Colours[2]");
    device->SetProgram(program);
    Parameter* bones = program->GetParameter("Bones");
    Parameter* colours = program->GetParameter("Colours");
    EXPECT_EQ(bones->GetArraySize(), 4);
    EXPECT_EQ(colours->GetType(), ParamFloat4);
    // 256 matrices are accepted (those past the array's end are dropped); Bones[1] moves
    // nothing, the others move the quad out of sight.
    std::vector<float> matrices(256 * 16, 0.0f);
    for (int i = 0; i < 256; ++i) {
        float* m = &matrices[i * 16];
        m[0] = m[5] = m[10] = m[15] = 1;
        m[12] = i == 1 ? 0.0f : 5.0f;
    }
    bones->SetMatrix4x4(256, matrices.data());
    const float values[12] = {1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1};
    colours->SetFloat4(3, values);
    colours->SetFloat4(1, values); // element 0 only
    FullQuad(0, 0, 0);
    EXPECT_EQ(Read(32, 32), Green);
    // 257 are refused before anything is written.
    std::vector<float> away(257 * 16, 5.0f);
    EXPECT_GRALITH_THROW(bones->SetMatrix4x4(257, away.data()), M::TooManyMatrices, 3);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
    FullQuad(0, 0, 0);
    EXPECT_EQ(Read(32, 32), Green);
}

TEST_F(D3D9Shading, TypesComeFromTheConstantTable) {
    const char* source = "float f; float2 f2; float3 f3; float4 f4; int i; int2 i2; bool b; bool3 b3;\n"
                         "float2x2 m2; float3x3 m3; float4x4 m4; float2x3 wide; float Pad[3];\n"
                         "sampler2D Flat; samplerCUBE Cube; sampler3D Volume;\n"
                         "void vsMain(float4 p : POSITION, out float4 op : POSITION) { op = p; }\n"
                         "float4 psMain(float2 uv : TEXCOORD0) : COLOR {\n"
                         "    float4 r = f + f2.xyxy + f3.xyzx + f4 + i + i2.xyxy + Pad[1];\n"
                         "    if (b && b3.y) r += 1;\n"
                         "    r.xy += mul(m2, uv); r.xyz += mul(m3, r.xyz); r = mul(m4, r); r.xy += mul(wide, r.xyz);\n"
                         "    return r + tex2D(Flat, uv) + texCUBE(Cube, r.xyz) + tex3D(Volume, r.xyz);\n"
                         "}\n";
    Program* program = MakeProgram(source);
    struct Case {
        const char* name;
        ParameterType type;
        const char* refusal;
    };
    const Case cases[] = {
        {"f", ParamFloat, nullptr},
        {"f2", ParamFloat2, nullptr},
        {"f3", ParamFloat3, nullptr},
        {"f4", ParamFloat4, nullptr},
        {"i", ParamInt, nullptr},
        {"i2", ParamInt2, nullptr},
        {"b", ParamBool, nullptr},
        {"b3", ParamBool3, nullptr},
        {"m2", ParamFloat2x2, nullptr},
        {"m3", ParamFloat3x3, nullptr},
        {"m4", ParamFloat4x4, nullptr},
        {"Pad", ParamFloat, nullptr},
        {"Flat", ParamSampler2D, nullptr},
        {"Cube", ParamSamplerCube, nullptr},
        {"Volume", ParamSampler3D, nullptr},
        {"wide", ParamNone, M::D3D9ParameterMatrixSize},
    };
    for (const Case& c : cases) {
        Parameter* parameter = program->GetParameter(c.name);
        ASSERT_TRUE(parameter->IsValid()) << c.name;
        if (c.refusal)
            EXPECT_GRALITH_THROW(parameter->GetType(), c.refusal, 0);
        else
            EXPECT_EQ(parameter->GetType(), c.type) << c.name;
    }
    EXPECT_EQ(program->GetParameter("Pad")->GetArraySize(), 3);
    EXPECT_EQ(program->GetParameter("f4")->GetArraySize(), 1);
}

TEST_F(D3D9Shading, LinkListsTheVertexConstantsThenThePixelStagesOwn) {
    Program* program = MakeProgram("float4 A; float4 B; float4 C;\n"
                                   "void vsMain(float4 p : POSITION, out float4 op : POSITION, out float4 oc : COLOR0)"
                                   " { op = p; oc = A + B; }\n"
                                   "float4 psMain(float4 c : COLOR0) : COLOR { return c * B + C; }\n");
    ASSERT_EQ(program->GetParameterCount(), 3);
    std::set<std::string> vertex = {program->GetParameter(0)->GetName(), program->GetParameter(1)->GetName()};
    EXPECT_EQ(vertex, (std::set<std::string>{"A", "B"}));
    EXPECT_STREQ(program->GetParameter(2)->GetName(), "C");
    EXPECT_EQ(program->GetParameter(3), nullptr);
    EXPECT_EQ(program->GetParameter("B"), program->GetParameter("B"));
    // An unknown name: one invalid object, whose setters do nothing.
    Parameter* nowhere = program->GetParameter("Nowhere");
    EXPECT_EQ(program->GetParameter("Nowhere"), nowhere);
    EXPECT_FALSE(nowhere->IsValid());
    // The pixel-only constant receives the setters.
    device->SetProgram(program);
    const float zero[4] = {0, 0, 0, 0}, green[4] = {0, 1, 0, 1};
    program->GetParameter("A")->SetFloat4(1, zero);
    program->GetParameter("B")->SetFloat4(1, zero);
    program->GetParameter("C")->SetFloat4(1, green);
    nowhere->SetFloat4(1, zero);
    FullQuad(0, 0, 0);
    EXPECT_EQ(Read(32, 32), Green);
}

TEST_F(D3D9Shading, SwitchingProgramsUnbindsTheSamplerUnits) {
    Program* other = MakeProgram(std::string("sampler2D Other;\n") + TexturedVertex +
                                 "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Other, uv); }\n");
    Texture2D* red = Solid(255, 0, 0);
    UseTextureProgram();
    textureProgram->GetParameter("Tex")->SetSampler(red);
    TexQuad();
    EXPECT_EQ(Read(32, 32), Red);
    device->SetProgram(other);
    TexQuad();
    EXPECT_EQ(Read(32, 32), Black);
    other->GetParameter("Other")->SetSampler(red);
    TexQuad();
    EXPECT_EQ(Read(32, 32), Red);
}

std::string ShowShader(const char* name) {
    std::ifstream file(std::string(GRALITH_TEST_SOURCE_DIR) + "/data/shaders/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(D3D9Shading, TheShowsShadersCompileAndDraw) {
    // Compile times, for the record.
    std::map<std::string, Program*> programs;
    for (const char* name : {"texture.cg", "blur.cg", "particles.cg", "halcyra.cg"}) {
        std::string source = ShowShader(name);
        ASSERT_FALSE(source.empty()) << name;
        double milliseconds[2];
        Shader* stages[2];
        for (int stage = 0; stage < 2; ++stage) {
            auto start = std::chrono::steady_clock::now();
            stages[stage] = Keep(device->CreateShader(stage ? PixelShader : VertexShader, 0,
                                                      stage ? "psMain" : "vsMain", 0, source.c_str()));
            milliseconds[stage] =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        std::printf("%s: vertex %.1f ms, pixel %.1f ms\n", name, milliseconds[0], milliseconds[1]);
        RecordProperty(std::string(name) + "_ms", std::to_string(milliseconds[0] + milliseconds[1]));
        programs[name] = Keep(device->CreateProgram(stages[0], stages[1]));
    }
    Texture2D* orange = Solid(200, 100, 50);
    Texture2D* white = Solid(255, 255, 255);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float halfRed[4] = {0.5f, 1, 1, 1}, step[2] = {1 / 64.0f, 0};
    // The image passes: tinted, and blurred (a blur of one colour is that colour).
    Program* texture = programs["texture.cg"];
    device->SetProgram(texture);
    device->SetInputLayout(textureLayout);
    texture->GetParameter("DiffuseMap")->SetSampler(orange);
    texture->GetParameter("Color")->SetFloat4(1, halfRed);
    texture->GetParameter("WorldViewProjection")->SetMatrix4x4(1, identity);
    TexQuad();
    EXPECT_TRUE(Near(Read(32, 32), {100, 100, 50, 255}, 1));
    Program* blur = programs["blur.cg"];
    device->SetProgram(blur);
    blur->GetParameter("DiffuseMap")->SetSampler(orange);
    blur->GetParameter("Direction")->SetFloat2(1, step);
    blur->GetParameter("WorldViewProjection")->SetMatrix4x4(1, identity);
    TexQuad();
    EXPECT_TRUE(Near(Read(32, 32), {200, 100, 50, 255}, 2));
    // A sprite 200 units in front of the eye, which the shader finds from View's last column:
    // fully faded in, tinted (0.44, 0.495, 0.55).
    Program* particles = programs["particles.cg"];
    const float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -200, 1};
    const InputElementDesc sprite[] = {
        {0, 0, 3, 0, DataTypeFloat32, 0}, {8, 0, 2, 12, DataTypeFloat32, 0}, {9, 0, 2, 20, DataTypeFloat32, 0}};
    device->SetProgram(particles);
    device->SetInputLayout(Keep(device->CreateInputLayout(sprite, 3)));
    particles->GetParameter("DiffuseMap")->SetSampler(white);
    particles->GetParameter("View")->SetMatrix4x4(1, view);
    particles->GetParameter("ViewProjection")->SetMatrix4x4(1, identity);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
    Draw({0, 0, 0, 0, 0, -0.5f, -0.5f, 0, 0, 0, 0, 1, 0, 0.5f, -0.5f, 0, 0, 0, 0, 1, 1, 0.5f, 0.5f, 0});
    EXPECT_TRUE(Near(Read(32, 40), {112, 126, 140, 255}, 2));
    // The scene: a lit triangle facing the camera, white, lit mostly red.
    Program* scene = programs["halcyra.cg"];
    const InputElementDesc lit[] = {
        {0, 0, 4, 0, DataTypeFloat32, 0}, {2, 0, 3, 16, DataTypeFloat32, 0}, {8, 0, 2, 28, DataTypeFloat32, 0}};
    VertexBuffer* square = Keep(device->CreateVertexBuffer(BufferModeStatic, 3 * 36, 36));
    const float vertices[27] = {-1, -1, 0, 1, 0, 0, 1, 0, 0, 1, -1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1};
    square->SetData(vertices, 0, 0);
    device->SetVertexBuffer(0, square);
    device->SetProgram(scene);
    device->SetInputLayout(Keep(device->CreateInputLayout(lit, 3)));
    const float camera[3] = {0, 0, 50}, light[3] = {1, 0.5f, 0.25f};
    scene->GetParameter("DiffuseMap")->SetSampler(white);
    scene->GetParameter("World")->SetMatrix4x4(1, identity);
    scene->GetParameter("WorldViewProjection")->SetMatrix4x4(1, identity);
    scene->GetParameter("CameraPosition")->SetFloat3(1, camera);
    for (const char* name : {"light1Color", "light2Color", "light3Color"})
        scene->GetParameter(name)->SetFloat3(1, light);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
    device->DrawUnindexed(0, 3);
    Pixel lighted = Read(40, 48);
    EXPECT_GT(lighted[0], 60);
    EXPECT_GT(lighted[0], lighted[2]);
    EXPECT_EQ(Read(8, 8), Black);
}

} // namespace

} // namespace Gralith::Graphics
