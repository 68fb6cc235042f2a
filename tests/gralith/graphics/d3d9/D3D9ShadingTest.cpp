// Shaders, programs and parameters of the Direct3D 9 device: what the constant tables say and
// what reaches the shaders (matrix rows, arrays, the 256-matrix limit), the link-time list and
// sampler units across program switches. The show's own shaders are drawn by ShowOnBothDrivers.

#include "D3D9TestFixture.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Texture2D.h"

#include <set>

namespace Gralith::Graphics {

namespace {

namespace M = Messages;

const Pixel Red = {255, 0, 0, 255}, Green = {0, 255, 0, 255}, Black = {0, 0, 0, 255};

class D3D9Shading : public D3D9DeviceTest {};

TEST_F(D3D9Shading, MatricesReachTheShadersAsColumnMajorCallersMeanThem) {
    // A small quad at the centre, moved by the matrix: (0.5, 0.25) by a 4 x 4 translation, and
    // sheared to x + 0.5 y by a 2 x 2 matrix (a transposed upload would leave it in place).
    struct Case {
        const char* uniform;
        const char* position;
        void (Parameter::*set)(int, const float*);
        float y; // of the quad before the matrix
        int x, row;
        std::vector<float> matrix;
    };
    using P = Parameter;
    const Case cases[] = {
        {"float4x4 T;", "mul(T, p)", &P::SetMatrix4x4, 0, 48, 24, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, .5, .25, 0, 1}},
        {"float2x2 T;", "float4(mul(T, p.xy), p.zw)", &P::SetMatrix2x2, 0.5f, 40, 16, {1, 0, 0.5f, 1}},
        // A smaller matrix fills the upper-left corner of identity: translation is kept out.
        {"float4x4 T;", "mul(T, p)", &P::SetMatrix3x3, 0, 32, 32, {1, 0, 0, 0, 1, 0, 0.5f, 0.25f, 1}},
    };
    for (const Case& c : cases) {
        Program* program = ColorProgram(c.uniform, c.position, "float4(1, 0, 0, 1)");
        device->SetProgram(program);
        (program->GetParameter("T")->*c.set)(1, c.matrix.data());
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Quad(-0.1f, c.y - 0.1f, 0.1f, c.y + 0.1f, 0, 0, 0, 0);
        EXPECT_EQ(Read(c.x, c.row), Red) << c.uniform << " from " << c.matrix.size();
    }
}

TEST_F(D3D9Shading, ArraysFillFromElementZeroAndMatricesStopAt256) {
    Program* program = ColorProgram("float4x4 Bones[4];\nfloat4 Colours[3];\n", "mul(Bones[1], p)", "Colours[2]");
    device->SetProgram(program);
    Parameter* bones = program->GetParameter("Bones");
    Parameter* colours = program->GetParameter("Colours");
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
    // One of each branch of the mapping: scalar, vector and matrix of each base type, arrays, samplers.
    Program* program =
        MakeProgram("float f; float4 f4; int i; int2 i2; bool3 b3; float3x3 m3; float4x4 m4; float2x3 wide;\n"
                    "float Pad[3]; sampler2D Flat; samplerCUBE Cube; sampler3D Volume;\n"
                    "void vsMain(float4 p : POSITION, out float4 op : POSITION) { op = p; }\n"
                    "float4 psMain(float2 uv : TEXCOORD0) : COLOR {\n"
                    "    float4 r = f + f4 + i + i2.xyxy + Pad[1];\n"
                    "    if (b3.y) r += 1;\n"
                    "    r.xyz += mul(m3, r.xyz); r = mul(m4, r); r.xy += mul(wide, r.xyz);\n"
                    "    return r + tex2D(Flat, uv) + texCUBE(Cube, r.xyz) + tex3D(Volume, r.xyz);\n"
                    "}\n");
    const std::pair<const char*, ParameterType> cases[] = {
        {"f", ParamFloat},          {"f4", ParamFloat4},        {"i", ParamInt},
        {"i2", ParamInt2},          {"b3", ParamBool3},         {"m3", ParamFloat3x3},
        {"m4", ParamFloat4x4},      {"Pad", ParamFloat},        {"Flat", ParamSampler2D},
        {"Cube", ParamSamplerCube}, {"Volume", ParamSampler3D},
    };
    for (const auto& [name, type] : cases)
        EXPECT_EQ(program->GetParameter(name)->GetType(), type) << name;
    EXPECT_GRALITH_THROW(program->GetParameter("wide")->GetType(), M::D3D9ParameterMatrixSize, 0);
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
    // An unknown name: one invalid object (a name's lookups share one), whose setters do nothing.
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
    Program* other = TextureProgram("sampler2D Other;", "tex2D(Other, uv)");
    static const unsigned char texel[4] = {255, 0, 0, 255};
    Texture2D* red = Keep(device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false));
    red->SetData(0, texel, false);
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

} // namespace

} // namespace Gralith::Graphics
