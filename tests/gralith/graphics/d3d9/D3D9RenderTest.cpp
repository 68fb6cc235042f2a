// The Direct3D 9 device drawing for real (under Wine: wined3d on the machine's OpenGL), its
// pixels read back: clears, uploads in every format family, topologies, vertex element types,
// sampling, cube faces, copies and off-screen targets with the transform stack's flip.

#include "D3D9TestFixture.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/d3d9/D3D9Runtime.h"
#include "gralith/utils/State.h"
#include "gralith/utils/String.h"
#include "gralith/utils/scenegraph/Transform.h"

#include <array>
#include <cstring>
#include <tuple>

namespace Gralith::Graphics {

namespace {

namespace M = Messages;

const Pixel Red = {255, 0, 0, 255}, Green = {0, 255, 0, 255}, Blue = {0, 0, 255, 255}, Black = {0, 0, 0, 255};

class D3D9Render : public D3D9DeviceTest {
protected:
    /// A renderable 64 x 64 texture bound as the only target.
    Texture2D* BindTextureTarget() {
        Texture2D* target = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
        Surface* surface = target->GetSurface(0);
        device->SetRenderTargets(1, &surface, nullptr);
        return target;
    }
    void NoCulling() { device->SetRasterizerState(Keep(device->CreateRasterizerState({1, 1, 1, CullNone, false}))); }
    void PointSampling(Texture* texture) {
        SamplerState* point = Keep(
            device->CreateSamplerState({FilterPoint, FilterPoint, FilterNone, AddressWrap, AddressWrap, AddressWrap}));
        textureProgram->GetParameter("Tex")->SetSampler(texture, point);
    }
};

TEST_F(D3D9Render, ClearTruncatesAndClampsEachChannel) {
    // Into the back buffer or a texture (alpha is kept only by an A8R8G8B8 target); 0.5 and 0.25
    // of 255 truncate.
    const std::tuple<bool, std::array<float, 4>, Pixel> cases[] = {
        {false, {1.5f, -0.2f, 0.5f, 1.0f}, {255, 0, 127, 255}},
        {true, {1.5f, -0.2f, 0.5f, 0.25f}, {255, 0, 127, 63}},
    };
    for (const auto& [offscreen, c, expected] : cases) {
        Texture2D* target = offscreen ? BindTextureTarget() : nullptr;
        // The target has no depth buffer: the depth and stencil bits are left out, not refused.
        device->Clear(ClearColor | ClearDepth | ClearStencil, c[0], c[1], c[2], c[3], 1, 0);
        EXPECT_EQ(Read(5, 5, target ? target->GetSurface(0) : nullptr), expected) << c[0] << " " << c[3];
        device->SetRenderTargets(0, nullptr, nullptr);
    }
}

TEST_F(D3D9Render, UploadedPixelsSampleAsGivenAndStayTheCallersOwn) {
    // Read-only data: an upload that swapped bytes in the caller's buffer would crash here.
    static const unsigned char pixel[4] = {10, 20, 200, 40};
    Texture2D* texture = Keep(device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false));
    texture->SetData(0, pixel, false);
    Texture2D* target = BindTextureTarget();
    UseTextureProgram();
    PointSampling(texture);
    TexQuad();
    EXPECT_EQ(Read(32, 32, target->GetSurface(0)), (Pixel{10, 20, 200, 40}));
    EXPECT_EQ(std::memcmp(pixel, "\x0a\x14\xc8\x28", 4), 0);
}

TEST_F(D3D9Render, PrimitiveCountsFollowTheTopology) {
    // Seven vertices zig-zagging across the target: a strip makes five triangles covering the
    // band, a list two triangles (the seventh vertex unused). Probes at mid-height.
    std::vector<float> vertices;
    for (int i = 0; i < 7; ++i)
        vertices.insert(vertices.end(), {-1.0f + i / 3.0f, i % 2 ? 1.0f : -1.0f, 0, 1, 1, 0, 0, 1});
    const int probes[] = {11, 27, 43, 53}; // x = -2/3, -1/6, 1/3, 2/3
    const bool strip[] = {true, true, true, true}, list[] = {true, false, true, false};
    NoCulling();
    for (PrimitiveType type : {TriangleStrip, Triangles}) {
        device->SetPrimitiveType(type);
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Draw(vertices);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Read(probes[i], 32), (type == TriangleStrip ? strip : list)[i] ? Red : Black)
                << (type == TriangleStrip ? "strip" : "list") << " x " << probes[i];
    }
}

TEST_F(D3D9Render, InputElementsOfEveryDeclarationType) {
    struct Case {
        InputElementDesc element; // slot 3 (COLOR0) at offset 16 behind a float4 position
        std::vector<unsigned char> bytes;
        float scale; // the shader's factor for unnormalised integers
        Pixel expected;
    };
    auto raw = [](const auto& values) {
        std::vector<unsigned char> bytes(values.size() * sizeof values[0]);
        std::memcpy(bytes.data(), values.data(), bytes.size());
        return bytes;
    };
    using F = std::vector<float>;
    using S = std::vector<std::int16_t>;
    const Case cases[] = {
        {{3, 0, 1, 16, DataTypeFloat32, 0}, raw(F{0.2f}), 1, {51, 0, 0, 255}},
        {{3, 0, 4, 16, DataTypeFloat32, 0}, raw(F{0.2f, 0.4f, 0.6f, 0.8f}), 1, {51, 102, 153, 204}},
        {{3, 0, 4, 16, DataTypeInt8, 1}, {255, 102, 0, 51}, 1, {255, 102, 0, 51}},
        {{3, 0, 4, 16, DataTypeInt8, 0}, {255, 102, 0, 51}, 1 / 255.0f, {255, 102, 0, 51}},
        {{3, 0, 2, 16, DataTypeInt16, 1}, raw(S{32767, 0}), 1, {255, 0, 0, 255}},
        {{3, 0, 4, 16, DataTypeInt16, 1}, raw(S{0, 32767, 0, 32767}), 1, {0, 255, 0, 255}},
        {{3, 0, 2, 16, DataTypeInt16, 0}, raw(S{255, 102}), 1 / 255.0f, {255, 102, 0, 1}},
        {{3, 0, 4, 16, DataTypeInt16, 0}, raw(S{0, 51, 255, 255}), 1 / 255.0f, {0, 51, 255, 255}},
    };
    Program* program = ColorProgram("float Scale;", "p", "c * Scale");
    Texture2D* target = BindTextureTarget();
    device->SetProgram(program);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.element.Type << " x " << c.element.ComponentCount);
        const InputElementDesc elements[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, c.element};
        device->SetInputLayout(Keep(device->CreateInputLayout(elements, 2)));
        program->GetParameter("Scale")->SetFloat(1, &c.scale);
        device->Clear(ClearColor, 0, 0, 0, 0, 1, 0);
        // The element's bytes go where the fixture's quad has its colour, copied bit for bit.
        float tail[4] = {};
        std::memcpy(tail, c.bytes.data(), c.bytes.size());
        Quad(-1, -1, 1, 1, 0, tail[0], tail[1], tail[2], tail[3]);
        EXPECT_TRUE(Near(Read(8, 8, target->GetSurface(0)), c.expected, 1));
    }
}

TEST_F(D3D9Render, LayoutsKeepTheSemanticMapOfTheirCreation) {
    const char* moved[16] = {"POSITION", nullptr, nullptr, "TEXCOORD5"};
    SemanticMap* map = Keep(device->CreateSemanticMap(moved));
    device->SetSemanticMap(map);
    // Slot 8 is empty in this map: its element feeds nothing and is left out.
    const InputElementDesc elements[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {8, 0, 4, 16, DataTypeFloat32, 0}};
    EXPECT_NO_THROW(Keep(device->CreateInputLayout(elements, 2)));
    // The colour layout was made with the default map, where slot 3 is COLOR: it still is.
    UseColorProgram();
    FullQuad(0, 0, 1);
    EXPECT_EQ(Read(32, 32), Blue);
}

TEST_F(D3D9Render, SamplersTakeTheGivenStateOrWrapAndLinear) {
    static const unsigned char texels[8] = {255, 0, 0, 255, 0, 255, 0, 255}; // red, green
    Texture2D* texture = Keep(device->CreateTexture2D(2, 1, PixelFormatR8G8B8A8, false));
    texture->SetData(0, texels, false);
    const SamplerStateDesc clamp = {FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp};
    const SamplerStateDesc mixed = {FilterLinear, FilterLinear, FilterLinear, AddressWrap, AddressClamp, AddressWrap};
    const Pixel mix = {128, 128, 0, 255};
    // The sampler state (none: the default), and pixels at x, where u = x / 32 on a quad reaching u = 2.
    const std::pair<const SamplerStateDesc*, std::vector<std::pair<int, Pixel>>> cases[] = {
        {nullptr, {{8, Red}, {16, mix}, {24, Green}, {40, Red}}},
        {&clamp, {{8, Red}, {24, Green}, {40, Green}, {56, Green}}},
        {&mixed, {{8, Red}, {16, mix}, {40, Red}, {56, Green}}},
    };
    UseTextureProgram();
    for (const auto& [state, probes] : cases) {
        Parameter* tex = textureProgram->GetParameter("Tex");
        if (state)
            tex->SetSampler(texture, Keep(device->CreateSamplerState(*state)));
        else
            tex->SetSampler(texture);
        TexQuad(2, 1);
        for (const auto& [x, expected] : probes)
            EXPECT_TRUE(Near(Read(x, 32), expected, 3)) << "x " << x;
    }
}

TEST_F(D3D9Render, CompressedBlocksUploadRowByRow) {
    // An 8 x 8 image of 2 x 2 blocks: red, green (first block row), blue, white; every texel of
    // a block takes its colour 0. Texture row 0 appears at the bottom of the quad.
    const std::uint16_t colours[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    const Pixel expected[4] = {Red, Green, Blue, {255, 255, 255, 255}};
    // The format, and the alpha half of its 16-byte blocks.
    const std::pair<PixelFormat, std::vector<unsigned char>> cases[] = {
        {PixelFormatDXT1, {}},
        {PixelFormatDXT3, std::vector<unsigned char>(8, 0xFF)},
        {PixelFormatDXT5, {255, 0, 0, 0, 0, 0, 0, 0}}};
    UseTextureProgram();
    for (const auto& [format, alpha] : cases) {
        std::vector<unsigned char> data;
        for (std::uint16_t colour : colours) {
            data.insert(data.end(), alpha.begin(), alpha.end());
            data.insert(data.end(), {static_cast<unsigned char>(colour), static_cast<unsigned char>(colour >> 8)});
            data.resize(data.size() + 6); // colour 1 and the indices 0
        }
        Texture2D* texture = Keep(device->CreateTexture2D(8, 8, format, false));
        texture->SetData(0, data.data(), false);
        PointSampling(texture);
        TexQuad();
        const int probes[4][2] = {{16, 48}, {48, 48}, {16, 16}, {48, 16}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Read(probes[i][0], probes[i][1]), expected[i]) << "format " << format << " block " << i;
    }
}

TEST_F(D3D9Render, LowerLevelsAreGeneratedNotWritten) {
    // An 8 x 8 red and green checkerboard drawn 4 pixels wide samples level 1, where each texel
    // is the average of four: only there if Direct3D generated the level.
    std::vector<unsigned char> checker;
    for (int i = 0; i < 64; ++i) {
        bool red = (i % 8 + i / 8) % 2 == 0;
        checker.insert(checker.end(),
                       {static_cast<unsigned char>(red ? 255 : 0), static_cast<unsigned char>(red ? 0 : 255), 0, 255});
    }
    Texture2D* texture = Keep(device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false));
    texture->SetData(0, checker.data(), true);
    UseTextureProgram();
    textureProgram->GetParameter("Tex")->SetSampler(
        texture, Keep(device->CreateSamplerState(
                     {FilterPoint, FilterPoint, FilterPoint, AddressClamp, AddressClamp, AddressClamp})));
    device->SetViewport(30, 30, 4, 4);
    TexQuad();
    EXPECT_TRUE(Near(Read(31, 31), {128, 128, 0, 255}, 3));
    // Levels below the first come from Direct3D alone: they cannot be written or rendered to.
    EXPECT_GRALITH_THROW(texture->SetData(1, checker.data(), false), M::D3D9TextureLock, 0);
    EXPECT_GRALITH_THROW(Keep(device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, true))->GetSurface(1),
                         M::D3D9TextureSurface, 2);
}

TEST_F(D3D9Render, CubeFacesAnswerAlongTheirAxes) {
    Program* program = TextureProgram("samplerCUBE Cube;\nfloat3 Direction;", "texCUBE(Cube, Direction)");
    const unsigned char colours[6][4] = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                         {255, 255, 0, 255}, {0, 255, 255, 255}, {255, 0, 255, 255}};
    const float directions[6][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    TextureCube* uploaded = Keep(device->CreateTextureCube(1, PixelFormatR8G8B8A8, false));
    TextureCube* rendered = Keep(device->CreateTextureCube(4, PixelFormatR8G8B8A8, true));
    for (int face = 0; face < 6; ++face) {
        uploaded->SetData(CubeFace(face), 0, colours[face], false);
        Surface* surface = rendered->GetSurface(CubeFace(face), 0);
        device->SetRenderTargets(1, &surface, nullptr);
        device->Clear(ClearColor, colours[face][0] / 255.0f, colours[face][1] / 255.0f, colours[face][2] / 255.0f, 1, 1,
                      0);
    }
    device->SetRenderTargets(0, nullptr, nullptr);
    for (TextureCube* cube : {uploaded, rendered})
        for (int face = 0; face < 6; ++face) {
            device->SetProgram(program);
            device->SetInputLayout(textureLayout);
            program->GetParameter("Cube")->SetSampler(cube);
            program->GetParameter("Direction")->SetFloat3(1, directions[face]);
            TexQuad();
            const unsigned char* c = colours[face];
            EXPECT_EQ(Read(32, 32), (Pixel{c[0], c[1], c[2], 255}))
                << (cube == uploaded ? "uploaded" : "rendered") << " face " << face;
        }
}

TEST_F(D3D9Render, SurfaceCopiesStretchBetweenTargets) {
    Surface* source = Keep(device->CreateSurface(Size, Size, PixelFormatR8G8B8A8, 0));
    device->SetRenderTargets(1, &source, nullptr);
    device->Clear(ClearColor, 0, 1, 0, 1, 1, 0);
    Quad(-1, -1, 0, 1, 0, 1, 0, 0); // left half red
    device->SetRenderTargets(0, nullptr, nullptr);
    Texture2D* texture = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
    // Into the destination from the source's columns x to x + 32, expected at x 8 and 56 there.
    const std::tuple<Surface*, int, Pixel, Pixel> cases[] = {
        {device->GetBackBuffer(), 0, Red, Red},      // the red half stretched over the window
        {texture->GetSurface(0), 16, Red, Green},    // the middle
        {device->GetBackBuffer(), 32, Green, Green}, // the green half
    };
    for (const auto& [destination, x, left, right] : cases)
        for (FilterMode filter : {FilterNone, FilterPoint, FilterLinear}) {
            destination->Copy(source, x, 0, 32, Size, 0, 0, Size, Size, filter);
            EXPECT_EQ(Read(8, 32, destination), left) << x << " filter " << filter;
            EXPECT_EQ(Read(56, 32, destination), right) << x << " filter " << filter;
        }
}

TEST_F(D3D9Render, SeveralColourTargetsTakeTheirOwnOutputs) {
    Program* program = MakeProgram("void vsMain(float4 p : POSITION, out float4 op : POSITION) { op = p; }\n"
                                   "void psMain(out float4 a : COLOR0, out float4 b : COLOR1) {\n"
                                   "    a = float4(1, 0, 0, 1); b = float4(0, 0, 1, 1); }\n");
    Texture2D* first = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
    Texture2D* second = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
    Surface* targets[] = {first->GetSurface(0), second->GetSurface(0)};
    device->SetRenderTargets(2, targets, nullptr);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
    device->SetProgram(program);
    FullQuad(0, 0, 0);
    EXPECT_EQ(Read(32, 32, targets[0]), Red);
    EXPECT_EQ(Read(32, 32, targets[1]), Blue);
}

TEST_F(D3D9Render, OffscreenPicturesComeOutAsOpenGLDrawsThem) {
    // With the transform stack and the render-state holder listening, a counter-clockwise
    // triangle in the upper half of clip space, drawn into a texture with back faces culled,
    // must survive the culling and, sampled with OpenGL's texture coordinates, land in the
    // upper half again. Without the vertical flip it lands below; without the winding
    // inversion the flipped triangle is culled.
    Utils::State state(device);
    Utils::Transform transform(device);
    Program* program = ColorProgram("float4x4 WorldViewProjection;", "mul(WorldViewProjection, p)", "c");
    Texture2D* picture = Keep(device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true));
    Surface* depth = Keep(device->CreateSurface(Size, Size, PixelFormatDepth16, 0));
    Surface* surface = picture->GetSurface(0);
    device->SetRenderTargets(1, &surface, depth);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
    device->SetProgram(program);
    device->SetInputLayout(colorLayout);
    Draw({-1, 0.1f, 0, 1, 1, 0, 0, 1, 1, 0.1f, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1});
    device->SetRenderTargets(0, nullptr, nullptr);
    UseTextureProgram();
    PointSampling(picture);
    TexQuad();
    EXPECT_EQ(Read(32, 16), Red);
    EXPECT_EQ(Read(32, 48), Black);
}

// The first adapter whose description names "PerfHUD" (a performance-analysis driver); -1
// where there is none (as under Wine).
int AnalysisAdapter() {
    IDirect3D9* direct3D = D3D9Runtime::Get().Direct3DCreate9(D3D_SDK_VERSION);
    int found = -1;
    D3DADAPTER_IDENTIFIER9 identifier = {};
    for (UINT i = 0; i < direct3D->GetAdapterCount() && found < 0; ++i)
        if (SUCCEEDED(direct3D->GetAdapterIdentifier(i, 0, &identifier)) &&
            std::strstr(identifier.Description, "PerfHUD"))
            found = static_cast<int>(i);
    direct3D->Release();
    return found;
}

TEST(D3D9DeviceCreation, FlagsAndDepthFormats) {
    Win32Window* window = MakeTestWindow();
    // Bit 2 takes a performance-analysis adapter with the reference device where there is one,
    // else the default adapter with the hardware type.
    const int analysis = AnalysisAdapter();
    D3D9Device* device =
        D3D9Device::Create(window, Depth24Stencil8, 0, DeviceWaitForRetrace | DeviceAllowAnalysisAdapter);
    EXPECT_EQ(device->GetAdapter(), analysis < 0 ? 0u : UINT(analysis));
    EXPECT_EQ(device->UsesReferenceDevice(), analysis >= 0);
    EXPECT_TRUE(device->Present());
    device->Release();
    for (DepthStencilFormat format : {Depth16, Depth32Float}) {
        device = D3D9Device::Create(window, format, 0, 0);
        device->Clear(ClearColor | ClearDepth | ClearStencil, 0, 0, 0, 1, 1, 0);
        device->Release();
    }
    EXPECT_GRALITH_THROW(D3D9Device::Create(window, DepthStencilFormatReserved, 0, 0), M::D3D9DepthFormatUnsupported,
                         2);
    EXPECT_GRALITH_THROW(D3D9Device::Create(window, DepthStencilFormat(4), 0, 0), M::D3D9InvalidDepthFormat, 4);
    EXPECT_GRALITH_THROW(D3D9Device::Create(nullptr, Depth24Stencil8, 0, 0), M::NeedsWin32WindowD3D9, 6);
    window->Release();
}

bool DisplayHasMode(int width, int height) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        if (static_cast<int>(mode.dmPelsWidth) == width && static_cast<int>(mode.dmPelsHeight) == height)
            return true;
    return false;
}

TEST(D3D9DeviceCreation, FullscreenTakesTheWindowRectangleAndTheDisplay) {
    // The display's own size always works; Wine on a virtual X server has no other mode.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    Win32Window* window = new Win32Window(width, height, Utils::String("Gralith D3D9 fullscreen"), false);
    D3D9Device* device = D3D9Device::Create(window, Depth24Stencil8, 0, DeviceFullscreen | DeviceWaitForRetrace);
    EXPECT_TRUE(device->IsFullscreen());
    EXPECT_EQ(device->GetBackBuffer()->GetWidth(), width);
    EXPECT_EQ(device->GetBackBuffer()->GetHeight(), height);
    EXPECT_TRUE(device->Present());
    device->Release();
    window->Release();
    if (DisplayHasMode(640, 480))
        GTEST_SKIP() << "the display has 640 x 480, so no mode is missing to ask Direct3D for";
    window = new Win32Window(640, 480, Utils::String("Gralith D3D9 fullscreen"), false);
    EXPECT_GRALITH_THROW(D3D9Device::Create(window, Depth24Stencil8, 0, DeviceFullscreen), M::D3D9NotAvailable, 6);
    window->Release();
}

} // namespace

} // namespace Gralith::Graphics
