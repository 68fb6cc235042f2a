#include "velorin/Globals.h"

namespace Velorin {

Gralith::Window* MainWindow = nullptr;
Gralith::Graphics::Device* GraphicsDevice = nullptr;
Gralith::Sound::Device* SoundDevice = nullptr;
Gralith::Utils::State* RenderState = nullptr;
Gralith::Utils::Transform* TransformStack = nullptr;
Gralith::Utils::GeoStream* GeometryStream = nullptr;
Gralith::Utils::Assets::Proxy* AssetProxy = nullptr;
Gralith::Graphics::SamplerState* LinearClampSampler = nullptr;
Framebuffer* BackbufferFramebuffer = nullptr;

double MusicTime = 0.0;
double FrameDelta = 0.0;
float Spectrum[SpectrumSize] = {};
float Tempo = 0.0f;
const Gralith::Sound::MusicStream* DecodedMusic = nullptr;

} // namespace Velorin
