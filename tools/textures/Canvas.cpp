#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace Halcyra::Textures {

namespace {

// One box pass along a line of n values spaced by stride; edges count as empty.
void BoxLine(float* line, int n, int stride, int radius, std::vector<float>& scratch) {
    scratch.assign(static_cast<size_t>(n), 0.0f);
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    double sum = 0.0;
    for (int i = 0; i < std::min(radius, n); ++i)
        sum += line[i * stride];
    for (int i = 0; i < n; ++i) {
        const int add = i + radius;
        const int drop = i - radius - 1;
        if (add < n)
            sum += line[add * stride];
        if (drop >= 0)
            sum -= line[drop * stride];
        scratch[static_cast<size_t>(i)] = static_cast<float>(sum) * scale;
    }
    for (int i = 0; i < n; ++i)
        line[i * stride] = std::max(scratch[static_cast<size_t>(i)], 0.0f);
}

} // namespace

void Mask::Blur(int radius) {
    if (radius <= 0)
        return;
    std::vector<float> scratch;
    std::vector<double> sums(static_cast<std::size_t>(width));
    std::vector<float> column(values.size());
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            BoxLine(&values[static_cast<std::size_t>(y) * width], width, 1, radius, scratch);
        // Columns a row at a time, one running sum per column, so memory is read in order.
        std::fill(sums.begin(), sums.end(), 0.0);
        for (int y = 0; y < std::min(radius, height); ++y)
            for (int x = 0; x < width; ++x)
                sums[static_cast<std::size_t>(x)] += At(x, y);
        for (int y = 0; y < height; ++y) {
            const int add = y + radius, drop = y - radius - 1;
            for (int x = 0; x < width; ++x) {
                double& sum = sums[static_cast<std::size_t>(x)];
                if (add < height)
                    sum += At(x, add);
                if (drop >= 0)
                    sum -= At(x, drop);
                column[static_cast<std::size_t>(y) * width + x] = std::max(static_cast<float>(sum) * scale, 0.0f);
            }
        }
        values.swap(column);
    }
}

void Mask::Scale(float factor) {
    for (float& v : values)
        v = std::clamp(v * factor, 0.0f, 1.0f);
}

void Canvas::OverPixel(int x, int y, float r, float g, float b, float a) {
    if (a <= 0.0f)
        return;
    a = std::min(a, 1.0f);
    float* p = At(x, y);
    const float outA = a + p[3] * (1.0f - a);
    if (outA <= 0.0f)
        return;
    const float keep = p[3] * (1.0f - a);
    p[0] = (r * a + p[0] * keep) / outA;
    p[1] = (g * a + p[1] * keep) / outA;
    p[2] = (b * a + p[2] * keep) / outA;
    p[3] = outA;
}

void Canvas::Over(const Mask& mask, float r, float g, float b, float a) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            OverPixel(x, y, r, g, b, mask.At(x, y) * a);
}

void Canvas::AddLight(const Mask& mask, float r, float g, float b) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float* p = At(x, y);
            const float m = mask.At(x, y);
            p[0] += r * m;
            p[1] += g * m;
            p[2] += b * m;
            p[3] = 1.0f;
        }
}

void Canvas::Fill(float r, float g, float b, float a) {
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = r;
        rgba[i + 1] = g;
        rgba[i + 2] = b;
        rgba[i + 3] = a;
    }
}

std::vector<unsigned char> Canvas::ToBytes() const {
    std::vector<unsigned char> bytes(rgba.size());
    for (size_t i = 0; i < rgba.size(); ++i)
        bytes[i] = static_cast<unsigned char>(std::clamp(rgba[i], 0.0f, 1.0f) * 255.0f + 0.5f);
    return bytes;
}

} // namespace Halcyra::Textures
