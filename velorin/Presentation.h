#pragma once

#include "velorin/Messages.h" // MusicMessages
#include "velorin/effects/ShowCues.h"

namespace Gralith {
class Window;
}
namespace Gralith::Graphics {
class Device;
class Surface;
} // namespace Gralith::Graphics
namespace Gralith::Input {
class Context;
}
namespace Gralith::Utils {
class Timer;
}
namespace Gralith::Sound {
class Device;
class MusicStream;
} // namespace Gralith::Sound

namespace Velorin {

/// The title of the presentation window.
constexpr const char* WindowTitle = "Halcyra - Brightmoot 2008 Invitation";
/// The music, a path of the working directory (not read through the asset proxy).
constexpr const char* MusicPath = "data/music/music.ogg";
/// Beats per minute of the music.
constexpr float MusicTempo = static_cast<float>(ShowCues::Tempo);

/// Start-up objects that nothing else holds, kept for the life of the process like the rest:
/// the depth surfaces of the display size (the second multisampled, only with Multisamples > 0),
/// the window's input context and the frame timer.
extern Gralith::Graphics::Surface* DepthSurface;
extern Gralith::Graphics::Surface* MultisampledDepthSurface;
extern Gralith::Input::Context* InputContext;
extern Gralith::Utils::Timer* FrameTimer;

/// Opens the window, the devices and everything the script needs, reads "demo.xml" from
/// "data/", starts the music and runs the frame loop until Escape, a closed window or a quit
/// request, or the end of the show; then releases what it made and returns. Every failure is an
/// Exception (what was made so far then stays reachable until the process ends).
void RunPresentation();
/// Releases the script's objects, the music, the asset proxy and every object start-up made,
/// the devices and the window last, and resets their globals.
void ReleasePresentationObjects();

/// Plays the music from seconds. Without a stream, or when it cannot play, the viewer is told
/// and the show goes on silent.
void StartMusic(double seconds);

/// Ends the presentation: the scene effect calls it when its last moment has come. The caller
/// returns from Render without drawing more and the current frame is dropped: the interactive
/// show leaves its frame loop before presenting it and the process ends with 0 through main's
/// normal return (so the show's objects are torn down as after Escape). A handler, where one is
/// installed (the offline renderer), is called instead.
void EndPresentation();
/// Replaces what EndPresentation does; null restores the default.
void SetEndPresentationHandler(void (*handler)());
/// Whether EndPresentation was called without a handler since the last ClearEndOfPresentation.
bool EndOfPresentationRequested();
void ClearEndOfPresentation();

/// Shows a message box owned by the presentation window (or on its own when there is none).
/// A handler, when installed, receives the texts instead, so the show can be watched without a
/// viewer to press OK.
void ShowMessageBox(const char* text, const char* caption);
void SetMessageBoxHandler(void (*handler)(const char* text, const char* caption));

/// The data directory of the show, relative to the working directory.
constexpr const char* DataDirectory = "data/";

/// The middle of start-up, shared by the show and the offline renderer so both draw the same:
/// with GraphicsDevice set, creates the "Backbuffer" framebuffer, the depth surfaces, the
/// sampler, then the sound device through createSoundDevice (may answer null), the directory
/// dataDirectory (ending in "/"), the render state, the transform stack, the geometry stream and
/// the asset proxy, and reads "demo.xml".
void CreatePresentationObjects(const char* dataDirectory, Gralith::Sound::Device* (*createSoundDevice)());
/// Reads "demo.xml" through AssetProxy into the timeline, the show's random generator
/// (ShowRandom) started afresh first so that every reading makes the same effects.
void LoadShowScript();

/// The music stream of the running show; null when music is off.
Gralith::Sound::MusicStream* GetMusicStream();

} // namespace Velorin
