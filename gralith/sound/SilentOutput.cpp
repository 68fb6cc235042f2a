#include "gralith/sound/SilentOutput.h"

#include "gralith/sound/Mixer.h"
#include "gralith/utils/Timer.h"

#include <chrono>

namespace Gralith::Sound {

SilentOutput::SilentOutput(Mixer* mixer, int chunkFrames)
    : mixer(mixer), chunkFrames(chunkFrames), scratch(2 * static_cast<size_t>(chunkFrames)) {
    thread = std::thread(&SilentOutput::Run, this);
}

SilentOutput::~SilentOutput() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void SilentOutput::Run() {
    const double chunkSeconds = static_cast<double>(chunkFrames) / mixer->GetOutputRate();
    // Deadlines are counted from one start, so waking late never accumulates drift.
    double start = Utils::GetTime();
    auto startPoint = std::chrono::steady_clock::now();
    long long chunk = 0;
    std::unique_lock<std::mutex> guard(lock);
    while (!stopping) {
        double due = start + chunk * chunkSeconds;
        auto duePoint = startPoint + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                         std::chrono::duration<double>(chunk * chunkSeconds));
        if (wake.wait_until(guard, duePoint, [this] { return stopping; }))
            break;
        guard.unlock();
        mixer->Mix(scratch.data(), chunkFrames, due);
        guard.lock();
        ++chunk;
        // After a long stall (a suspended process) start afresh instead of racing to catch up.
        if (Utils::GetTime() - due > 0.25) {
            start = Utils::GetTime();
            startPoint = std::chrono::steady_clock::now();
            chunk = 0;
        }
    }
}

} // namespace Gralith::Sound
