#include "GLTestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <cstdint>

namespace Gralith::Graphics {

namespace {

const Pixel Red = {255, 0, 0, 255};
const Pixel Green = {0, 255, 0, 255};
const Pixel Blue = {0, 0, 255, 255};
const Pixel Black = {0, 0, 0, 255};

DepthStencilStateDesc DepthDesc(bool enabled, CompareFunction function, bool write) {
    return {enabled, function, write, false, Always, 0, 0xFFFFFFFF, 0xFFFFFFFF, StencilKeep, StencilKeep, StencilKeep};
}

// Every channel written; colour and alpha mixed with their own operands.
BlendStateDesc Mix(BlendOperand source, BlendOperand destination, BlendOperand sourceAlpha,
                   BlendOperand destinationAlpha) {
    return {true, source, destination, sourceAlpha, destinationAlpha, true, true, true, true};
}
BlendStateDesc Mix(BlendOperand source, BlendOperand destination) {
    return Mix(source, destination, source, destination);
}

} // namespace

// --- Blending ------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, BlendOperandsMixSourceAndDestination) {
    const struct {
        BlendStateDesc desc;
        float clear[4];
        float source[4];
        Pixel expected;
    } cases[] = {
        {Mix(BlendSrcAlpha, BlendInvSrcAlpha), {0, 0, 1, 1}, {1, 0, 0, 0.25f}, {64, 0, 191, 207}},
        {Mix(BlendOne, BlendOne), {0.25f, 0, 0, 0}, {0.5f, 0.25f, 0, 0}, {191, 64, 0, 0}},
        {Mix(BlendDestColor, BlendZero), {0.5f, 1, 1, 1}, {0.5f, 0.5f, 1, 1}, {64, 128, 255, 255}},
        {Mix(BlendInvDestColor, BlendZero, BlendOne, BlendZero), {0.25f, 1, 0, 1}, {1, 1, 1, 1}, {191, 0, 255, 255}},
        {Mix(BlendOne, BlendZero, BlendZero, BlendOne), {0, 0, 0, 0.5f}, {1, 1, 1, 1}, {255, 255, 255, 128}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        device->Clear(ClearColor | ClearDepth, c.clear[0], c.clear[1], c.clear[2], c.clear[3], 1, 0);
        device->SetBlendState(Keep(device->CreateBlendState(c.desc)));
        FullQuad(c.source[0], c.source[1], c.source[2], c.source[3]);
        EXPECT_TRUE(Near(Read(5, 5), c.expected));
    }
}

TEST_F(GLDeviceTest, ColourWriteFlagsMaskChannels) {
    BlendStateDesc desc = {false, BlendOne, BlendZero, BlendOne, BlendZero, false, true, true, false};
    device->Clear(ClearColor, 0.5f, 0, 0, 0.5f, 1, 0);
    device->SetBlendState(Keep(device->CreateBlendState(desc)));
    FullQuad(1, 1, 1, 1);
    EXPECT_TRUE(Near(Read(5, 5), {128, 255, 255, 128}, 1));
    // The next clear must still clear every channel...
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    EXPECT_TRUE(Near(Read(5, 5), {0, 0, 0, 0}, 0));
    // ...and the masks are back for the next draw with the same state object.
    FullQuad(1, 1, 1, 1);
    EXPECT_TRUE(Near(Read(5, 5), {0, 255, 255, 0}, 1));
}

// --- Depth and stencil ---------------------------------------------------------------------------

TEST_F(GLDeviceTest, DepthStateDecidesWhichOfTwoQuadsShows) {
    // A near red quad, then a far green one.
    struct Case {
        const char* what;
        DepthStencilStateDesc desc;
        Pixel expected;
    } cases[] = {
        {"less", DepthDesc(true, Less, true), Red},
        {"writes off", DepthDesc(true, Less, false), Green},
        {"test off", DepthDesc(false, Less, true), Green},
        {"greater", DepthDesc(true, Greater, true), Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        device->SetDepthStencilState(Keep(device->CreateDepthStencilState(c.desc)));
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Quad(-1, -1, 1, 1, -0.5f, 1, 0, 0);
        Quad(-1, -1, 1, 1, 0.5f, 0, 1, 0);
        EXPECT_TRUE(Near(Read(32, 32), c.expected));
    }
}

TEST_F(GLDeviceTest, StencilMasksLaterDrawsOnBackBufferAndOffscreenTarget) {
    Texture2D* target = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
    Surface* depth = Keep(device->CreateSurface(Size, Size, PixelFormatDepth24Stencil8, 0));
    DepthStencilStateDesc write = {false, Always, false,       true,        Always,        1,
                                   0xFF,  0xFF,   StencilKeep, StencilKeep, StencilReplace};
    DepthStencilStateDesc test = {false, Always, false,       true,        Equal,      1,
                                  0xFF,  0xFF,   StencilKeep, StencilKeep, StencilKeep};
    DepthStencilState* writeState = Keep(device->CreateDepthStencilState(write));
    DepthStencilState* testState = Keep(device->CreateDepthStencilState(test));

    Surface* offscreen = target->GetSurface(0);
    for (Surface* color : {device->GetBackBuffer(), offscreen}) {
        device->SetRenderTargets(1, &color, depth);
        device->Clear(ClearColor | ClearStencil, 0, 0, 0, 1, 1, 0);
        device->SetDepthStencilState(writeState);
        Quad(-1, -1, 0, 1, 0, 0, 0, 1); // left half: stencil 1
        device->SetDepthStencilState(testState);
        FullQuad(1, 0, 0);
        SCOPED_TRACE(color == offscreen ? "offscreen" : "back buffer");
        EXPECT_TRUE(Near(Read(10, 32, color), Red));
        EXPECT_TRUE(Near(Read(50, 32, color), Black));
    }
}

TEST_F(GLDeviceTest, CullModeAndWindingDecideWhichFacesDraw) {
    // The quad winds counter-clockwise: a front face under the default state. A culled quad
    // leaves the colour the row before drew.
    const struct {
        RasterizerState* state;
        Pixel drawn;
        Pixel expected;
    } cases[] = {{nullptr, Red, Red},
                 {Keep(device->CreateRasterizerState({1, 1, 0, CullBack, false})), Green, Red},
                 {Keep(device->CreateRasterizerState({1, 1, 0, CullNone, false})), Blue, Blue},
                 {Keep(device->CreateRasterizerState({1, 1, 1, CullFront, false})), Green, Blue}};
    for (const auto& c : cases) {
        device->SetRasterizerState(c.state);
        device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
        FullQuad(c.drawn[0] / 255.0f, c.drawn[1] / 255.0f, c.drawn[2] / 255.0f);
        EXPECT_TRUE(Near(Read(5, 5), c.expected)) << "row " << &c - cases;
    }
}

TEST_F(GLDeviceTest, ScissorRectClipsOnlyWhenTheRasterizerEnablesIt) {
    device->SetScissorRect(0, 0, 16, 16);
    FullQuad(1, 0, 0);
    EXPECT_TRUE(Near(Read(40, 40), Red));
    RasterizerStateDesc scissorDesc = {1, 1, 1, CullBack, true};
    device->SetRasterizerState(Keep(device->CreateRasterizerState(scissorDesc)));
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 1, 0);
    EXPECT_TRUE(Near(Read(8, 8), Green));
    EXPECT_TRUE(Near(Read(40, 40), Red));
}

// --- Render targets and viewport -----------------------------------------------------------------

TEST_F(GLDeviceTest, OffscreenTargetSetsViewportAndReceivesTheDraw) {
    Texture2D* target = Keep(device->CreateTexture2D(256, 256, PixelFormatR8G8B8A8, true));
    Surface* surface = target->GetSurface(0);
    device->SetRenderTargets(1, &surface, nullptr);
    EXPECT_EQ(device->CheckRenderTargets(), RenderTargetsComplete);
    device->Clear(ClearColor, 0, 0, 0, 1, 1, 0);
    FullQuad(0, 0, 1);
    EXPECT_TRUE(Near(Read(255, 255, surface), Blue));

    device->SetRenderTargets(0, nullptr, nullptr);
    // The rendered texture is sampled on the window.
    UseTextureProgram();
    textureProgram->GetParameter("Tex")->SetSampler(target);
    TexQuad();
    EXPECT_TRUE(Near(Read(32, 32), Blue));
}

TEST_F(GLDeviceTest, MultipleColourTargetsAllReceiveTheirOutputs) {
    Program* mrt = MakeProgram("float4 vsMain(float4 p : POSITION) : POSITION { return p; }\n"
                               "void psMain(out float4 a : COLOR0, out float4 b : COLOR1) {\n"
                               "    a = float4(1, 0, 0, 1);\n    b = float4(0, 1, 0, 1);\n}\n");
    Surface* targets[] = {Keep(device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true))->GetSurface(0),
                          Keep(device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true))->GetSurface(0)};
    device->SetRenderTargets(2, targets, nullptr);
    device->SetProgram(mrt);
    FullQuad(0, 0, 0);
    EXPECT_TRUE(Near(Read(16, 16, targets[0]), Red));
    EXPECT_TRUE(Near(Read(16, 16, targets[1]), Green));
}

// --- Copies --------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, CopyMovesARectangleIntoTheBackBuffer) {
    Surface* source = Keep(device->CreateSurface(32, 32, PixelFormatR8G8B8A8, 0));
    device->SetRenderTargets(1, &source, nullptr);
    device->Clear(ClearColor, 1, 0, 0, 1, 1, 0);
    device->SetRenderTargets(0, nullptr, nullptr);
    device->Clear(ClearColor, 0, 0, 1, 1, 1, 0);
    device->GetBackBuffer()->Copy(source, 0, 0, 16, 16, 8, 8, 16, 16, FilterPoint);
    EXPECT_TRUE(Near(Read(10, 10), Red));
    EXPECT_TRUE(Near(Read(23, 23), Red));
    EXPECT_TRUE(Near(Read(24, 24), Blue));
    EXPECT_TRUE(Near(Read(5, 5), Blue));
}

// --- Textures and samplers -----------------------------------------------------------------------

TEST_F(GLDeviceTest, WrapRepeatsAndClampHoldsTheEdgeTexel) {
    const unsigned char texels[] = {255, 0, 0, 255, 0, 255, 0, 255}; // red, green
    Texture2D* texture = Keep(device->CreateTexture2D(2, 1, PixelFormatR8G8B8A8, false));
    texture->SetData(0, texels, false);
    // The one-row texture looks the same under any V or W mode: each sampler gives U another one,
    // so a mode taken from the wrong axis shows.
    SamplerState* wrap = Keep(
        device->CreateSamplerState({FilterPoint, FilterPoint, FilterNone, AddressWrap, AddressClamp, AddressClamp}));
    SamplerState* clamp = Keep(
        device->CreateSamplerState({FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressWrap, AddressWrap}));
    UseTextureProgram();
    Parameter* tex = textureProgram->GetParameter("Tex");
    tex->SetSampler(texture, wrap);
    TexQuad(2, 1);
    EXPECT_TRUE(Near(Read(40, 32), Red)); // u = 1.25 repeats to 0.25
    tex->SetSampler(texture, clamp);
    TexQuad(2, 1);
    // Clamped to the edge texel, never blended with a border colour.
    EXPECT_TRUE(Near(Read(60, 32), Green));
}

// --- Indexed drawing and buffers -----------------------------------------------------------------

TEST_F(GLDeviceTest, IndexedDrawsStartAtTheFirstIndexFor16And32BitIndices) {
    // Two quads in one buffer: left half red, right half green.
    float vertices[8][8] = {{-1, -1, 0, 1, 1, 0, 0, 1}, {0, -1, 0, 1, 1, 0, 0, 1}, {0, 1, 0, 1, 1, 0, 0, 1},
                            {-1, 1, 0, 1, 1, 0, 0, 1},  {0, -1, 0, 1, 0, 1, 0, 1}, {1, -1, 0, 1, 0, 1, 0, 1},
                            {1, 1, 0, 1, 0, 1, 0, 1},   {0, 1, 0, 1, 0, 1, 0, 1}};
    VertexBuffer* buffer = Keep(device->CreateVertexBuffer(BufferModeStatic, sizeof vertices, 32));
    buffer->SetData(vertices, 0, 0);
    device->SetVertexBuffer(0, buffer);
    const std::uint16_t short16[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    const std::uint32_t long32[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    IndexBuffer* shorts = Keep(device->CreateIndexBuffer(BufferModeStatic, sizeof short16, IndexType16));
    IndexBuffer* longs = Keep(device->CreateIndexBuffer(BufferModeStatic, sizeof long32, IndexType32));
    shorts->SetData(short16, 0, 0);
    longs->SetData(long32, 0, 0);

    for (IndexBuffer* indices : {shorts, longs}) {
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        device->SetIndexBuffer(indices);
        device->DrawIndexed(6, 6, 4, 7); // the second quad only
        EXPECT_TRUE(Near(Read(10, 32), Black));
        EXPECT_TRUE(Near(Read(50, 32), Green));
        device->DrawIndexed(0, 6, 0, 3);
        EXPECT_TRUE(Near(Read(10, 32), Red));
    }
}

// --- The state cache -----------------------------------------------------------------------------

// DrawSequenceTest shows which state applies; here, what an unchanged state costs in GL calls.
TEST_F(GLDeviceTest, DrawWithUnchangedStateCostsTheUploadAndTheDrawOnly) {
    BlendState* blend =
        Keep(device->CreateBlendState({true, BlendOne, BlendOne, BlendOne, BlendOne, true, true, true, true}));
    device->SetBlendState(blend);
    FullQuad(0, 0, 0);
    std::uint64_t before = GLCallCounter::Calls;
    device->SetBlendState(blend);
    device->SetProgram(colorProgram);
    FullQuad(0, 0, 0);
    EXPECT_EQ(GLCallCounter::Calls - before, 3u); // BindBuffer + BufferData + DrawArrays
}

} // namespace Gralith::Graphics
