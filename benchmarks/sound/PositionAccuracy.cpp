// Plays music through the sound device and reads its position the way the frame loop does, to
// see how smoothly it follows the clock. For each pair of consecutive queries the error is the
// position's advance minus the wall time's advance; the program reports the largest and the mean
// error, how often the position went back, and the drift against the wall clock at the end.
// Each query is bracketed by two clock readings; a query during which this thread lost the
// processor (the readings more than 0.2 ms apart) cannot be placed in time and is left out.
//
//   sound_position_accuracy [seconds=30] [sdl|silent] [query interval in ms=1]
// "sdl" uses SDL's output whatever its driver (SDL_AUDIODRIVER=dummy unless the variable is set);
// "silent" uses the device's own real-time output, which also stands in for SDL's dummy driver.
// The Windows build plays on DirectSound's default output and ignores the second argument.

#include "gralith/sound/MusicStream.h"
#include "gralith/utils/Timer.h"
#ifdef _WIN32
#include "gralith/sound/win32/DSound8Device.h"
#else
#include "gralith/sound/sdl/SDLSoundDevice.h"
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using Gralith::Sound::MusicStream;
using Gralith::Utils::GetTime;

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    double interval = (argc > 3 ? std::atof(argv[3]) : 1.0) / 1000.0;
#ifdef _WIN32
    // For the desktop window: no window of its own to follow.
    auto* device = new Gralith::Sound::DSound8Device(nullptr);
    const char* output = "DirectSound 8";
#else
    using Gralith::Sound::SDLSoundDevice;
    bool silent = argc > 2 && std::strcmp(argv[2], "silent") == 0;
    if (!silent && !std::getenv("SDL_AUDIODRIVER"))
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDLSoundDevice* device = new SDLSoundDevice(silent ? SDLSoundDevice::OutputSilent : SDLSoundDevice::OutputSDL);
    std::string output = device->GetOutputName().CStr();
#endif
    MusicStream* music = new MusicStream(device);
    const int frames = static_cast<int>((seconds + 5.0) * 44100);
    std::vector<float> samples(2 * static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[2 * static_cast<size_t>(i)] = samples[2 * static_cast<size_t>(i) + 1] =
            0.25f * static_cast<float>(std::sin(i * 0.05));
    music->OpenSamples(samples.data(), frames, 2);

    music->Play();
    // Skip the first mix: until it the position waits at the start.
    while (music->GetPosition() == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    double startWall = GetTime();
    double startPosition = music->GetPositionSeconds();
    double previousWall = startWall, previousPosition = startPosition;
    double largest = 0.0, sum = 0.0, largestAhead = 0.0, largestBehind = 0.0;
    long queries = 0, backwards = 0, still = 0, preempted = 0;
    std::vector<double> errors;
    while (previousWall - startWall < seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(interval));
        double before = GetTime();
        double position = music->GetPositionSeconds();
        double after = GetTime();
        double wall = 0.5 * (before + after);
        backwards += position < previousPosition;
        if (after - before > 0.0002) {
            ++preempted;
            previousWall = wall;
            previousPosition = position;
            continue;
        }
        double error = (position - previousPosition) - (wall - previousWall);
        still += position == previousPosition;
        largest = std::max(largest, std::fabs(error));
        largestAhead = std::max(largestAhead, error);
        largestBehind = std::min(largestBehind, error);
        sum += std::fabs(error);
        errors.push_back(std::fabs(error));
        ++queries;
        previousWall = wall;
        previousPosition = position;
    }
    std::sort(errors.begin(), errors.end());
    double drift = (previousPosition - startPosition) - (previousWall - startWall);
    std::printf("output: %s\n", std::string(output).c_str());
    std::printf("queries: %ld over %.1f s (every %.2f ms requested)\n", queries, previousWall - startWall,
                interval * 1000.0);
    std::printf("step error vs wall time: largest %.3f ms (ahead %.3f, behind %.3f), mean %.4f ms, "
                "99th percentile %.3f ms\n",
                largest * 1000.0, largestAhead * 1000.0, -largestBehind * 1000.0, sum / queries * 1000.0,
                errors[errors.size() * 99 / 100] * 1000.0);
    std::printf("position went back: %ld times; unchanged between queries: %ld times; queries left out: %ld\n",
                backwards, still, preempted);
    std::printf("drift against the wall clock after %.1f s: %.3f ms\n", previousWall - startWall, drift * 1000.0);
    music->Release();
    device->Release();
    return backwards == 0 ? 0 : 1;
}
