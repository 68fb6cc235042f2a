#include "GLTestFixture.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLTextureHandle.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

namespace Gralith::Graphics {

namespace {

const Pixel Red = {255, 0, 0, 255};
const Pixel Green = {0, 255, 0, 255};
const Pixel Blue = {0, 0, 255, 255};
const Pixel White = {255, 255, 255, 255};
const Pixel Black = {0, 0, 0, 255};

DepthStencilStateDesc DepthDesc(bool enabled, CompareFunction function, bool write) {
    return {enabled, function, write, false, Always, 0, 0xFFFFFFFF, 0xFFFFFFFF, StencilKeep, StencilKeep, StencilKeep};
}

} // namespace

// --- Clear ---------------------------------------------------------------------------------------

// --- Blending ------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, DefaultBlendStateDrawsOpaque) {
    device->Clear(ClearColor, 0, 0, 1, 1, 1, 0);
    FullQuad(1, 0, 0, 0.25f);
    EXPECT_TRUE(Near(Read(32, 32), {255, 0, 0, 64}));
    // No state set at all draws with the defaults.
    device->SetBlendState(nullptr);
    device->SetDepthStencilState(nullptr);
    device->SetRasterizerState(nullptr);
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 1, 0, 0.5f);
    EXPECT_TRUE(Near(Read(32, 32), {0, 255, 0, 128}));
}

TEST_F(GLDeviceTest, BlendOperandsMixSourceAndDestination) {
    struct Case {
        const char* what;
        BlendStateDesc desc;
        float clear[4];
        float source[4];
        Pixel expected;
    } cases[] = {
        {"alpha",
         {true, BlendSrcAlpha, BlendInvSrcAlpha, BlendSrcAlpha, BlendInvSrcAlpha, true, true, true, true},
         {0, 0, 1, 1},
         {1, 0, 0, 0.25f},
         {64, 0, 191, 207}},
        {"additive",
         {true, BlendOne, BlendOne, BlendOne, BlendOne, true, true, true, true},
         {0.25f, 0, 0, 0},
         {0.5f, 0.25f, 0, 0},
         {191, 64, 0, 0}},
        {"multiply",
         {true, BlendDestColor, BlendZero, BlendDestColor, BlendZero, true, true, true, true},
         {0.5f, 1, 1, 1},
         {0.5f, 0.5f, 1, 1},
         {64, 128, 255, 255}},
        {"inverse destination",
         {true, BlendInvDestColor, BlendZero, BlendOne, BlendZero, true, true, true, true},
         {0.25f, 1, 0, 1},
         {1, 1, 1, 1},
         {191, 0, 255, 255}},
        {"separate alpha",
         {true, BlendOne, BlendZero, BlendZero, BlendOne, true, true, true, true},
         {0, 0, 0, 0.5f},
         {1, 1, 1, 1},
         {255, 255, 255, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BlendState* blend = device->CreateBlendState(c.desc);
        device->SetBlendState(nullptr);
        device->Clear(ClearColor | ClearDepth, c.clear[0], c.clear[1], c.clear[2], c.clear[3], 1, 0);
        device->SetBlendState(blend);
        FullQuad(c.source[0], c.source[1], c.source[2], c.source[3]);
        EXPECT_TRUE(Near(Read(5, 5), c.expected));
        device->SetBlendState(nullptr);
        blend->Release();
    }
}

TEST_F(GLDeviceTest, ColourWriteFlagsMaskChannels) {
    BlendStateDesc desc = {false, BlendOne, BlendZero, BlendOne, BlendZero, false, true, true, false};
    BlendState* blend = device->CreateBlendState(desc);
    device->Clear(ClearColor, 0.5f, 0, 0, 0.5f, 1, 0);
    device->SetBlendState(blend);
    FullQuad(1, 1, 1, 1);
    EXPECT_TRUE(Near(Read(5, 5), {128, 255, 255, 128}, 1));
    // The next clear must still clear every channel...
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    EXPECT_TRUE(Near(Read(5, 5), {0, 0, 0, 0}, 0));
    // ...and the masks are back for the next draw with the same state object.
    FullQuad(1, 1, 1, 1);
    EXPECT_TRUE(Near(Read(5, 5), {0, 255, 255, 0}, 1));
    blend->Release();
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
        DepthStencilState* state = device->CreateDepthStencilState(c.desc);
        device->SetDepthStencilState(state);
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Quad(-1, -1, 1, 1, -0.5f, 1, 0, 0);
        Quad(-1, -1, 1, 1, 0.5f, 0, 1, 0);
        EXPECT_TRUE(Near(Read(32, 32), c.expected));
        device->SetDepthStencilState(nullptr);
        state->Release();
    }
}

TEST_F(GLDeviceTest, StencilMasksLaterDrawsOnBackBufferAndOffscreenTarget) {
    Texture2D* target = device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true);
    Surface* depth = device->CreateSurface(Size, Size, PixelFormatDepth24Stencil8, 0);
    DepthStencilStateDesc write = {false, Always, false,       true,        Always,        1,
                                   0xFF,  0xFF,   StencilKeep, StencilKeep, StencilReplace};
    DepthStencilStateDesc test = {false, Always, false,       true,        Equal,      1,
                                  0xFF,  0xFF,   StencilKeep, StencilKeep, StencilKeep};
    DepthStencilState* writeState = device->CreateDepthStencilState(write);
    DepthStencilState* testState = device->CreateDepthStencilState(test);

    Surface* offscreen = target->GetSurface(0);
    for (Surface* color : {device->GetBackBuffer(), offscreen}) {
        device->SetRenderTargets(1, &color, depth);
        device->Clear(ClearColor | ClearStencil, 0, 0, 0, 1, 1, 0);
        device->SetDepthStencilState(writeState);
        Quad(-1, -1, 0, 1, 0, 0, 0, 1); // left half: stencil 1
        device->SetDepthStencilState(testState);
        FullQuad(1, 0, 0);
        EXPECT_TRUE(Near(Read(10, 32, color), Red)) << (color == offscreen ? "offscreen" : "back buffer");
        EXPECT_TRUE(Near(Read(50, 32, color), Black)) << (color == offscreen ? "offscreen" : "back buffer");
    }
    device->SetRenderTargets(0, nullptr, nullptr);
    writeState->Release();
    testState->Release();
    depth->Release();
    target->Release();
}

TEST_F(GLDeviceTest, CullModeAndWindingDecideWhichFacesDraw) {
    RasterizerStateDesc clockwiseDesc = {1, 1, 0, CullBack, false};
    RasterizerStateDesc noCullDesc = {1, 1, 0, CullNone, false};
    RasterizerStateDesc cullFrontDesc = {1, 1, 1, CullFront, false};
    RasterizerState* clockwise = device->CreateRasterizerState(clockwiseDesc);
    RasterizerState* noCull = device->CreateRasterizerState(noCullDesc);
    RasterizerState* cullFront = device->CreateRasterizerState(cullFrontDesc);
    FullQuad(1, 0, 0); // counter-clockwise: a front face under the default state
    EXPECT_TRUE(Near(Read(5, 5), Red));
    device->SetRasterizerState(clockwise); // the same quad is now a back face: culled
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 1, 0);
    EXPECT_TRUE(Near(Read(5, 5), Red));
    device->SetRasterizerState(noCull);
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 0, 1);
    EXPECT_TRUE(Near(Read(5, 5), Blue));
    device->SetRasterizerState(cullFront);
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 1, 0);
    EXPECT_TRUE(Near(Read(5, 5), Blue));
    for (RasterizerState* s : {clockwise, noCull, cullFront})
        s->Release();
}

TEST_F(GLDeviceTest, ScissorRectClipsOnlyWhenTheRasterizerEnablesIt) {
    device->SetScissorRect(0, 0, 16, 16);
    FullQuad(1, 0, 0);
    EXPECT_TRUE(Near(Read(40, 40), Red));
    RasterizerStateDesc scissorDesc = {1, 1, 1, CullBack, true};
    RasterizerState* scissor = device->CreateRasterizerState(scissorDesc);
    device->SetRasterizerState(scissor);
    device->Clear(ClearDepth, 0, 0, 0, 0, 1, 0);
    FullQuad(0, 1, 0);
    EXPECT_TRUE(Near(Read(8, 8), Green));
    EXPECT_TRUE(Near(Read(40, 40), Red));
    scissor->Release();
}

// --- Render targets and viewport -----------------------------------------------------------------

TEST_F(GLDeviceTest, OffscreenTargetSetsViewportAndReceivesTheDraw) {
    Texture2D* target = device->CreateTexture2D(256, 256, PixelFormatR8G8B8A8, true);
    Surface* surface = target->GetSurface(0);
    device->SetRenderTargets(1, &surface, nullptr);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, 256, 256}));
    EXPECT_EQ(device->GetColorTargetCount(), 1);
    EXPECT_EQ(device->GetColorTarget(0), surface);
    EXPECT_EQ(device->CheckRenderTargets(), RenderTargetsComplete);
    device->Clear(ClearColor, 0, 0, 0, 1, 1, 0);
    FullQuad(0, 0, 1);
    EXPECT_TRUE(Near(Read(255, 255, surface), Blue));

    device->SetRenderTargets(0, nullptr, nullptr);
    EXPECT_EQ(device->GetViewport(), (Rect{0, 0, Size, Size}));
    EXPECT_EQ(device->GetColorTargetCount(), 0);
    // The rendered texture is sampled on the window.
    UseTextureProgram();
    textureProgram->GetParameter("Tex")->SetSampler(target);
    TexQuad();
    EXPECT_TRUE(Near(Read(32, 32), Blue));
    target->Release();
}

TEST_F(GLDeviceTest, MultipleColourTargetsAllReceiveTheirOutputs) {
    Program* mrt = MakeProgram("float4 vsMain(float4 p : POSITION) : POSITION { return p; }\n"
                               "void psMain(out float4 a : COLOR0, out float4 b : COLOR1) {\n"
                               "    a = float4(1, 0, 0, 1);\n    b = float4(0, 1, 0, 1);\n}\n");
    Texture2D* first = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    Texture2D* second = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    Surface* targets[] = {first->GetSurface(0), second->GetSurface(0)};
    device->SetRenderTargets(2, targets, nullptr);
    EXPECT_EQ(device->GetColorTargetCount(), 2);
    device->SetProgram(mrt);
    FullQuad(0, 0, 0);
    EXPECT_TRUE(Near(Read(16, 16, targets[0]), Red));
    EXPECT_TRUE(Near(Read(16, 16, targets[1]), Green));

    // Dropping to one target unbinds the second slot.
    device->SetRenderTargets(1, targets, nullptr);
    EXPECT_EQ(device->GetColorTarget(1), nullptr);
    device->SetProgram(colorProgram);
    device->SetRenderTargets(0, nullptr, nullptr);
    mrt->Release();
    first->Release();
    second->Release();
}

// --- Copies --------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, CopyMovesARectangleIntoTheBackBuffer) {
    Surface* source = device->CreateSurface(32, 32, PixelFormatR8G8B8A8, 0);
    device->SetRenderTargets(1, &source, nullptr);
    device->Clear(ClearColor, 1, 0, 0, 1, 1, 0);
    device->SetRenderTargets(0, nullptr, nullptr);
    device->Clear(ClearColor, 0, 0, 1, 1, 1, 0);
    device->GetBackBuffer()->Copy(source, 0, 0, 16, 16, 8, 8, 16, 16, FilterPoint);
    EXPECT_TRUE(Near(Read(10, 10), Red));
    EXPECT_TRUE(Near(Read(23, 23), Red));
    EXPECT_TRUE(Near(Read(24, 24), Blue));
    EXPECT_TRUE(Near(Read(5, 5), Blue));
    source->Release();
}

// --- Textures ------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, FirstUploadedRowIsTheBottomOfTheImage) {
    const unsigned char texels[] = {255, 0, 0,   255, 0,   255, 0,   255,  // row 0: red, green
                                    0,   0, 255, 255, 255, 255, 255, 255}; // row 1: blue, white
    Texture2D* texture = device->CreateTexture2D(2, 2, PixelFormatR8G8B8A8, false);
    texture->SetData(0, texels, false);
    SamplerStateDesc pointDesc = {FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp};
    SamplerState* point = device->CreateSamplerState(pointDesc);
    UseTextureProgram();
    textureProgram->GetParameter("Tex")->SetSampler(texture, point);
    TexQuad();
    EXPECT_TRUE(Near(Read(8, 8), Red));
    EXPECT_TRUE(Near(Read(56, 8), Green));
    EXPECT_TRUE(Near(Read(8, 56), Blue));
    EXPECT_TRUE(Near(Read(56, 56), White));
    point->Release();
    texture->Release();
}

// --- Samplers ------------------------------------------------------------------------------------

TEST_F(GLDeviceTest, WrapRepeatsAndClampHoldsTheEdgeTexel) {
    const unsigned char texels[] = {255, 0, 0, 255, 0, 255, 0, 255}; // red, green
    Texture2D* texture = device->CreateTexture2D(2, 1, PixelFormatR8G8B8A8, false);
    texture->SetData(0, texels, false);
    SamplerStateDesc wrapDesc = {FilterPoint, FilterPoint, FilterNone, AddressWrap, AddressWrap, AddressWrap};
    SamplerStateDesc clampDesc = {FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressClamp, AddressClamp};
    SamplerState* wrap = device->CreateSamplerState(wrapDesc);
    SamplerState* clamp = device->CreateSamplerState(clampDesc);
    UseTextureProgram();
    Parameter* tex = textureProgram->GetParameter("Tex");
    tex->SetSampler(texture, wrap);
    TexQuad(2, 1);
    EXPECT_TRUE(Near(Read(40, 32), Red)); // u = 1.25 repeats to 0.25
    tex->SetSampler(texture, clamp);
    TexQuad(2, 1);
    // Clamped to the edge texel, never blended with a border colour.
    EXPECT_TRUE(Near(Read(60, 32), Green));
    wrap->Release();
    clamp->Release();
    texture->Release();
}

// --- Indexed drawing and buffers -----------------------------------------------------------------

TEST_F(GLDeviceTest, IndexedDrawsStartAtTheFirstIndexFor16And32BitIndices) {
    // Two quads in one buffer: left half red, right half green.
    float vertices[8][8] = {{-1, -1, 0, 1, 1, 0, 0, 1}, {0, -1, 0, 1, 1, 0, 0, 1}, {0, 1, 0, 1, 1, 0, 0, 1},
                            {-1, 1, 0, 1, 1, 0, 0, 1},  {0, -1, 0, 1, 0, 1, 0, 1}, {1, -1, 0, 1, 0, 1, 0, 1},
                            {1, 1, 0, 1, 0, 1, 0, 1},   {0, 1, 0, 1, 0, 1, 0, 1}};
    VertexBuffer* buffer = device->CreateVertexBuffer(BufferModeStatic, sizeof vertices, 32);
    buffer->SetData(vertices, 0, 0);
    device->SetVertexBuffer(0, buffer);
    const std::uint16_t short16[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    const std::uint32_t long32[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    IndexBuffer* shorts = device->CreateIndexBuffer(BufferModeStatic, sizeof short16, IndexType16);
    IndexBuffer* longs = device->CreateIndexBuffer(BufferModeStatic, sizeof long32, IndexType32);
    shorts->SetData(short16, 0, 0);
    longs->SetData(long32, 0, 0);
    EXPECT_EQ(shorts->GetIndexType(), IndexType16);
    EXPECT_EQ(longs->GetIndexType(), IndexType32);

    for (IndexBuffer* indices : {shorts, longs}) {
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        device->SetIndexBuffer(indices);
        device->DrawIndexed(6, 6, 4, 7); // the second quad only
        EXPECT_TRUE(Near(Read(10, 32), Black));
        EXPECT_TRUE(Near(Read(50, 32), Green));
        device->DrawIndexed(0, 6, 0, 3);
        EXPECT_TRUE(Near(Read(10, 32), Red));
    }
    device->SetVertexBuffer(0, quad);
    shorts->Release();
    longs->Release();
    buffer->Release();
}

// --- The state cache -----------------------------------------------------------------------------

TEST_F(GLDeviceTest, SameStateObjectSetTwiceReachesGLOnce) {
    BlendState* blend = Blend(true, BlendOne, BlendOne);
    FullQuad(0, 0, 0);
    device->ResetStatistics();
    device->SetBlendState(blend);
    device->SetBlendState(blend);
    FullQuad(0, 0, 0);
    EXPECT_EQ(device->GetStatistics().BlendApplies, 1u);

    // Unchanged state: the next draw costs the upload and the draw call only.
    std::uint64_t before = GLCallCounter::Calls;
    device->SetBlendState(blend);
    device->SetProgram(colorProgram);
    FullQuad(0, 0, 0);
    std::uint64_t steady = GLCallCounter::Calls - before;
    EXPECT_EQ(device->GetStatistics().BlendApplies, 1u);
    EXPECT_EQ(device->GetStatistics().ProgramApplies, 0u);
    EXPECT_EQ(steady, 3u); // BindBuffer + BufferData + DrawArrays

    // A new object with equal contents is applied again: identity, not contents, decides.
    BlendState* twin = Blend(true, BlendOne, BlendOne);
    device->SetBlendState(twin);
    FullQuad(0, 0, 0);
    EXPECT_EQ(device->GetStatistics().BlendApplies, 2u);
    device->SetBlendState(nullptr);
    twin->Release();
    blend->Release();
}

} // namespace Gralith::Graphics
