#pragma once

#include <cstddef>
#include <vector>

namespace Halcyra::Music {

/// One stereo bus of the mix: voices add into it at sample positions; positions outside the
/// piece are dropped, so a tail may run past the end.
class Track {
public:
    explicit Track(int frames) : left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames)) {}

    int Frames() const { return static_cast<int>(left.size()); }
    void Add(int frame, float l, float r) {
        if (frame < 0 || frame >= Frames())
            return;
        left[static_cast<size_t>(frame)] += l;
        right[static_cast<size_t>(frame)] += r;
    }
    void AddTrack(const Track& other, float gain) {
        for (size_t i = 0; i < left.size() && i < other.left.size(); ++i) {
            left[i] += gain * other.left[i];
            right[i] += gain * other.right[i];
        }
    }

    std::vector<float> left, right;
};

} // namespace Halcyra::Music
