#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Gralith::Graphics {
class GLDevice;
}
namespace Gralith::Sound {
class MusicStream;
}

namespace Velorin {

/// The presentation without window, dialog or sound card: the start-up of the show around a
/// headless OpenGL device, and frames at music times chosen by the caller. Music times, frame
/// intervals and the spectrum come from the caller and the decoded music, never from a clock,
/// so the same times give the same pictures.
class OfflineRenderer {
public:
    /// Sets the display settings, makes the device and everything the script needs, reads
    /// dataDirectory/demo.xml and decodes dataDirectory/music/music.ogg when it exists. Throws
    /// the presentation's Exception when any of it fails.
    OfflineRenderer(const std::string& dataDirectory, int width, int height, float aspect);
    /// Lets go of the music; the device and the script's objects stay with the presentation.
    ~OfflineRenderer();
    OfflineRenderer(const OfflineRenderer&) = delete;
    OfflineRenderer& operator=(const OfflineRenderer&) = delete;

    /// Seconds of music, or -1 without music.
    double GetMusicLength() const;
    /// The music file in use, empty without music.
    const std::string& GetMusicPath() const { return musicPath; }
    /// Why there is no music (empty when there is).
    const std::string& GetMusicProblem() const { return musicProblem; }

    /// Draws the frame at music time with the given interval since the previous frame. False
    /// when the presentation ended during it: that frame is not for keeping, and nothing follows.
    bool Render(double time, double delta);
    /// The frame just drawn, width * height RGBA pixels, rows bottom-up.
    const std::vector<std::uint8_t>& ReadFrame();

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

private:
    int width;
    int height;
    Gralith::Graphics::GLDevice* device = nullptr;
    Gralith::Sound::MusicStream* music = nullptr;
    std::string musicPath;
    std::string musicProblem;
    std::vector<std::uint8_t> pixels;
};

} // namespace Velorin
