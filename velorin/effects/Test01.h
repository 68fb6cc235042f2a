#pragma once

#include "gralith/Ref.h"
#include "velorin/Effect.h"
#include "velorin/ResourceHandle.h"
#include "velorin/effects/ShowTimeline.h"

namespace Gralith::Graphics {
class Program;
class Texture;
class Texture2D;
class Surface;
} // namespace Gralith::Graphics
namespace Gralith::Utils::Assets {
class Scene;
}

namespace Velorin {

class Particles;

/// The show's scene effect (script class "test01"): a 3D scene with a music-driven camera and
/// a particle field rendered off screen, a blurred glow of it, beat flashes, and logo and title
/// overlays at fixed music times. At the show's end time it ends the presentation.
class Test01 : public Effect {
public:
    Test01();
    /// The show never destroys its effects; tests do, and get the targets back.
    ~Test01() override;

    /// Builds the particle field, loads the programs, the scene and the textures, and creates
    /// the off-screen targets for the window size.
    void Load() override;
    /// One frame of the show at MusicTime; the window is bound when it returns.
    void Render() override;

    /// Draws the scene graph with the node animations at time (depth-first, pre-order).
    void DrawScene(float time);

    /// The sprite field; null before Load.
    const Particles* GetParticles() const { return particles; }

    /// The passes of a frame, in drawing order.
    enum Pass { PassScene, PassParticles, PassCopy, PassBlur, PassComposite, PassOverlays, PassCount };
    /// Called after each pass when set (profiling tools time the passes with it); null in the show.
    static void (*PassDone)(Pass pass);

    /// The camera's cuts, shared by every instance like the music is.
    static ShowTimeline::CutTrack Cuts;

private:
    void DrawScenePass(float t);
    void DrawOverlays(float t);

    ResourceHandle<Gralith::Graphics::Program> program;
    ResourceHandle<Gralith::Utils::Assets::Scene> scene;
    Gralith::Ref<Gralith::Graphics::Texture2D> blurA;
    Gralith::Ref<Gralith::Graphics::Texture2D> blurB;
    Gralith::Ref<Gralith::Graphics::Texture2D> sceneTarget;
    Gralith::Graphics::Surface* sceneSurface = nullptr;
    Gralith::Ref<Gralith::Graphics::Surface> sceneDepth;
    Particles* particles = nullptr;
    ResourceHandle<Gralith::Graphics::Texture> shapes;
    ResourceHandle<Gralith::Graphics::Texture> logo;
    ResourceHandle<Gralith::Graphics::Texture> logoGlow;
    ResourceHandle<Gralith::Graphics::Texture> makerLogo;
    ResourceHandle<Gralith::Graphics::Texture> titleGlow;
    ResourceHandle<Gralith::Graphics::Texture> titles[5];
    ResourceHandle<Gralith::Graphics::Texture> white;
    float glowBoost = 1.0f;
};

} // namespace Velorin
