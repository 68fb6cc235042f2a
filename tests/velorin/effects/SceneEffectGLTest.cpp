// The scene effect's passes on a real OpenGL context (headless EGL on llvmpipe), read back, on a
// generated data folder with tiny images, a box-shaped scene and the shipped shaders. The
// timeline's blocks are drawn for real by halcyra-render's tests.

#include "tests/support/ImageEncoding.h"

#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "velorin/Globals.h"
#include "velorin/Settings.h"
#include "velorin/effects/ImagePasses.h"
#include "velorin/effects/Particles.h"
#include "velorin/effects/Test01.h"

#include "tests/support/Readback.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/effects/BoxScene.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

namespace {

using namespace Gralith::Graphics;

constexpr int Width = 64;
constexpr int Height = 48;

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

// One device, proxy and effect for the whole suite: the image passes keep their programs for
// the process, as the show does.
class SceneEffect : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data = new GralithTest::TempDirectory;
        std::filesystem::create_directory(*data / "shaders");
        for (const char* shader : {"halcyra.cg", "texture.cg", "blur.cg", "particles.cg"})
            std::filesystem::copy_file(std::string(GRALITH_TEST_SOURCE_DIR "/data/shaders/") + shader,
                                       *data / (std::string("shaders/") + shader));
        auto white = [](int, int) { return std::array<unsigned, 4>{255, 255, 255, 255}; };
        auto clear = [](int, int) { return std::array<unsigned, 4>{0, 0, 0, 0}; };
        for (const char* name : {"white", "shapes"})
            data->Write(std::string("textures/") + name + ".png", GralithTest::RgbaPng(2, 2, white));
        for (const char* name : {"varrow", "logo", "logo_strek", "strek_blaa", "2", "3", "4", "5"})
            data->Write(std::string("textures/") + name + ".png", GralithTest::RgbaPng(2, 2, clear));
        // 8 x 8: an opaque blue 4 x 4 centre, transparent around it.
        data->Write("textures/1.png", GralithTest::RgbaPng(8, 8, [](int x, int y) {
                        unsigned inside = x >= 2 && x < 6 && y >= 2 && y < 6 ? 255 : 0;
                        return std::array<unsigned, 4>{0, 0, 255, inside};
                    }));
        data->Write("scenes/halcyra2.fsg", BoxScene());

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

    static GralithTest::Pixel At(int x, int y, Surface* surface = nullptr) {
        return GralithTest::ReadPixel(device, x, y, surface);
    }
    // Mean brightness of the four corner regions, outside every overlay card.
    static double Corners() {
        double sum = 0;
        for (int x : {2, 5, Width - 6, Width - 3})
            for (int y : {2, 5, Height - 6, Height - 3}) {
                GralithTest::Pixel p = At(x, y);
                sum += (p[0] + p[1] + p[2]) / 3.0;
            }
        return sum / 16;
    }

    static inline GralithTest::TempDirectory* data = nullptr;
    static inline EGLGLDevice* device = nullptr;
    static inline Velorin::Test01* effect = nullptr;
};

TEST_F(SceneEffect, GlowFollowsTheLowestSpectrumBand) {
    Velorin::FrameDelta = 1.0 / 60.0;
    Velorin::MusicTime = 40.0;
    Velorin::Spectrum[0] = 0.0f;
    effect->Render();
    double quiet = Corners();
    Velorin::Spectrum[0] = 0.4f; // below the cut threshold: the camera stays put
    effect->Render();
    EXPECT_GT(Corners(), quiet + 10.0);
    EXPECT_EQ(0, device->GetColorTargetCount()) << "the frame leaves the window bound";
    Velorin::Spectrum[0] = 0.0f;
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
        EXPECT_GT(At(Width / 2, Height / 2)[2], 30) << eye[0];
        EXPECT_LE(At(1, 1)[2], 1) << eye[0];
    }
}

TEST_F(SceneEffect, BlurSpreadsLightAndLeavesTheWindowBound) {
    Texture2D* a = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    Texture2D* b = device->CreateTexture2D(32, 32, PixelFormatR8G8B8A8, true);
    // The card's opaque centre in a; its alpha shows where light is.
    Velorin::CopyInto(Velorin::AssetProxy->GetTexture("textures/1.png", nullptr), a);
    auto alpha = [&](int x, int y) { return At(x, y, a->GetSurface(0))[3]; };
    int centre = alpha(16, 16), edge = alpha(6, 16);
    Velorin::Blur(0, 1.0f, a, b);
    EXPECT_EQ(edge, alpha(6, 16)) << "no passes, no change";
    Velorin::Blur(1, 1.0f, a, b);
    EXPECT_EQ(0, device->GetColorTargetCount());
    EXPECT_GT(alpha(6, 16), edge) << "light spreads out of the card";
    EXPECT_LE(alpha(16, 16), centre);
    b->Release();
    a->Release();
}

} // namespace
