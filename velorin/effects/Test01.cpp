#include "velorin/effects/Test01.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Matrix4.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "velorin/Globals.h"
#include "velorin/Messages.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/effects/ImagePasses.h"
#include "velorin/effects/Motion.h"
#include "velorin/effects/Particles.h"
#include "velorin/effects/ShowTimeline.h"

#include <algorithm>
#include <cmath>

namespace Velorin {

using namespace Gralith::Graphics;
using Gralith::Utils::Matrix4;
using Gralith::Utils::Vector4t;
using Gralith::Utils::SceneGraph::Batch;
using Gralith::Utils::SceneGraph::Material;
using Gralith::Utils::SceneGraph::Node;

void (*Test01::PassDone)(Test01::Pass) = nullptr;
ShowTimeline::CutTrack Test01::Cuts;

namespace {

constexpr int GlowSize = 256;

// The camera's cut offset at MusicTime, from the decoded music's lowest band; without music
// nothing is loud enough to cut.
float CutOffset() {
    const Gralith::Sound::MusicStream* music = DecodedMusic;
    if (!music)
        return Test01::Cuts.OffsetAt(-1.0, [](double) { return 0.0f; });
    return Test01::Cuts.OffsetAt(MusicTime, [music](double seconds) {
        float magnitudes[SpectrumSize];
        int64_t bytes = std::min(Gralith::Sound::MusicStream::SecondsToBytes(seconds), music->GetLength());
        music->GetSpectrumAt(bytes, magnitudes);
        return magnitudes[0];
    });
}

void Done(Test01::Pass pass) {
    if (Test01::PassDone)
        Test01::PassDone(pass);
}

Vector4t<float> Scaled(Vector4t<float> v, float length) {
    float norm = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    float k = norm > 0.0f ? length / norm : 0.0f;
    return {v.x * k, v.y * k, v.z * k, 0.0f};
}

void SetFloat3(Program* program, const char* name, float x, float y, float z) {
    const float value[3] = {x, y, z};
    program->GetParameter(name)->SetFloat3(1, value);
}

void Grey(float out[4], float rgb, float a) {
    out[0] = out[1] = out[2] = rgb;
    out[3] = a;
}

} // namespace

Test01::Test01() = default;

Test01::~Test01() { delete particles; }

void Test01::Load() {
    particles = new Particles(400.0f, 400.0f, 400.0f);
    for (int i = 0; i < particles->GetCount(); ++i) {
        int k = ShowRandom() % 4;
        particles->SetCorners(i, 20.0f, 20.0f);
        particles->SetTexCoords(i, static_cast<float>(k) / 4.0f, static_cast<float>(k + 1) / 4.0f);
    }
    particles->Upload();

    program = ResourceHandle<Program>("shaders/halcyra.cg");
    scene = ResourceHandle<Gralith::Utils::Assets::Scene>("halcyra2.fsg{scenes}");
    shapes = ResourceHandle<Texture>("textures/shapes.png");

    blurA.Adopt(GraphicsDevice->CreateTexture2D(GlowSize, GlowSize, PixelFormatR8G8B8A8, true));
    blurB.Adopt(GraphicsDevice->CreateTexture2D(GlowSize, GlowSize, PixelFormatR8G8B8A8, true));
    sceneTarget.Adopt(GraphicsDevice->CreateTexture2D(ResolutionX, ResolutionY, PixelFormatR8G8B8A8, true));
    if (!sceneTarget)
        throw Gralith::Exception(Messages::ResourceNotSet);
    sceneSurface = sceneTarget->GetSurface(0);
    sceneDepth.Adopt(GraphicsDevice->CreateSurface(ResolutionX, ResolutionY, PixelFormatDepth16, 0));

    logo = ResourceHandle<Texture>("textures/logo.png");
    logoGlow = ResourceHandle<Texture>("textures/logo_strek.png");
    makerLogo = ResourceHandle<Texture>("textures/varrow.png");
    titleGlow = ResourceHandle<Texture>("textures/strek_blaa.png");
    const char* const titleNames[5] = {"textures/1.png", "textures/2.png", "textures/3.png", "textures/4.png",
                                       "textures/5.png"};
    for (int i = 0; i < 5; ++i)
        titles[i] = ResourceHandle<Texture>(titleNames[i]);
    white = ResourceHandle<Texture>("textures/white.png");
}

void Test01::Render() {
    const float t = static_cast<float>(MusicTime);
    // Ending first: the interactive show exits at once, and the offline renderer drops the
    // frame, so nothing drawn now would ever be seen.
    if (t >= ShowTimeline::EndTime) {
        EndPresentation();
        return;
    }

    GraphicsDevice->SetRenderTargets(1, &sceneSurface, sceneDepth.Get());
    GraphicsDevice->Clear(ClearColor | ClearDepth, 0.01f, 0.01f, 0.012f, 1.0f, 1.0f, 0);
    DrawScenePass(t);
    GraphicsDevice->SetRenderTargets(0, nullptr, nullptr);

    CopyInto(sceneTarget.Get(), blurA.Get());
    Done(PassCopy);
    Blur(1, 0.5f, blurA.Get(), blurB.Get());
    Done(PassBlur);

    GraphicsDevice->Clear(ClearColor | ClearDepth, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0);
    const float f = ShowTimeline::Fade(t);
    float colour[4];
    Grey(colour, f, f);
    DrawTextureBlended(sceneTarget.Get(), colour);

    const float g = 0.5f + 8.0f * glowBoost * Spectrum[0];
    Grey(colour, 2.5f * g * f, g * f);
    DrawTextureAdditive(blurA.Get(), colour);

    // Adding black changes nothing: most frames have no flash and skip the full-screen pass.
    const float p = ShowTimeline::Flash(t);
    if (p > 0.0f) {
        Grey(colour, p, 1.0f);
        DrawTextureAdditive(white.Get(), colour);
    }
    Done(PassComposite);

    DrawOverlays(t);
    Done(PassOverlays);
}

void Test01::DrawOverlays(float t) {
    const ShowTimeline::OverlayLayers layers = ShowTimeline::SelectOverlay(t);
    float colour[4];
    switch (layers.kind) {
    case ShowTimeline::Overlay::Intro:
        // Between the logo's fade-out and the party logo it would add nothing.
        if (layers.imageColor > 0.0f)
            DrawIntroZoom(makerLogo.Get());
        break;
    case ShowTimeline::Overlay::Logo:
        Grey(colour, layers.streakColor, layers.streakColor);
        DrawTextureBlended(logoGlow.Get(), colour);
        Grey(colour, layers.imageColor, layers.imageColor);
        DrawTextureBlended(logo.Get(), colour);
        break;
    case ShowTimeline::Overlay::Title:
        Grey(colour, layers.streakColor, layers.streakColor);
        DrawTextureBlended(titleGlow.Get(), colour);
        Grey(colour, layers.imageColor, layers.imageColor);
        DrawTextureBlended(titles[layers.title - 1].Get(), colour);
        break;
    case ShowTimeline::Overlay::None:
    case ShowTimeline::Overlay::Ended: break;
    }
}

void Test01::DrawScenePass(float t) {
    const float warped = t + CutOffset();
    const bool intro = t < ShowTimeline::DropTime;
    glowBoost = ShowTimeline::GlowBoost(t);

    Program* shader = program.Get();
    GraphicsDevice->SetProgram(shader);
    RenderState->SetDepthTest(Less);

    const Vector4t<float> eye =
        intro ? Scaled(NoiseVector(1, 0.45f * warped), 120.0f) : Scaled(NoiseVector(1, 0.2f * warped), 180.0f);
    Vector4t<float> target = Scaled(
        {SmoothNoise(5, 0.2f * warped), SmoothNoise(1372, 0.2f * warped), SmoothNoise(3446, 0.2f * warped), 0.0f},
        70.0f);
    target.z += 50.0f;

    TransformStack->Reset();
    TransformStack->LookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0f, 0.0f, 1.0f);
    TransformStack->Perspective(120.0f + 55.0f * Pulse(t, ShowTimeline::DropTime, 0.0f, 1.5f, 4.0f), Aspect, 1.0f,
                                1000.0f);
    SetFloat3(shader, "CameraPosition", eye.x, eye.y, eye.z);

    if (intro) {
        SetFloat3(shader, "light1Color", 0.559f - 0.05f * t, 0.549f - 0.05f * t, 0.548f - 0.05f * t);
        SetFloat3(shader, "light2Color", 0.1f, 0.1f, 0.1f);
        SetFloat3(shader, "light3Color", 0.21f, 0.25f, 0.3f);
        DrawScene(SmoothNoise(12, 0.4f * warped) + 1.0f);
    } else {
        SetFloat3(shader, "light1Color", 0.55f, 0.49f, 0.48f);
        SetFloat3(shader, "light2Color", 0.38f, 0.34f, 0.45f);
        SetFloat3(shader, "light3Color", 0.63f, 0.2f, 0.15f);
        DrawScene(SmoothNoise(212, 0.4f * warped) * 6.0f + 3.0f);
    }
    Done(PassScene);

    RenderState->SetDepthWrite(false);
    RenderState->SetBlend(BlendOne, BlendOne);
    particles->Draw(shapes.Get());
    RenderState->SetDepthWrite(true);
    RenderState->DisableBlend();
    Done(PassParticles);
}

void Test01::DrawScene(float time) {
    Node* root = scene->GetRoot();
    Program* shader = program.Get();
    const Matrix4 identity;
    if (!root)
        return;

    // The one allocation of a frame: the traversal stack, room for 100 nodes and growing as
    // every Array does.
    Gralith::Utils::Array<Node*> stack;
    stack.Reserve(100);
    if (Node* first = root->GetFirstChild())
        stack.Add(first);
    while (stack.Count() > 0) {
        Node* node = stack.Pop();
        if (Node* next = node->GetNextSibling())
            stack.Add(next);
        if (Node* child = node->GetFirstChild())
            stack.Add(child);
        Node* parent = node->GetParent();
        node->Update(time, parent && parent != root ? parent->GetWorld() : identity);

        for (const Batch& batch : node->GetBatches()) {
            TransformStack->PushWorld();
            TransformStack->SetWorld(TransformStack->GetWorld() * node->GetWorld());
            if (batch.material) {
                if (Texture* diffuse = batch.material->GetTexture(Material::Diffuse))
                    shader->GetParameter("DiffuseMap")->SetSampler(diffuse);
            }
            if (batch.geometry)
                batch.geometry->Draw();
            TransformStack->PopWorld();
        }
    }
}

} // namespace Velorin
