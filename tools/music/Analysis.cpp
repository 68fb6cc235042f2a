#include "Analysis.h"

#include "Dsp.h"
#include "Show.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Halcyra::Music {

double LowBand(const Track& mix, double seconds) {
    constexpr int Size = 512;
    int first = static_cast<int>(std::floor(seconds * SampleRate));
    double sum = 0.0, weights = 0.0;
    for (int i = 0; i < Size; ++i) {
        double w = 0.5 - 0.5 * std::cos(2.0 * Pi * i / Size);
        weights += w;
        int frame = first + i;
        if (frame >= 0 && frame < mix.Frames())
            sum += w * 0.5 * (mix.left[static_cast<size_t>(frame)] + mix.right[static_cast<size_t>(frame)]);
    }
    return std::fabs(sum) / weights;
}

Summary Summarise(const Track& mix) {
    Summary s{};
    std::vector<double> after;
    double timer = 0.0;
    for (int frame = 0; frame / 60.0 < Show::Length; ++frame) {
        double t = frame / 60.0;
        double band = LowBand(mix, t);
        if (t < Cues::Drop)
            s.maxBeforeDrop = std::max(s.maxBeforeDrop, band);
        else if (t >= 13.2 && t <= 45.0)
            after.push_back(band);
        timer -= 1.0 / 60.0;
        if (timer < 0.0 && band > 0.45) {
            ++s.cuts;
            timer = 0.5;
        }
    }
    std::sort(after.begin(), after.end());
    s.medianAfterDrop = after.empty() ? 0.0 : after[after.size() / 2];
    return s;
}

} // namespace Halcyra::Music
