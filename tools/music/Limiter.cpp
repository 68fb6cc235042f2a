#include "Limiter.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Halcyra::Music {

void Limit(Track& mix, float ceiling) {
    const int ahead = ToFrame(0.004);
    const size_t frames = mix.left.size();
    std::vector<float> wanted(frames);
    for (size_t i = 0; i < frames; ++i) {
        float level = std::max(std::fabs(mix.left[i]), std::fabs(mix.right[i]));
        wanted[i] = level > ceiling ? ceiling / level : 1.0f;
    }
    // Lowest wanted gain over the next `ahead` frames, then averaged over the previous `ahead`:
    // every average includes the frame's own floor, so the ceiling holds.
    std::vector<float> floorAhead(frames, 1.0f);
    for (size_t k = 0; k < frames; ++k)
        if (wanted[k] < 1.0f)
            for (size_t i = k + 1 > static_cast<size_t>(ahead) ? k + 1 - static_cast<size_t>(ahead) : 0; i <= k; ++i)
                floorAhead[i] = std::min(floorAhead[i], wanted[k]);
    // Frames before the start count as unity gain.
    double sum = ahead;
    float released = 1.0f;
    const float release = 1.0f / (0.08f * SampleRate);
    for (size_t i = 0; i < frames; ++i) {
        sum += floorAhead[i] - (i >= static_cast<size_t>(ahead) ? floorAhead[i - static_cast<size_t>(ahead)] : 1.0f);
        float average = std::min(static_cast<float>(sum / ahead), 1.0f);
        released = std::min({average, released + (1.0f - released) * release, wanted[i]});
        mix.left[i] *= released;
        mix.right[i] *= released;
    }
}

} // namespace Halcyra::Music
