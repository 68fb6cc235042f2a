#include "velorin/render/OfflineRenderer.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/gl/CgShading.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"

#include <algorithm>
#include <filesystem>

namespace Velorin {

namespace {

bool ended = false;

void StopAfterThisFrame() { ended = true; }

// Sound assets still load and mix into buffers; nothing plays them.
Gralith::Sound::Device* CreateMutedSoundDevice() {
    return new Gralith::Sound::SDLSoundDevice(Gralith::Sound::SDLSoundDevice::OutputNone);
}

} // namespace

OfflineRenderer::OfflineRenderer(const std::string& dataDirectory, int width, int height, float aspect)
    : width(width), height(height) {
    ResolutionX = width;
    ResolutionY = height;
    Aspect = aspect;
    Fullscreen = false;
    PlayMusic = true;
    // Every frame is drawn as in a show whose music plays.
    Tempo = MusicTempo;
    ended = false;
    SetEndPresentationHandler(&StopAfterThisFrame);

    device = Gralith::Graphics::EGLGLDevice::Create(width, height, Gralith::Graphics::Depth24Stencil8, 0,
                                                    &Gralith::Graphics::CreateCgShading);
    GraphicsDevice = device;
    std::string root = dataDirectory;
    if (root.empty() || root.back() != '/')
        root += '/';
    CreatePresentationObjects(root.c_str(), &CreateMutedSoundDevice);

    std::string path = root + "music/music.ogg";
    if (!std::filesystem::exists(path)) {
        musicProblem = "File not found: " + path;
        return;
    }
    music = new Gralith::Sound::MusicStream(nullptr);
    try {
        music->Open(path.c_str());
        musicPath = path;
        DecodedMusic = music;
    } catch (const Gralith::Exception& e) {
        musicProblem = e.GetMessage();
        music->Release();
        music = nullptr;
    }
}

OfflineRenderer::~OfflineRenderer() {
    if (DecodedMusic == music)
        DecodedMusic = nullptr;
    if (music)
        music->Release();
}

double OfflineRenderer::GetMusicLength() const {
    return music ? Gralith::Sound::MusicStream::BytesToSeconds(music->GetLength()) : -1.0;
}

bool OfflineRenderer::Render(double time, double delta) {
    if (ended)
        return false;
    if (music) {
        // A played stream stops at its end and stays there.
        int64_t bytes = std::min(Gralith::Sound::MusicStream::SecondsToBytes(std::max(time, 0.0)), music->GetLength());
        MusicTime = std::min(time, GetMusicLength());
        if (time >= 0.0)
            music->GetSpectrumAt(bytes, Spectrum);
        else
            std::fill(Spectrum, Spectrum + SpectrumSize, 0.0f);
    } else {
        MusicTime = time;
    }
    FrameDelta = delta;
    RunTimeline(MusicTime);
    if (ended)
        return false;
    device->Present();
    return true;
}

const std::vector<std::uint8_t>& OfflineRenderer::ReadFrame() {
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    device->ReadSurface(device->GetBackBuffer(), 0, 0, width, height, pixels.data());
    return pixels;
}

} // namespace Velorin
