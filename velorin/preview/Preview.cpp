#include "velorin/preview/Preview.h"

#include "gralith/Exception.h"
#include "gralith/Platform.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/DeviceFactory.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/input/Context.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/Keyboard.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/State.h"
#include "gralith/utils/Timer.h"
#include "gralith/utils/assets/Font.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/scenegraph/Matrix4.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "gralith/window/Window.h"
#include "velorin/Effect.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"
#include "velorin/effects/ShowTimeline.h"
#include "velorin/preview/Controls.h"
#include "velorin/preview/FileWatcher.h"
#include "velorin/preview/Reload.h"
#include "velorin/preview/Transport.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace Velorin::Preview {

namespace {

using Gralith::Sound::MusicStream;

constexpr const char* PreviewTitle = "Halcyra preview";
// How often the data folder is scanned for changes, in seconds.
constexpr double WatchInterval = 0.25;
// The music is put back on the picture's time when they drift further apart than this.
constexpr double MusicTolerance = 0.05;

// The status line's text: white coverage from the font atlas, tinted.
constexpr const char* TextShader = R"(
sampler2D DiffuseMap;
float4 Color;
float4x4 WorldViewProjection;
struct VertexOutput { float4 position : POSITION; float2 uv : TEXCOORD0; };
VertexOutput vsMain(float4 position : POSITION, float4 uv : TEXCOORD0)
{
    VertexOutput o;
    o.position = mul(WorldViewProjection, position);
    o.uv = uv.xy;
    return o;
}
float4 psMain(float2 uv : TEXCOORD0) : COLOR
{
    return float4(Color.rgb, Color.a * tex2D(DiffuseMap, uv).a);
}
)";

std::string DefaultFontPath() {
#ifdef _WIN32
    return "C:/Windows/Fonts/consola.ttf";
#else
    return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
#endif
}

double Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The status line's font and program. Both are optional: without them the line goes to the
// window's title.
class StatusLine {
public:
    explicit StatusLine(const std::string& fontPath) {
        try {
            std::filesystem::path path(fontPath.empty() ? DefaultFontPath() : fontPath);
            auto* directory = new Gralith::Utils::Directory(path.parent_path().string().c_str());
            proxy = new Gralith::Utils::Assets::Proxy(directory, GraphicsDevice, nullptr, RenderState);
            directory->Release();
            std::string descriptor = path.filename().string() + ":" + std::to_string(PixelSize);
            font = dynamic_cast<Gralith::Utils::Assets::Font*>(
                proxy->Get(Gralith::Utils::Assets::AssetFont, descriptor.c_str(), nullptr));
            using namespace Gralith::Graphics;
            Shader* vs = GraphicsDevice->CreateShader(VertexShader, 0, "vsMain", 0, TextShader);
            Shader* ps = GraphicsDevice->CreateShader(PixelShader, 0, "psMain", 0, TextShader);
            program = GraphicsDevice->CreateProgram(vs, ps);
            vs->Release();
            ps->Release();
        } catch (const Gralith::Exception& e) {
            std::printf("preview: no status font (%s); the status goes to the window title\n", e.GetMessage());
            font = nullptr;
        }
    }
    ~StatusLine() {
        if (program)
            program->Release();
        if (proxy)
            proxy->Release();
    }
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    bool CanDraw() const { return font && program; }

    // Lines from the top left, each with a dark shadow so it reads on any picture.
    void Draw(const std::string& text, const float colour[4], int line) {
        using namespace Gralith::Graphics;
        float width = static_cast<float>(ResolutionX), height = static_cast<float>(ResolutionY);
        GraphicsDevice->SetRenderTargets(0, nullptr, nullptr);
        GraphicsDevice->SetProgram(program);
        program->GetParameter("DiffuseMap")->SetSampler(font->GetTexture(), LinearClampSampler);
        RenderState->SetDefaults();
        RenderState->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
        RenderState->DisableDepthTest();
        TransformStack->Reset();
        // Pixels, y up, onto clip space.
        TransformStack->SetWorld(Gralith::Utils::Matrix4::Translation(-1.0f, -1.0f, 0.0f) *
                                 Gralith::Utils::Matrix4::Scaling(2.0f / width, 2.0f / height, 1.0f));
        float x = 8.0f, y = height - 8.0f - PixelSize * static_cast<float>(line + 1);
        const float shadow[4] = {0.0f, 0.0f, 0.0f, 0.8f};
        program->GetParameter("Color")->SetFloat4(1, shadow);
        font->DrawText(text.c_str(), x + 1.0f, y - 1.0f);
        program->GetParameter("Color")->SetFloat4(1, colour);
        font->DrawText(text.c_str(), x, y);
        TransformStack->Reset();
    }

private:
    static constexpr int PixelSize = 16;
    Gralith::Utils::Assets::Proxy* proxy = nullptr;
    Gralith::Utils::Assets::Font* font = nullptr;
    Gralith::Graphics::Program* program = nullptr;
};

std::vector<TimeRange> BlockRanges() {
    std::vector<TimeRange> ranges;
    for (Stage* stage : Stages)
        for (int i = 0; i < stage->Count(); ++i)
            ranges.push_back({(*stage)[i].start, (*stage)[i].start + (*stage)[i].length});
    return ranges;
}

std::vector<std::string> ActiveEffects(double time) {
    std::vector<std::string> names;
    for (Stage* stage : Stages)
        for (int i = 0; i < stage->Count(); ++i)
            if ((*stage)[i].IsActive(time))
                names.push_back((*stage)[i].effect->GetName().CStr());
    return names;
}

// Follows the transport with the music: plays while it plays, from where the picture is.
void FollowWithMusic(MusicStream* music, const Transport& transport, double time, bool jumped) {
    if (!music)
        return;
    if (transport.IsPaused()) {
        if (music->IsPlaying())
            music->Stop();
        return;
    }
    double heard = music->GetPositionSeconds();
    if (jumped || !music->IsPlaying() || std::fabs(heard - time) > MusicTolerance) {
        music->SetPosition(MusicStream::SecondsToBytes(time));
        if (!music->IsPlaying())
            music->Play();
    }
}

void Report(const char* what, const Transport& transport, double time) {
    std::printf("preview: %s at %.3f s%s%s\n", what, time, transport.IsPaused() ? " paused" : "",
                transport.IsLooping() ? " looping" : "");
    std::fflush(stdout);
}

void DoNothingAtTheEnd() {}

} // namespace

void RunPreview(const PreviewOptions& options) {
    ResolutionX = options.width;
    ResolutionY = options.height;
    Aspect = static_cast<float>(options.width) / static_cast<float>(options.height);
    Fullscreen = false;
    PlayMusic = true;
    GraphicsDriver = Gralith::Graphics::GraphicsDriverOpenGL;
    Tempo = MusicTempo;
    // The show's end belongs to the transport here, which stops there.
    SetEndPresentationHandler(&DoNothingAtTheEnd);

    std::string root = options.dataDirectory;
    if (root.empty() || root.back() != '/')
        root += '/';

    MainWindow = Gralith::Platform::OpenWindow(ResolutionX, ResolutionY, PreviewTitle, true);
    InputContext = Gralith::Platform::CreateInputContext(MainWindow);
    Gralith::Input::Keyboard* keyboard = InputContext->GetKeyboard();
    GraphicsDevice =
        Gralith::Graphics::CreateDevice(GraphicsDriver, MainWindow, Gralith::Graphics::Depth24Stencil8, 0, 0);

    std::string problem;
    try {
        CreatePresentationObjects(root.c_str(), [] { return Gralith::Platform::CreateSoundDevice(MainWindow); });
    } catch (const Gralith::Exception& e) {
        // A broken script at the start is shown like one broken later; fixing it starts the show.
        if (!AssetProxy)
            throw;
        ResetTimeline();
        Framebuffers.Add(BackbufferFramebuffer);
        problem = e.GetMessage();
    }

    MusicStream* music = nullptr;
    if (SoundDevice) {
        music = new MusicStream(SoundDevice);
        try {
            music->Open((root + "music/music.ogg").c_str());
            DecodedMusic = music;
        } catch (const Gralith::Exception& e) {
            std::printf("preview: no music (%s)\n", e.GetMessage());
            music->Release();
            music = nullptr;
        }
    }
    double length =
        music ? MusicStream::BytesToSeconds(music->GetLength()) : static_cast<double>(ShowTimeline::EndTime);

    {
        StatusLine status(options.fontPath);
        FileWatcher watcher(root);
        watcher.Poll();
        Transport transport(length);
        transport.TogglePause(Seconds());
        bool shift = false, showStatus = true, running = true;
        int jumps = transport.GetJumpCount();
        double lastWatch = Seconds(), fps = 0.0, lastFrame = Seconds(), lastTitle = 0.0;
        if (!problem.empty())
            std::printf("preview: reload failed: %s\n", problem.c_str());
        Report("playing", transport, 0.0);

        while (running) {
            double now = Seconds();
            Gralith::Input::KeyboardEvent event;
            while (keyboard->HasNextEvent()) {
                keyboard->GetNextEvent(event);
                if (event.keyCode == Gralith::Input::KeyShift && event.state < 2)
                    shift = event.state == 0;
                Command command = CommandFor(event, shift);
                switch (command) {
                case Command::None: continue;
                case Command::Quit: running = false; continue;
                case Command::TogglePause: transport.TogglePause(now); break;
                case Command::Back: transport.SeekBy(-1.0, now); break;
                case Command::Forward: transport.SeekBy(1.0, now); break;
                case Command::BackBar: transport.SeekBy(-Transport::BarLength, now); break;
                case Command::ForwardBar: transport.SeekBy(Transport::BarLength, now); break;
                case Command::Home: transport.SeekTo(0.0, now); break;
                case Command::ToggleLoop: transport.ToggleLoop(now, BlockRanges()); break;
                case Command::MarkStart: transport.MarkStart(now); break;
                case Command::MarkEnd: transport.MarkEnd(now); break;
                case Command::ToggleStatus: showStatus = !showStatus; break;
                }
                static const char* const names[] = {"",           "pause",         "back",   "forward",
                                                    "back a bar", "forward a bar", "home",   "loop",
                                                    "mark start", "mark end",      "status", "quit"};
                Report(names[static_cast<int>(command)], transport, transport.TimeAt(now));
            }

            if (now - lastWatch >= WatchInterval) {
                lastWatch = now;
                std::vector<std::string> changed = watcher.Poll();
                if (!changed.empty()) {
                    problem = ReloadShow(root.c_str());
                    if (problem.empty())
                        std::printf("preview: reloaded after %s changed\n", changed.front().c_str());
                    else
                        std::printf("preview: reload failed: %s\n", problem.c_str());
                    std::fflush(stdout);
                }
            }

            double time = transport.TimeAt(now);
            bool jumped = transport.GetJumpCount() != jumps;
            jumps = transport.GetJumpCount();
            FollowWithMusic(music, transport, time, jumped);

            // Every frame is drawn as halcyra-render draws that moment.
            MusicTime = time;
            FrameDelta = now - lastFrame;
            fps = FrameDelta > 0.0 ? 0.9 * fps + 0.1 / FrameDelta : fps;
            lastFrame = now;
            if (music)
                music->GetSpectrumAt(std::min(MusicStream::SecondsToBytes(time), music->GetLength()), Spectrum);
            try {
                RunTimeline(time);
            } catch (const Gralith::Exception& e) {
                if (problem != e.GetMessage())
                    std::printf("preview: %s\n", e.GetMessage());
                problem = e.GetMessage();
            }

            std::string line = StatusText(time, fps, transport, ActiveEffects(time));
            if (status.CanDraw()) {
                const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f}, red[4] = {1.0f, 0.35f, 0.3f, 1.0f};
                if (showStatus)
                    status.Draw(line, white, 0);
                if (!problem.empty())
                    status.Draw(problem, red, showStatus ? 1 : 0);
            } else if (now - lastTitle > 0.25) {
                lastTitle = now;
                MainWindow->SetTitle((std::string(PreviewTitle) + "  " + line).c_str());
            }
            if (!GraphicsDevice->Present())
                running = false;
        }
    }

    DecodedMusic = nullptr;
    if (music)
        music->Release();
    ReleasePresentationObjects();
}

} // namespace Velorin::Preview
