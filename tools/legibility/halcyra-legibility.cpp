// Renders the end of the show with halcyra-render and reports how much of each frame of the
// heavy passage is blown out and how often each title card's text can be read:
//   halcyra-legibility --data DIR [--size WxH] [--fps F] [--from-card N] [--frames DIR [--reuse]]
//                      [--render PATH] [--per-frame]
// halcyra-render is looked for beside this tool unless --render names it. --frames keeps the
// frames; --reuse measures those an earlier run with the same settings left there.
#include "FrameMeasure.h"

#include "velorin/effects/ShowCues.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace Cues = Velorin::ShowCues;
using namespace Halcyra::Frames;

// The flood reaches through the last flash's peak, past the boosted glow's end.
constexpr double PassageFrom = Cues::HeavyFrom;
constexpr double PassageTo = 45.0;
// What the passage and the cards should reach.
constexpr double CalmFrame = 0.3;     // a frame with fewer blown-out pixels than this is not flooded
constexpr double CalmShare = 0.5;     // of the passage's frames
constexpr double LegibleFrames = 0.6; // of each card's frames

const char* const Usage = "usage: halcyra-legibility --data DIR [--size WxH] [--fps F] [--from-card N]\n"
                          "                          [--frames DIR [--reuse]] [--render PATH] [--per-frame]\n";

struct Options {
    std::string data, frames, render, size = "1024x640";
    int width = 1024, height = 640;
    double fps = 30.0;
    int fromCard = 4;
    bool perFrame = false;
    bool reuse = false;
};

// A card's interval: from its flash to the next card, the last one until it has faded out.
double CardEnd(int card) { return card < 5 ? Cues::TitleStarts[card] : Cues::TitleFadedOut; }

void RunRenderer(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    if (child == 0) {
        execv(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percent(int part, int whole) { return whole ? 100.0 * part / whole : 0.0; }

int Run(const Options& options) {
    const int width = options.width, height = options.height;
    const double from = Cues::TitleStarts[options.fromCard - 1], to = Cues::TitleFadedOut;

    namespace fs = std::filesystem;
    std::string render = options.render;
    if (render.empty())
        render = (fs::read_symlink("/proc/self/exe").parent_path() / "halcyra-render").string();
    std::string folder = options.frames;
    if (folder.empty()) {
        std::string pattern = (fs::temp_directory_path() / "halcyra-legibility-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        folder = pattern;
    }
    struct Cleanup {
        std::string path;
        ~Cleanup() {
            if (!path.empty())
                fs::remove_all(path);
        }
    } cleanup{options.frames.empty() ? folder : ""};

    auto number = [](double v) { return std::to_string(v); };
    if (!options.reuse)
        RunRenderer({render, "--data", options.data, "--size", options.size, "--fps", number(options.fps), "--from",
                     number(from), "--to", number(to), "--out", folder});

    std::vector<CardText> cards;
    for (int card = options.fromCard; card <= 5; ++card)
        cards.emplace_back(ReadPng(options.data + "/textures/" + std::to_string(card) + ".png"), width, height);

    std::vector<double> passageMeans, passageBright;
    int passageFrames = 0, calmFrames = 0;
    std::vector<std::vector<double>> readable(cards.size());
    if (options.perFrame)
        std::printf("time      mean  >240  card readable\n");
    for (int i = 0;; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame%05d.png", i);
        if (!fs::exists(folder + name))
            break;
        const Image frame = ReadPng(folder + name);
        const double t = from + i / options.fps; // as halcyra-render plans its frames
        const Brightness b = MeasureBrightness(frame);
        if (t >= PassageFrom && t <= PassageTo) {
            ++passageFrames;
            calmFrames += b.brightFraction < CalmFrame;
            passageMeans.push_back(b.mean);
            passageBright.push_back(b.brightFraction);
        }
        int card = options.fromCard;
        while (card < 5 && t >= Cues::TitleStarts[card])
            ++card;
        const double share =
            t < CardEnd(card) ? cards[static_cast<size_t>(card - options.fromCard)].ReadableShare(frame) : 0.0;
        if (t < CardEnd(card))
            readable[static_cast<size_t>(card - options.fromCard)].push_back(share);
        if (options.perFrame)
            std::printf("%7.3f %6.1f %5.2f  %d %6.2f\n", t, b.mean, b.brightFraction, card, share);
    }

    std::printf("halcyra-legibility: %dx%d at %g fps, %.2f to %.2f s\n", width, height, options.fps, from, to);
    std::printf("passage %.2f-%.2f s: %d frames, mean luma median %.1f, blown-out share median %.2f, "
                "%d frames (%.0f %%) with under %.0f %% of pixels above %.0f\n",
                PassageFrom, PassageTo, passageFrames, Median(passageMeans), Median(passageBright), calmFrames,
                Percent(calmFrames, passageFrames), 100.0 * CalmFrame, BrightLuma);
    bool met = calmFrames >= CalmShare * passageFrames && passageFrames > 0;
    for (size_t c = 0; c < cards.size(); ++c) {
        const int card = options.fromCard + static_cast<int>(c);
        const std::vector<double>& values = readable[c];
        const int legible =
            static_cast<int>(std::count_if(values.begin(), values.end(), [](double v) { return v >= LegibleShare; }));
        std::printf("card %d %.2f-%.2f s: %zu frames, %d legible (%.0f %%), readable share of the text "
                    "median %.2f, lowest %.2f\n",
                    card, Cues::TitleStarts[card - 1], CardEnd(card), values.size(), legible,
                    Percent(legible, static_cast<int>(values.size())), Median(values),
                    values.empty() ? 0.0 : *std::min_element(values.begin(), values.end()));
        met = met && legible >= LegibleFrames * static_cast<double>(values.size());
    }
    std::printf("%s\n", met ? "targets met" : "targets missed");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string option = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc)
                    throw std::invalid_argument(option + " needs a value");
                return argv[++i];
            };
            if (option == "--data")
                options.data = value();
            else if (option == "--size") {
                options.size = value();
                char tail = 0;
                if (std::sscanf(options.size.c_str(), "%dx%d%c", &options.width, &options.height, &tail) != 2 ||
                    options.width < 1 || options.height < 1)
                    throw std::invalid_argument("--size wants WxH, not '" + options.size + "'");
            } else if (option == "--fps")
                options.fps = std::stod(value());
            else if (option == "--from-card")
                options.fromCard = std::stoi(value());
            else if (option == "--frames")
                options.frames = value();
            else if (option == "--render")
                options.render = value();
            else if (option == "--reuse")
                options.reuse = true;
            else if (option == "--per-frame")
                options.perFrame = true;
            else
                throw std::invalid_argument("unknown option '" + option + "'");
        }
        if (options.data.empty() || options.fps <= 0.0 || options.fromCard < 1 || options.fromCard > 5)
            throw std::invalid_argument("--data is required, --fps above 0, --from-card 1 to 5");
        if (options.reuse && options.frames.empty())
            throw std::invalid_argument("--reuse needs --frames");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "halcyra-legibility: %s\n%s", e.what(), Usage);
        return 2;
    }
    try {
        return Run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "halcyra-legibility: %s\n", e.what());
        return 1;
    }
}
