// RunPresentation in this process on the test's own X server: the frame loop's clock, keys and
// the music's notices, observed through an effect and the message-box hook.

#include "velorin/Presentation.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/sdl/SDLInputContext.h"
#include "gralith/window/Window.h"
#include "velorin/Effect.h"
#include "velorin/Globals.h"
#include "velorin/Script.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/XvfbEnvironment.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

GRALITH_TEST_WITH_XVFB();

namespace {

using namespace Gralith::Input;

std::vector<std::string> messages;

// Notes each frame's music time; pushes keys into the window's queue at chosen frames, as the
// window would.
class Probe : public Velorin::Effect {
public:
    static inline std::vector<double> times;
    static inline float tempo = -1.0f;
    static inline int closeAt = -1;
    /// Leave once the music has reached this time instead of at frame 30.
    static inline double escapeAtTime = -1.0;
    static inline bool escaped = false;

    static void Reset() {
        times.clear();
        closeAt = -1;
        escapeAtTime = -1.0;
        escaped = false;
        messages.clear();
    }

    void Update() override {
        times.push_back(Velorin::MusicTime);
        tempo = Velorin::Tempo;
        const size_t frame = times.size();
        auto* input = SDLInputContext::GetRegistered(Velorin::MainWindow);
        if (frame == 2) {
            input->PushKeyboardEvent(KeyEscape, KeyReleased);
            input->PushKeyboardEvent(27, KeyCharacter);
            input->PushKeyboardEvent(KeySpace, KeyPressed);
        }
        if (static_cast<int>(frame) == closeAt) {
            SDL_Event event{};
            event.type = SDL_WINDOWEVENT;
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(Velorin::MainWindow->GetHandle()));
            SDL_PushEvent(&event);
        }
        if (!escaped && (escapeAtTime < 0.0 ? frame == 30 : Velorin::MusicTime >= escapeAtTime)) {
            input->PushKeyboardEvent(KeyEscape, KeyPressed);
            escaped = true;
        }
    }
};

class Presentation : public ::testing::Test {
protected:
    void SetUp() override {
        Probe::Reset();
        Velorin::SetMessageBoxHandler(
            [](const char* text, const char* caption) { messages.push_back(std::string(caption) + ": " + text); });
        Velorin::RegisterEffectClass("Probe", [] { return static_cast<Velorin::Effect*>(new Probe); });
        Velorin::ResolutionX = 160;
        Velorin::ResolutionY = 120;
        Velorin::Fullscreen = false;
        Velorin::Multisamples = 0;
        Velorin::Tempo = 0.0f;
        folder.Write("data/demo.xml", R"(<Demo><Effect Name="p"><Probe/></Effect>
            <Stage><Block Start="0" Length="100" Effect="p"/></Stage></Demo>)");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        Velorin::ResetTimeline();
        Velorin::SetMessageBoxHandler(nullptr);
    }

    GralithTest::TempDirectory folder;
    std::filesystem::path previous;
};

TEST_F(Presentation, EscapeOrCloseEndsTheLoopAndWithoutMusicTheTimeIsNegative) {
    const struct {
        bool playMusic;
        int closeAt;
        size_t frames;
        std::vector<std::string> messages;
        float tempo;
    } cases[] = {
        // Escape pressed during frame 30: frame 31 is still drawn, then the loop ends. Releasing
        // Escape, its character and other keys (frame 2) did not stop it.
        {true, -1, 31, {"BASS: BASS error, file not found?", "BASS: BASS error, can not play stream?"}, 128.0f},
        {false, 5, 5, {}, 0.0f}, // closing the window ends at that frame's present
    };
    for (const auto& c : cases) {
        Probe::Reset();
        Probe::closeAt = c.closeAt;
        Velorin::PlayMusic = c.playMusic;
        Velorin::Tempo = 0.0f;
        Velorin::RunPresentation();
        EXPECT_EQ(c.frames, Probe::times.size()) << c.playMusic << " " << c.closeAt;
        EXPECT_EQ(c.messages, messages);
        for (double t : Probe::times)
            EXPECT_LT(t, 0.0);
        EXPECT_EQ(c.tempo, Probe::tempo);
        EXPECT_EQ(0.0f, Velorin::Spectrum[0]);
        Velorin::ResetTimeline();
    }
}

TEST_F(Presentation, PlayingMusicIsTheClock) {
    folder.Write("data/music/music.ogg",
                 GralithTest::EncodeOgg(GralithTest::Sine(20 * 44100, 2, 440, 0.5f), 2, 44100, 0.1f));
    Velorin::PlayMusic = true;
    Probe::escapeAtTime = 0.3;
    Velorin::RunPresentation();
    EXPECT_TRUE(messages.empty());
    ASSERT_GE(Probe::times.size(), 2u);
    EXPECT_GE(Probe::times.front(), 0.0);
    EXPECT_LT(Probe::times.front(), 5.0);
    for (size_t i = 1; i < Probe::times.size(); ++i)
        EXPECT_GE(Probe::times[i], Probe::times[i - 1]);
    // The frame that saw 0.3 s, then one more.
    EXPECT_GE(Probe::times.end()[-2], 0.3);
    EXPECT_LT(Probe::times.back(), 10.0);
    // A 440 Hz tone sits in bin 5 (440 * 512 / 44100 = 5.1).
    EXPECT_GT(Velorin::Spectrum[5], 0.1f);
}

} // namespace
