// RunPresentation in this process on the test's own X server: the frame loop's clock, keys and
// the music's notices, observed through an effect and the message-box hook.

#include "velorin/Presentation.h"
#include "gralith/Exception.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/Keyboard.h"
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

using Gralith::Input::KeyCharacter;
using Gralith::Input::KeyEscape;
using Gralith::Input::KeyPressed;
using Gralith::Input::KeyReleased;

std::vector<std::string> messages;

// Counts frames; pushes keys into the window's queue at chosen frames, as the window would.
class Probe : public Velorin::Effect {
public:
    static inline int updates = 0;
    static inline std::vector<double> times;
    static inline std::vector<float> tempos;
    static inline int closeAt = -1;
    /// Leave once the music has reached this time instead of at frame 30.
    static inline double escapeAtTime = -1.0;
    static inline bool escaped = false;

    void Update() override {
        ++updates;
        times.push_back(Velorin::MusicTime);
        tempos.push_back(Velorin::Tempo);
        auto* input = Gralith::Input::SDLInputContext::GetRegistered(Velorin::MainWindow);
        if (updates == 2) {
            input->PushKeyboardEvent(KeyEscape, KeyReleased);
            input->PushKeyboardEvent(27, KeyCharacter);
            input->PushKeyboardEvent(Gralith::Input::KeySpace, KeyPressed);
        }
        if (updates == closeAt) {
            SDL_Event event{};
            event.type = SDL_WINDOWEVENT;
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(Velorin::MainWindow->GetHandle()));
            SDL_PushEvent(&event);
        }
        bool leave = escapeAtTime < 0.0 ? updates == 30 : Velorin::MusicTime >= escapeAtTime || updates == 1000000;
        if (leave && !escaped) {
            input->PushKeyboardEvent(KeyEscape, KeyPressed);
            escaped = true;
        }
    }
};

class Presentation : public ::testing::Test {
protected:
    void SetUp() override {
        Probe::updates = 0;
        Probe::times.clear();
        Probe::tempos.clear();
        Probe::closeAt = -1;
        Probe::escapeAtTime = -1.0;
        Probe::escaped = false;
        messages.clear();
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

TEST_F(Presentation, EscapePressEndsAfterExactlyOneMoreFrame) {
    Velorin::PlayMusic = false;
    Velorin::RunPresentation();
    // Pressed during frame 30: frame 31 is still drawn, then the loop ends. Releasing Escape,
    // its character and other keys (frame 2) did not stop it.
    EXPECT_EQ(31, Probe::updates);
    // Without music nothing was said, the time is negative and nothing pulses.
    EXPECT_TRUE(messages.empty());
    for (double t : Probe::times)
        EXPECT_LT(t, 0.0);
    EXPECT_EQ(0.0f, Probe::tempos.back());
    EXPECT_EQ(0.0f, Velorin::Spectrum[0]);
}

TEST_F(Presentation, ClosingTheWindowEndsAtThatFramesPresent) {
    Velorin::PlayMusic = false;
    Probe::closeAt = 5;
    Velorin::RunPresentation();
    EXPECT_EQ(5, Probe::updates);
}

TEST_F(Presentation, MissingMusicIsToldTwiceThenTheShowRunsSilent) {
    Velorin::PlayMusic = true;
    Velorin::RunPresentation();
    EXPECT_EQ((std::vector<std::string>{"BASS: BASS error, file not found?", "BASS: BASS error, can not play stream?"}),
              messages);
    EXPECT_EQ(31, Probe::updates);
    EXPECT_LT(Probe::times.back(), 0.0);
    EXPECT_EQ(128.0f, Probe::tempos.back());
}

TEST_F(Presentation, PlayingMusicIsTheClock) {
    std::vector<float> samples(44100 * 2 * 20);
    for (size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i] = samples[2 * i + 1] = 0.5f * static_cast<float>(std::sin(i * 2.0 * M_PI * 440.0 / 44100.0));
    folder.Write("data/music/music.ogg", GralithTest::EncodeOgg(samples, 2, 44100, 0.1f));
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
    EXPECT_GE(Probe::times[Probe::times.size() - 2], 0.3);
    EXPECT_LT(Probe::times.back(), 10.0);
    // A 440 Hz tone sits in bin 5 (440 * 512 / 44100 = 5.1).
    EXPECT_GT(Velorin::Spectrum[5], 0.1f);
    EXPECT_EQ(128.0f, Velorin::Tempo);
}

} // namespace
