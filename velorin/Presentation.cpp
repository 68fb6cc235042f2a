#include "velorin/Presentation.h"

#include "gralith/Exception.h"
#include "gralith/Platform.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Surface.h"
#include "gralith/input/Context.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/Keyboard.h"
#include "gralith/input/Mouse.h"
#include "gralith/sound/Device.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/State.h"
#include "gralith/utils/Timer.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "gralith/window/Window.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Messages.h"
#include "velorin/Script.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"
#include "velorin/effects/Motion.h"

namespace Velorin {

Gralith::Graphics::Surface* DepthSurface = nullptr;
Gralith::Graphics::Surface* MultisampledDepthSurface = nullptr;
Gralith::Input::Context* InputContext = nullptr;
Gralith::Utils::Timer* FrameTimer = nullptr;

namespace {

Gralith::Sound::MusicStream* musicStream = nullptr;
void (*messageBoxHandler)(const char*, const char*) = nullptr;

Gralith::Sound::Device* CreateSoundDevice() { return Gralith::Platform::CreateSoundDevice(MainWindow); }

// Opening the music stands for starting the audio library and creating its stream: a sound
// device is all the first needs, a decodable file the second.
void OpenMusic() {
    Tempo = MusicTempo;
    if (!SoundDevice) {
        ShowMessageBox(MusicMessages::InitFailed, MusicMessages::Caption);
        return;
    }
    musicStream = new Gralith::Sound::MusicStream(SoundDevice);
    try {
        musicStream->Open(MusicPath);
        DecodedMusic = musicStream;
    } catch (const Gralith::Exception&) {
        ShowMessageBox(MusicMessages::FileNotFound, MusicMessages::Caption);
    }
}

} // namespace

void SetMessageBoxHandler(void (*handler)(const char*, const char*)) { messageBoxHandler = handler; }

void ShowMessageBox(const char* text, const char* caption) {
    if (messageBoxHandler) {
        messageBoxHandler(text, caption);
        return;
    }
    Gralith::Platform::ShowMessageBox(MainWindow, text, caption);
}

Gralith::Sound::MusicStream* GetMusicStream() { return musicStream; }

void StartMusic(double seconds) {
    try {
        if (!musicStream)
            throw Gralith::Exception(Messages::NoMusicStream);
        musicStream->Play();
    } catch (const Gralith::Exception&) {
        ShowMessageBox(MusicMessages::CannotPlay, MusicMessages::Caption);
    }
    if (musicStream && musicStream->IsOpen())
        musicStream->SetPosition(Gralith::Sound::MusicStream::SecondsToBytes(seconds));
}

void CreatePresentationObjects(const char* dataDirectory, Gralith::Sound::Device* (*createSoundDevice)()) {
    using namespace Gralith::Graphics;
    BackbufferFramebuffer = new Framebuffer{GraphicsDevice->GetBackBuffer(), nullptr, "Backbuffer"};
    Framebuffers.Add(BackbufferFramebuffer);

    // Nothing draws into these; they are made for what making them checks (the sample count).
    DepthSurface = GraphicsDevice->CreateSurface(ResolutionX, ResolutionY, PixelFormatDepth16, 0);
    if (Multisamples > 0)
        MultisampledDepthSurface =
            GraphicsDevice->CreateSurface(ResolutionX, ResolutionY, PixelFormatDepth16, Multisamples);

    SamplerStateDesc sampler{FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressClamp, AddressClamp};
    LinearClampSampler = GraphicsDevice->CreateSamplerState(sampler);

    SoundDevice = createSoundDevice ? createSoundDevice() : nullptr;
    auto* directory = new Gralith::Utils::Directory(dataDirectory);
    RenderState = new Gralith::Utils::State(GraphicsDevice);
    TransformStack = new Gralith::Utils::Transform(GraphicsDevice);
    GeometryStream = new Gralith::Utils::GeoStream(GraphicsDevice, 100);
    AssetProxy = new Gralith::Utils::Assets::Proxy(directory, GraphicsDevice, SoundDevice, RenderState);
    directory->Release(); // the proxy holds it

    LoadShowScript();
}

void LoadShowScript() {
    // The effects draw their random shapes (the particle field) while loading: from the
    // generator's start value every reading of the script makes the same ones.
    SeedShowRandom(1);
    LoadScript("demo.xml");
}

void RunPresentation() {
    Gralith::Window* window = Gralith::Platform::OpenWindow(ResolutionX, ResolutionY, WindowTitle, !Fullscreen);
    MainWindow = window;
    InputContext = Gralith::Platform::CreateInputContext(window);
    Gralith::Input::Keyboard* keyboard = InputContext->GetKeyboard();
    Gralith::Input::Mouse* mouse = InputContext->GetMouse();

    // The configuration dialog offers no other driver values; the factory rejects them.
    int flags = Fullscreen ? 1 : 0;
    if (GraphicsDriver == Gralith::Graphics::GraphicsDriverDirect3D9)
        flags |= 2;
    GraphicsDevice =
        Gralith::Graphics::CreateDevice(GraphicsDriver, window, Gralith::Graphics::Depth24Stencil8, 0, flags);

    CreatePresentationObjects(DataDirectory, &CreateSoundDevice);

    if (PlayMusic) {
        OpenMusic();
        StartMusic(0.0);
    }
    mouse->HideCursor();
    FrameTimer = new Gralith::Utils::Timer();

    bool running = true;
    ClearEndOfPresentation();
    for (;;) {
        if (musicStream && musicStream->IsOpen()) {
            musicStream->GetSpectrum(Spectrum);
            MusicTime = musicStream->GetPositionSeconds();
        } else {
            // What a failed stream query answers: nothing becomes active, the spectrum stays.
            MusicTime = -1.0;
        }
        FrameDelta = FrameTimer->GetDelta();

        Gralith::Input::KeyboardEvent event;
        while (keyboard->HasNextEvent()) {
            keyboard->GetNextEvent(event);
            if (event.keyCode == Gralith::Input::KeyEscape && event.state == Gralith::Input::KeyPressed)
                running = false;
        }

        RunTimeline(MusicTime);
        if (EndOfPresentationRequested())
            break;

        if (!GraphicsDevice->Present() || !running)
            break;
    }
    mouse->ShowCursor();
    ReleasePresentationObjects();
}

namespace {
template <class T>
void ReleaseGlobal(T*& object) {
    if (object)
        object->Release();
    object = nullptr;
}
} // namespace

void ReleasePresentationObjects() {
    // The script's effects hold assets and device objects: they go first, the device and the
    // window last.
    ResetTimeline();
    DecodedMusic = nullptr;
    ReleaseGlobal(musicStream);
    ReleaseGlobal(AssetProxy);
    ReleaseGlobal(GeometryStream);
    ReleaseGlobal(TransformStack);
    ReleaseGlobal(RenderState);
    ReleaseGlobal(LinearClampSampler);
    ReleaseGlobal(MultisampledDepthSurface);
    ReleaseGlobal(DepthSurface);
    delete BackbufferFramebuffer;
    BackbufferFramebuffer = nullptr;
    ReleaseGlobal(FrameTimer);
    ReleaseGlobal(SoundDevice);
    ReleaseGlobal(GraphicsDevice);
    ReleaseGlobal(InputContext);
    ReleaseGlobal(MainWindow);
}

} // namespace Velorin
