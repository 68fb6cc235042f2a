#include "velorin/render/VideoEncoder.h"

#include "gralith/Exception.h"
#include "velorin/Messages.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Velorin {

namespace {

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::vector<std::string> VideoEncoder::Arguments(const std::string& path, int width, int height, double fps,
                                                 const std::string& music, double musicStart, double duration) {
    std::vector<std::string> args = {"-y",
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-nostats",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     "rgba",
                                     "-s",
                                     std::to_string(width) + "x" + std::to_string(height),
                                     "-framerate",
                                     Number(fps),
                                     "-i",
                                     "pipe:0"};
    if (!music.empty()) {
        // Seeking before the input decodes up to the start: exact for Ogg.
        args.insert(args.end(), {"-ss", Number(musicStart), "-t", Number(duration), "-i", music});
    }
    // GL rows arrive bottom-up; the codecs' 4:2:0 sampling needs even sides.
    args.insert(args.end(), {"-vf", "vflip,pad=ceil(iw/2)*2:ceil(ih/2)*2", "-map", "0:v"});
    if (!music.empty())
        args.insert(args.end(), {"-map", "1:a"});
    if (EndsWith(path, ".webm")) {
        args.insert(args.end(),
                    {"-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "32", "-deadline", "realtime", "-cpu-used", "8"});
        if (!music.empty())
            args.insert(args.end(), {"-c:a", "libopus", "-b:a", "160k"});
    } else {
        args.insert(args.end(), {"-c:v", "libx264", "-preset", "veryfast", "-crf", "18"});
        if (!music.empty())
            args.insert(args.end(), {"-c:a", "aac", "-b:a", "192k"});
    }
    // -shortest: when the show ends before the planned range, the sound stops with the picture.
    args.insert(args.end(), {"-pix_fmt", "yuv420p", "-t", Number(duration), "-shortest", path});
    return args;
}

VideoEncoder::VideoEncoder(const std::string& path, int width, int height, double fps, const std::string& music,
                           double musicStart, double duration)
    : width(width), height(height) {
    std::vector<std::string> args = Arguments(path, width, height, fps, music, musicStart, duration);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("ffmpeg"));
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe(fds) != 0)
        throw Gralith::Exception((std::string(Messages::FfmpegStartFailed) + std::strerror(errno)).c_str());
    // A broken pipe must come back as an error from write, not end the renderer.
    std::signal(SIGPIPE, SIG_IGN);
    pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        throw Gralith::Exception((std::string(Messages::FfmpegStartFailed) + std::strerror(errno)).c_str());
    }
    if (child == 0) {
        dup2(fds[0], 0);
        close(fds[0]);
        close(fds[1]);
        execvp("ffmpeg", argv.data());
        std::fprintf(stderr, "Unable to start ffmpeg: %s\n", std::strerror(errno));
        _exit(127);
    }
    close(fds[0]);
    fcntl(fds[1], F_SETFD, FD_CLOEXEC);
    pipe = fds[1];
    pid = child;
}

VideoEncoder::~VideoEncoder() {
    if (pipe >= 0)
        close(pipe);
    if (pid > 0) {
        kill(pid, SIGTERM);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

void VideoEncoder::AddFrame(const std::uint8_t* rgbaBottomUp) {
    size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    const std::uint8_t* at = rgbaBottomUp;
    while (size > 0) {
        ssize_t n = write(pipe, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Gralith::Exception(Messages::FfmpegStopped);
        at += n;
        size -= static_cast<size_t>(n);
    }
}

void VideoEncoder::Finish() {
    close(pipe);
    pipe = -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    pid = -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        throw Gralith::Exception(
            (Messages::FfmpegFailedBegin + std::to_string(code) + Messages::FfmpegFailedEnd).c_str());
    }
}

} // namespace Velorin
