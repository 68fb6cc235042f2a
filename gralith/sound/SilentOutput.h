#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace Gralith::Sound {

class Mixer;

/// An output without a sound card: a thread that mixes fixed chunks at their exact real-time
/// deadlines and drops the result, so play positions advance as if a device were listening.
class SilentOutput {
public:
    /// Starts mixing chunks of chunkFrames at the mixer's rate.
    SilentOutput(Mixer* mixer, int chunkFrames);
    ~SilentOutput();
    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;

private:
    void Run();

    Mixer* mixer;
    int chunkFrames;
    std::vector<float> scratch;
    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};

} // namespace Gralith::Sound
