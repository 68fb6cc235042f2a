// halcyra-render: the presentation drawn offline into PNG files or a video.

#include "gralith/Exception.h"
#include "velorin/Messages.h"
#include "velorin/Timeline.h"
#include "velorin/render/OfflineRenderer.h"
#include "velorin/render/PngWriter.h"
#include "velorin/render/RenderOptions.h"
#include "velorin/render/VideoEncoder.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

class Progress {
public:
    explicit Progress(size_t total) : total(total), shown(isatty(2) != 0) {}
    void Update(size_t done) {
        if (!shown || total == 0)
            return;
        const int width = 40;
        int filled = static_cast<int>(done * width / total);
        std::fprintf(stderr, "\r[%s%s] %zu/%zu frames", std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(width - filled), '.').c_str(), done, total);
        if (done == total)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    void Stop() {
        if (shown)
            std::fputc('\n', stderr);
        shown = false;
    }

private:
    size_t total;
    bool shown;
};

void MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
        throw Gralith::Exception((Velorin::Messages::OutputFolderFailed + path).c_str());
}

int Render(const Velorin::RenderOptions& options) {
    Velorin::OfflineRenderer renderer(options.dataDirectory, options.width, options.height, options.aspect);
    if (!renderer.GetMusicProblem().empty())
        std::fprintf(stderr, "No music, the spectrum stays 0: %s\n", renderer.GetMusicProblem().c_str());
    std::vector<Velorin::RenderFrame> frames = Velorin::PlanFrames(options, renderer.GetMusicLength());

    std::unique_ptr<Velorin::VideoEncoder> video;
    if (options.IsVideo()) {
        double duration = static_cast<double>(frames.size()) / options.fps;
        video = std::make_unique<Velorin::VideoEncoder>(options.out, options.width, options.height, options.fps,
                                                        renderer.GetMusicPath(), options.from, duration);
    } else if (options.IsSingleFile()) {
        std::string folder = std::filesystem::path(options.out).parent_path().string();
        if (!folder.empty())
            MakeFolder(folder);
    } else {
        MakeFolder(options.out);
    }

    Progress progress(options.IsSequence() ? frames.size() : 0);
    size_t written = 0;
    for (const Velorin::RenderFrame& frame : frames) {
        if (!renderer.Render(frame.time, frame.delta)) {
            progress.Stop();
            std::printf("The presentation ended at %.3f s; %zu of %zu frames written.\n", frame.time, written,
                        frames.size());
            break;
        }
        const std::vector<std::uint8_t>& pixels = renderer.ReadFrame();
        if (video)
            video->AddFrame(pixels.data());
        else
            Velorin::WritePng(options.IsSingleFile() ? options.out : options.out + "/" + frame.fileName, options.width,
                              options.height, pixels.data());
        progress.Update(++written);
    }
    if (video)
        video->Finish();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    Velorin::RenderOptions options;
    try {
        options = Velorin::ParseRenderOptions(arguments);
    } catch (const Velorin::UsageError& e) {
        std::fprintf(stderr, "halcyra-render: %s\n%s", e.what(), Velorin::RenderUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(Velorin::RenderUsage, stdout);
        return 0;
    }
    int code = 0;
    try {
        code = Render(options);
    } catch (const Velorin::UsageError& e) {
        std::fprintf(stderr, "halcyra-render: %s\n", e.what());
        code = 2;
    } catch (const Gralith::Exception& e) {
        std::fprintf(stderr, "%s\n", e.GetMessage());
        code = 1;
    }
    // The script's objects go before the lists holding them do, so leak checkers see a clean end.
    Velorin::ResetTimeline();
    return code;
}
