#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Velorin {

/// Makes a video file with ffmpeg: raw frames go down a pipe to it, the music is cut from the
/// Ogg file. The container and codecs follow the file name: ".webm" VP9 with Opus, anything
/// else H.264 with AAC.
class VideoEncoder {
public:
    /// music may be empty (a silent video); the audio is taken from musicStart for the video's
    /// length. Starts ffmpeg; throws Exception "Unable to start ffmpeg: " + reason.
    VideoEncoder(const std::string& path, int width, int height, double fps, const std::string& music,
                 double musicStart, double duration);
    /// Kills ffmpeg when Finish was not reached (an error ends the render).
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    /// One frame of width * height RGBA pixels, rows bottom-up. Throws Exception
    /// "ffmpeg stopped taking frames" when the pipe breaks.
    void AddFrame(const std::uint8_t* rgbaBottomUp);
    /// Closes the pipe and waits for ffmpeg; throws Exception "ffmpeg failed (status N)" unless
    /// it succeeded.
    void Finish();

    /// The argument list the encoder runs (without the program name); exposed for tests.
    static std::vector<std::string> Arguments(const std::string& path, int width, int height, double fps,
                                              const std::string& music, double musicStart, double duration);

private:
    int width;
    int height;
    int pipe = -1;
    int pid = -1;
};

} // namespace Velorin
