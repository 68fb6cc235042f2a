#pragma once

namespace Gralith {
class Window;
}
namespace Gralith::Graphics {
class Device;
class SamplerState;
} // namespace Gralith::Graphics
namespace Gralith::Sound {
class Device;
class MusicStream;
} // namespace Gralith::Sound
namespace Gralith::Utils {
class State;
class Transform;
class GeoStream;
} // namespace Gralith::Utils
namespace Gralith::Utils::Assets {
class Proxy;
}

namespace Velorin {

struct Framebuffer;

/// Process-wide values of the presentation. Start-up creates the objects once and never
/// destroys them; the script reader, the timeline and the effects read them. The three frame
/// values change only at the top of each frame and are constant while the timeline runs.

extern Gralith::Window* MainWindow;
extern Gralith::Graphics::Device* GraphicsDevice;
/// Handed to the asset proxy for its sound loaders.
extern Gralith::Sound::Device* SoundDevice;
extern Gralith::Utils::State* RenderState;
extern Gralith::Utils::Transform* TransformStack;
extern Gralith::Utils::GeoStream* GeometryStream;
/// The asset cache rooted at the data directory.
extern Gralith::Utils::Assets::Proxy* AssetProxy;
/// Linear magnification and minification, no mipmaps, clamped in U, V and W.
extern Gralith::Graphics::SamplerState* LinearClampSampler;
/// The framebuffer named "Backbuffer": the window's colour buffer with its own depth buffer.
extern Framebuffer* BackbufferFramebuffer;

/// The presentation time of the current frame in seconds: the music's playback position.
extern double MusicTime;
/// Seconds since the previous frame.
extern double FrameDelta;
/// Number of spectrum magnitudes, lowest frequency first.
constexpr int SpectrumSize = 256;
/// The music's frequency magnitudes at the current position; all 0 while no music plays.
extern float Spectrum[SpectrumSize];
/// The decoded music, for effects whose picture would otherwise depend on the frames before: they
/// read the music at any time through it, so every moment looks the same however it is reached.
/// Null without music.
extern const Gralith::Sound::MusicStream* DecodedMusic;
/// Beats per minute: 128 while music plays, 0 otherwise.
extern float Tempo;

} // namespace Velorin
