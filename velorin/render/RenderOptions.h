#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace Velorin {

/// A command line the offline renderer cannot work with; the text says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What halcyra-render was asked for.
struct RenderOptions {
    std::string dataDirectory;
    int width = 1024;
    int height = 768;
    float aspect = 1.6f;
    /// --at: the music times to render, in the order given.
    std::vector<double> times;
    /// --fps: frames per second and the range [from, to); without --to the music's end.
    double fps = 0.0;
    double from = 0.0;
    double to = 0.0;
    bool hasEnd = false;
    std::string out;

    /// --help: print the usage and render nothing.
    bool help = false;

    bool IsSequence() const { return fps > 0.0; }
    /// The output is a video (a sequence whose path ends in ".mp4" or ".webm").
    bool IsVideo() const;
    /// The output is the PNG file itself (one --at time and a path ending in ".png"), not a folder.
    bool IsSingleFile() const;
};

/// Reads the arguments after the program name; --help anywhere answers options with only help
/// set. Throws UsageError.
RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments);

/// The text printed for a wrong command line.
extern const char* const RenderUsage;

/// One frame to render: its music time, the interval since the previous frame, and for a PNG
/// its file name inside the output folder.
struct RenderFrame {
    double time;
    double delta;
    std::string fileName;
};

/// The frames of --at (named by time, "t012.500.png") or of --fps over [from, end) (numbered
/// from 0, "frame00000.png"); the end is --to, else musicLength (negative: no music). Throws
/// UsageError when a sequence has no end to run to.
std::vector<RenderFrame> PlanFrames(const RenderOptions& options, double musicLength);

/// "t" + time with three decimals, at least three digits before the point, + ".png".
std::string TimeFileName(double time);

} // namespace Velorin
