// Textures, cube maps, programs and fonts loaded through the asset proxy onto a real (headless,
// llvmpipe) OpenGL device, drawn with Cg programs and read back.
#include "../LoaderTestSupport.h"
#include "tests/support/ImageEncoding.h"

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/assets/Font.h"

#include "tests/support/Readback.h"

#include <gtest/gtest.h>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace GralithTest;

namespace {

constexpr int Size = 64;

const float QuadVertices[] = {
    -1, -1, 0, 0, //
    1,  -1, 1, 0, //
    -1, 1,  0, 1, //
    1,  1,  1, 1, //
};

const char* const TextureShader = R"(
sampler2D Tex;
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vsMain(float2 position : POSITION, float2 uv : TEXCOORD0) {
    VSOut o;
    o.position = float4(position, 0.0, 1.0);
    o.uv = uv;
    return o;
}
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Tex, uv); }
)";

const char* const CubeShader = R"(
samplerCUBE Sky;
float3 Direction;
float4 vsMain(float2 position : POSITION) : POSITION { return float4(position, 0.0, 1.0); }
float4 psMain() : COLOR { return texCUBE(Sky, Direction); }
)";

// Text: GeoStream vertices in pixels mapped onto the 64 x 64 target; coverage shown as grey.
const char* const TextShader = R"(
sampler2D Glyphs;
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vsMain(float4 position : POSITION, float4 uv : TEXCOORD0) {
    VSOut o;
    o.position = float4(position.xy / 32.0 - 1.0, 0.0, 1.0);
    o.uv = uv.xy;
    return o;
}
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    float a = tex2D(Glyphs, uv).a;
    return float4(a, a, a, 1.0);
}
)";

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

class AssetRender : public FolderProxy<EGLGLDevice> {
protected:
    AssetRender() : FolderProxy(EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &MakeShading)) {
        quad->SetData(QuadVertices, 0, sizeof(QuadVertices));
    }

    void DrawQuad(Program* program) {
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
        device->SetProgram(program);
        device->SetVertexBuffer(0, quad.get());
        device->SetInputLayout(layout.get());
        device->SetPrimitiveType(TriangleStrip);
        device->DrawUnindexed(0, 4);
    }

    Pixel At(int x, int y) { return ReadPixel(device.get(), x, y); }

    const InputElementDesc elements[2] = {{0, 0, 2, 0, DataTypeFloat32, 0},
                                          {8, 0, 2, 2 * sizeof(float), DataTypeFloat32, 0}};
    Held<VertexBuffer> quad{device->CreateVertexBuffer(BufferModeStatic, sizeof(QuadVertices), 4 * sizeof(float))};
    Held<InputLayout> layout{device->CreateInputLayout(elements, 2)};
    Held<SamplerState> pointClamp{
        device->CreateSamplerState({FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp})};
};

} // namespace

TEST_F(AssetRender, PngTextureShowsTheImageUprightThroughAProgramFromFile) {
    // File order is top row first: red, green on top; blue, white at the bottom.
    Put("textures/quad.png", EncodePng(PngImage(2, 2, 2, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255})));
    Put("shaders/texture.cg", std::string(TextureShader));
    // Both found under the request's prefix; the program's source under the outer one.
    Texture* texture = proxy->GetTexture("quad.png{textures}", nullptr);
    Program* program = proxy->GetProgram("texture.cg{shaders}", nullptr);
    program->GetParameter("Tex")->SetSampler(texture, pointClamp.get());
    DrawQuad(program);
    EXPECT_TRUE(Near(At(5, Size - 5), {255, 0, 0, 255}));        // top left
    EXPECT_TRUE(Near(At(Size - 5, Size - 5), {0, 255, 0, 255})); // top right
    EXPECT_TRUE(Near(At(5, 5), {0, 0, 255, 255}));               // bottom left
    EXPECT_TRUE(Near(At(Size - 5, 5), {255, 255, 255, 255}));    // bottom right
}

TEST_F(AssetRender, CubeMapFacesAnswerTheirDirections) {
    const char* names[] = {"px", "py", "pz", "nx", "ny", "nz"};
    const std::array<unsigned, 3> colours[] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                               {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
    for (int f = 0; f < 6; ++f) {
        std::vector<unsigned> samples;
        for (int i = 0; i < 4 * 4; ++i)
            samples.insert(samples.end(), colours[f].begin(), colours[f].end());
        Put(std::string("sky_") + names[f] + ".png", EncodePng(PngImage(4, 4, 2, 8, samples)));
    }
    Put("cube.cg", std::string(CubeShader));
    Texture* sky = proxy->GetTexture("sky_*.png", nullptr);
    ASSERT_EQ(TextureType::TextureCube, sky->GetType());
    Program* program = proxy->GetProgram("cube.cg", nullptr);
    program->GetParameter("Sky")->SetSampler(sky, pointClamp.get());
    const float directions[6][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(names[f]);
        program->GetParameter("Direction")->SetFloat3(1, directions[f]);
        DrawQuad(program);
        EXPECT_TRUE(Near(At(Size / 2, Size / 2), {int(colours[f][0]), int(colours[f][1]), int(colours[f][2]), 255}));
    }
}

TEST_F(AssetRender, TextDrawnWithAFontStandsUpright) {
    Held<Directory> fonts(new Directory("/usr/share/fonts/truetype/dejavu/"));
    Held<Proxy> fontProxy(new Proxy(fonts.get(), device.get(), nullptr, nullptr));
    auto* font = dynamic_cast<Font*>(fontProxy->Get(AssetFont, "DejaVuSans-Bold.ttf:32", nullptr));
    ASSERT_TRUE(font);
    Put("text.cg", std::string(TextShader));
    Program* program = proxy->GetProgram("text.cg", nullptr);
    program->GetParameter("Glyphs")->SetSampler(font->GetTexture(), pointClamp.get());
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    device->SetProgram(program);
    // "T" on the baseline y = 16, pen at x = 16: its bar is near the top of the glyph.
    font->DrawText("T", 16.0f, 16.0f);
    const float* offset = font->GetGlyphOffset('T');
    int barY = 16 + int(offset[1]) - 2;
    int stemY = 16 + 3;
    int left = 16 + int(offset[0]);
    auto covered = [&](int y) {
        int n = 0;
        for (int x = 0; x < Size; ++x)
            n += At(x, y)[0] > 128;
        return n;
    };
    const int bar = covered(barY), stem = covered(stemY);
    EXPECT_GE(bar, 12) << "the bar row";
    EXPECT_GE(stem, 3);
    EXPECT_LT(stem, bar / 2) << "the stem is narrower than the bar";
    EXPECT_LT(At(left, stemY)[0], 64) << "left of the stem is empty";
    EXPECT_LT(At(32, 8)[0], 64) << "below the baseline is empty";
}
