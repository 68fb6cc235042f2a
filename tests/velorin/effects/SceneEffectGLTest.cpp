// The scene effect on a real OpenGL context (headless EGL on llvmpipe): a generated data folder
// with tiny images, a box-shaped scene and the shipped shaders; frames read back by region.

#include "ImageEncoding.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/scenegraph/FSGWriter.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/effects/ImagePasses.h"
#include "velorin/effects/Particles.h"
#include "velorin/effects/Test01.h"

#include "tests/support/TempDirectory.h"
#include "tests/velorin/effects/BoxScene.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace Gralith::Graphics;
using Gralith::Utils::SceneGraph::FGMWriter;
using Gralith::Utils::SceneGraph::FSGWriter;
using Pixel = std::array<int, 3>;

constexpr int Width = 64;
constexpr int Height = 48;

std::string Png(int w, int h, bool alpha, const std::vector<unsigned>& samples) {
    GralithTest::PngImage image;
    image.width = w;
    image.height = h;
    image.colorType = alpha ? 6 : 2;
    image.samples = samples;
    auto bytes = GralithTest::EncodePng(image);
    return std::string(bytes.begin(), bytes.end());
}

std::string Plain(unsigned r, unsigned g, unsigned b) {
    std::vector<unsigned> s;
    for (int i = 0; i < 4; ++i)
        s.insert(s.end(), {r, g, b});
    return Png(2, 2, false, s);
}

// 8 x 8: an opaque 4 x 4 centre of one colour, transparent around it.
std::string Card(unsigned r, unsigned g, unsigned b) {
    std::vector<unsigned> s;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
            s.insert(s.end(), {r, g, b, inside ? 255u : 0u});
        }
    return Png(8, 8, true, s);
}

std::string Transparent() { return Png(2, 2, true, std::vector<unsigned>(16, 0)); }

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }


// One device, proxy and effect for the whole suite: the image passes keep their programs for
// the process, as the show does.
class SceneEffect : public ::testing::Test {
protected:
    static void WriteData(GralithTest::TempDirectory& data) {
        for (const char* shader : {"halcyra", "texture", "blur", "particles"}) {
            std::string name = std::string("shaders/") + shader + ".cg";
            data.Write(name, ReadText(std::string(GRALITH_TEST_SOURCE_DIR) + "/data/" + name));
        }
        data.Write("textures/white.png", Plain(255, 255, 255));
        data.Write("textures/shapes.png", Plain(255, 255, 255));
        data.Write("textures/varrow.png", Plain(0, 255, 0));
        data.Write("textures/logo.png", Card(255, 0, 0));
        data.Write("textures/logo_strek.png", Transparent());
        data.Write("textures/strek_blaa.png", Transparent());
        data.Write("textures/1.png", Card(0, 0, 255));
        data.Write("textures/2.png", Card(255, 255, 0));
        data.Write("textures/3.png", Card(255, 0, 255));
        data.Write("textures/4.png", Card(0, 255, 255));
        data.Write("textures/5.png", Card(255, 128, 0));
        data.Write("scenes/halcyra2.fsg", BoxScene());
    }

    static void SetUpTestSuite() {
        data = new GralithTest::TempDirectory;
        WriteData(*data);

        Velorin::ResolutionX = Width;
        Velorin::ResolutionY = Height;
        Velorin::Aspect = static_cast<float>(Width) / Height;
        Velorin::Tempo = 128.0f;
        device = EGLGLDevice::Create(Width, Height, Depth24Stencil8, 0, &MakeShading);
        Velorin::GraphicsDevice = device;
        Velorin::RenderState = new Gralith::Utils::State(device);
        Velorin::TransformStack = new Gralith::Utils::Transform(device);
        Velorin::GeometryStream = new Gralith::Utils::GeoStream(device, 100);
        Velorin::LinearClampSampler = device->CreateSamplerState(
            {FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressClamp, AddressClamp});
        auto* directory = new Gralith::Utils::Directory(data->Path().c_str());
        Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(directory, device, nullptr, Velorin::RenderState);
        directory->Release();
        effect = new Velorin::Test01;
        effect->Load();
    }

    static void TearDownTestSuite() {
        delete effect;
        device->SetProgram(nullptr);
        Velorin::LinearClampSampler->Release();
        Velorin::GeometryStream->Release();
        Velorin::TransformStack->Release();
        Velorin::RenderState->Release();
        Velorin::AssetProxy->Release();
        device->Release();
        Velorin::GraphicsDevice = nullptr;
        delete data;
    }

    void SetUp() override {
        Velorin::Spectrum[0] = 0.0f;
        Velorin::FrameDelta = 1.0 / 60.0;
        Velorin::Test01::CutTimer = 0.0f;
        Velorin::Test01::CutOffset = 0.0f;
    }

    static void RenderAt(double t) {
        Velorin::MusicTime = t;
        effect->Render();
        device->Present();
    }

    static Pixel At(int x, int y) {
        unsigned char rgba[4] = {};
        device->ReadSurface(device->GetBackBuffer(), x, y, 1, 1, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
    static Pixel Centre() { return At(Width / 2, Height / 2); }
    // Mean brightness of the four corner regions, outside every overlay card.
    static double Corners() {
        double sum = 0;
        int n = 0;
        for (int x : {2, 5, Width - 6, Width - 3})
            for (int y : {2, 5, Height - 6, Height - 3}) {
                Pixel p = At(x, y);
                sum += (p[0] + p[1] + p[2]) / 3.0;
                ++n;
            }
        return sum / n;
    }
    static int Brightest() {
        unsigned char rgba[Width * Height * 4];
        device->ReadSurface(device->GetBackBuffer(), 0, 0, Width, Height, rgba);
        int most = 0;
        for (int i = 0; i < Width * Height * 4; ++i)
            if (i % 4 != 3 && rgba[i] > most)
                most = rgba[i];
        return most;
    }

    static GralithTest::TempDirectory* data;
    static EGLGLDevice* device;
    static Velorin::Test01* effect;
};

GralithTest::TempDirectory* SceneEffect::data = nullptr;
EGLGLDevice* SceneEffect::device = nullptr;
Velorin::Test01* SceneEffect::effect = nullptr;

TEST_F(SceneEffect, WindowIsBlackAtTheStart) {
    RenderAt(0.0);
    EXPECT_LE(Brightest(), 1);
}

TEST_F(SceneEffect, GlowFollowsTheLowestSpectrumBand) {
    RenderAt(40.0);
    double quiet = Corners();
    Velorin::Spectrum[0] = 0.4f; // below the cut threshold: the camera stays put
    RenderAt(40.0);
    double loud = Corners();
    EXPECT_GT(loud, quiet + 10.0);
}

// One sprite in front of the camera, the others moved far behind it; seen from two sides it
// always faces the viewer.
TEST_F(SceneEffect, SpritesFaceTheCameraFromAnyDirection) {
    Velorin::Particles field(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < field.GetCount(); ++i)
        field.SetCentre(i, 5000.0f, 5000.0f, 5000.0f);
    field.SetCentre(0, 0.0f, 0.0f, 0.0f);
    field.SetCorners(0, 20.0f, 20.0f);
    field.Upload();
    auto* white = Velorin::AssetProxy->GetTexture("textures/white.png", nullptr);
    const float eyes[2][3] = {{0, -100, 0}, {100, 0, 30}};
    for (const auto& eye : eyes) {
        device->SetRenderTargets(0, nullptr, nullptr);
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        Velorin::TransformStack->Reset();
        Velorin::TransformStack->LookAt(eye[0], eye[1], eye[2], 0, 0, 0, 0, 0, 1);
        Velorin::TransformStack->Perspective(60.0f, Velorin::Aspect, 1.0f, 1000.0f);
        Velorin::RenderState->SetDefaults();
        Velorin::RenderState->DisableDepthTest();
        Velorin::RenderState->SetBlend(BlendOne, BlendOne);
        field.Draw(white);
        device->Present();
        EXPECT_GT(Centre()[2], 30) << eye[0];
        EXPECT_LE(At(1, 1)[2], 1) << eye[0];
    }
}

TEST_F(SceneEffect, BlendedQuadWithZeroColourLeavesTheWindowUnchanged) {
    device->SetRenderTargets(0, nullptr, nullptr);
    device->Clear(ClearColor, 0.2f, 0.4f, 0.6f, 1.0f, 1.0f, 0);
    auto* white = Velorin::AssetProxy->GetTexture("textures/white.png", nullptr);
    const float none[4] = {0, 0, 0, 0};
    Velorin::DrawTextureBlended(white, none);
    device->Present();
    Pixel p = Centre();
    EXPECT_NEAR(p[0], 51, 1);
    EXPECT_NEAR(p[1], 102, 1);
    EXPECT_NEAR(p[2], 153, 1);
}

TEST_F(SceneEffect, BlurSpreadsALineAndLeavesTheWindowBound) {
    Texture2D* a = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    Texture2D* b = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    // The card's opaque centre in a; its alpha shows where light is.
    auto* card = Velorin::AssetProxy->GetTexture("textures/1.png", nullptr);
    Velorin::CopyInto(card, a);
    EXPECT_EQ(device->GetColorTargetCount(), 0);

    auto read = [this](Texture2D* t, int x, int y) {
        unsigned char rgba[4] = {};
        device->ReadSurface(t->GetSurface(0), x, y, 1, 1, rgba);
        return static_cast<int>(rgba[3]);
    };
    int centreBefore = read(a, 16, 16);
    int edgeBefore = read(a, 6, 16);
    Velorin::Blur(0, 1.0f, a, b);
    EXPECT_EQ(read(a, 16, 16), centreBefore);
    EXPECT_EQ(read(a, 6, 16), edgeBefore);

    Velorin::Blur(1, 1.0f, a, b);
    EXPECT_EQ(device->GetColorTargetCount(), 0);
    EXPECT_GT(read(a, 6, 16), edgeBefore) << "light spreads out of the card";
    EXPECT_LE(read(a, 16, 16), centreBefore);
    b->Release();
    a->Release();
}

} // namespace
