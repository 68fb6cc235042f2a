#include "velorin/render/RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Velorin {

const char* const RenderUsage =
    "usage: halcyra-render --data DIR [--size WxH] [--aspect A]\n"
    "                      (--at T1,T2,... | --fps F [--from S] [--to E]) --out PATH\n"
    "       halcyra-render --help\n"
    "  --at   renders the music times given (seconds) as PNG files in folder PATH;\n"
    "         a single time and PATH ending in .png write that one file\n"
    "  --fps  renders F frames per second from S (default 0) to E (default: the music's end);\n"
    "         PATH ending in .mp4 or .webm makes a video with the music, else numbered PNGs\n"
    "  --size defaults to 1024x768, --aspect (width / height of the picture) to 1.6\n";

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

double ParseNumber(const std::string& text, const std::string& option) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw UsageError("not a number for " + option + ": '" + text + "'");
    return value;
}

int ParseDimension(const std::string& text) {
    // Beyond what any GL implementation renders to, and what keeps width * height * 4 in range.
    const long limit = 16384;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || value < 1 || value > limit)
        throw UsageError("--size wants WxH with sides of 1 to 16384 pixels, not '" + text + "'");
    return static_cast<int>(value);
}

} // namespace

bool RenderOptions::IsVideo() const { return IsSequence() && (EndsWith(out, ".mp4") || EndsWith(out, ".webm")); }

bool RenderOptions::IsSingleFile() const { return !IsSequence() && times.size() == 1 && EndsWith(out, ".png"); }

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions options;
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
    bool haveAt = false;
    bool haveFps = false;
    bool haveFrom = false;
    bool haveTo = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw UsageError(option + " needs a value");
            return arguments[++i];
        };
        if (option == "--data") {
            options.dataDirectory = value();
        } else if (option == "--size") {
            const std::string& size = value();
            size_t x = size.find('x');
            if (x == std::string::npos)
                throw UsageError("--size wants WxH, not '" + size + "'");
            options.width = ParseDimension(size.substr(0, x));
            options.height = ParseDimension(size.substr(x + 1));
        } else if (option == "--aspect") {
            double aspect = ParseNumber(value(), option);
            if (aspect <= 0.0)
                throw UsageError("--aspect must be greater than 0");
            options.aspect = static_cast<float>(aspect);
        } else if (option == "--at") {
            const std::string& list = value();
            size_t start = 0;
            for (;;) {
                size_t comma = list.find(',', start);
                options.times.push_back(ParseNumber(list.substr(start, comma - start), option));
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
            haveAt = true;
        } else if (option == "--fps") {
            options.fps = ParseNumber(value(), option);
            if (options.fps <= 0.0 || options.fps > 1000.0)
                throw UsageError("--fps must lie above 0 and at most 1000");
            haveFps = true;
        } else if (option == "--from") {
            options.from = ParseNumber(value(), option);
            haveFrom = true;
        } else if (option == "--to") {
            options.to = ParseNumber(value(), option);
            options.hasEnd = haveTo = true;
        } else if (option == "--out") {
            options.out = value();
        } else {
            throw UsageError("unknown option '" + option + "'");
        }
    }
    if (options.dataDirectory.empty())
        throw UsageError("--data is required");
    if (options.out.empty())
        throw UsageError("--out is required");
    if (haveAt == haveFps)
        throw UsageError("give either --at or --fps");
    if (haveAt && (haveFrom || haveTo))
        throw UsageError("--from and --to go with --fps");
    if (haveTo && options.to <= options.from)
        throw UsageError("--to must lie after --from");
    return options;
}

std::string TimeFileName(double time) {
    char name[64];
    std::snprintf(name, sizeof name, "t%07.3f.png", time);
    return name;
}

std::vector<RenderFrame> PlanFrames(const RenderOptions& options, double musicLength) {
    std::vector<RenderFrame> frames;
    if (!options.IsSequence()) {
        for (size_t i = 0; i < options.times.size(); ++i) {
            double time = options.times[i];
            // Effects integrate over the delta; going back in time is not a negative interval.
            double delta = i == 0 ? 0.0 : std::fmax(0.0, time - options.times[i - 1]);
            frames.push_back({time, delta, TimeFileName(time)});
        }
        return frames;
    }
    double end = options.hasEnd ? options.to : musicLength;
    if (!(end > options.from))
        throw UsageError("nothing to render: give --to (there is no music to end the range)");
    double count = std::ceil((end - options.from) * options.fps - 1e-9);
    if (count > 10000000.0)
        throw UsageError("too many frames");
    for (int i = 0; i < static_cast<int>(count); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame%05d.png", i);
        frames.push_back({options.from + i / options.fps, 1.0 / options.fps, name});
    }
    return frames;
}

} // namespace Velorin
