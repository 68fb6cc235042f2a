#include "Reverb.h"

#include "Dsp.h"

#include <vector>

namespace Halcyra::Music {

namespace {

class Comb {
public:
    explicit Comb(int length) : buffer(static_cast<size_t>(length)) {}
    float Process(float x, float feedback, float damping) {
        float out = buffer[index];
        store = out * (1.0f - damping) + store * damping;
        buffer[index] = x + store * feedback;
        index = (index + 1) % buffer.size();
        return out;
    }

private:
    std::vector<float> buffer;
    size_t index = 0;
    float store = 0.0f;
};

class AllPass {
public:
    explicit AllPass(int length) : buffer(static_cast<size_t>(length)) {}
    float Process(float x) {
        float delayed = buffer[index];
        buffer[index] = x + delayed * 0.5f;
        index = (index + 1) % buffer.size();
        return delayed - x;
    }

private:
    std::vector<float> buffer;
    size_t index = 0;
};

void ReverbSide(const std::vector<float>& in, std::vector<float>& out, int spread, double roomSize, double damping) {
    static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allPasses[4] = {556, 441, 341, 225};
    std::vector<Comb> comb;
    for (int length : combs)
        comb.emplace_back(length + spread);
    std::vector<AllPass> allPass;
    for (int length : allPasses)
        allPass.emplace_back(length + spread);
    float feedback = static_cast<float>(0.7 + 0.28 * roomSize);
    float damp = static_cast<float>(damping * 0.4);
    for (size_t i = 0; i < in.size(); ++i) {
        float x = in[i] * 0.015f;
        float sum = 0.0f;
        for (Comb& c : comb)
            sum += c.Process(x, feedback, damp);
        for (AllPass& a : allPass)
            sum = a.Process(sum);
        out[i] = sum;
    }
}

} // namespace

Track Reverberate(const Track& input, double roomSize, double damping) {
    Track wet(input.Frames());
    ReverbSide(input.left, wet.left, 0, roomSize, damping);
    ReverbSide(input.right, wet.right, 23, roomSize, damping);
    return wet;
}

Track Echo(const Track& input, double delay, double feedback) {
    Track wet(input.Frames());
    const int step = ToFrame(delay);
    Svf toneLeft, toneRight;
    // Mono in, then each repeat crosses to the other side.
    for (int i = step; i < input.Frames(); ++i) {
        size_t n = static_cast<size_t>(i), m = static_cast<size_t>(i - step);
        float in = 0.5f * (input.left[m] + input.right[m]);
        float fb = static_cast<float>(feedback);
        wet.left[n] = toneLeft.Low(in + fb * wet.right[m], 3500.0);
        wet.right[n] = toneRight.Low(fb * wet.left[m], 3500.0);
    }
    return wet;
}

} // namespace Halcyra::Music
