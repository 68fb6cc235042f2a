#pragma once

// A glTF 2.0 scene the converter's tests write themselves (JSON and a binary buffer): nodes
// animated with each key kind under a transformed parent, a textured room around the origin, a
// camera, two lights, and a skinned, morphing triangle the engine cannot hold. Expected world
// matrices come from the same table, evaluated here by glTF's own rules.

#include "tests/support/ImageEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace FsgConvertTest {

using Vec = std::array<double, 4>;
using Matrix = std::array<double, 16>; // column-major, as the engine's

inline Vec Turn(double x, double y, double z, double degrees) {
    const double h = degrees * 3.14159265358979323846 / 360.0, n = std::sqrt(x * x + y * y + z * z);
    return {x / n * std::sin(h), y / n * std::sin(h), z / n * std::sin(h), std::cos(h)};
}

struct Keys {
    const char* path;          ///< "translation", "rotation" or "scale"
    const char* interpolation; ///< "LINEAR", "STEP" or "CUBICSPLINE"
    std::vector<float> times;
    std::vector<Vec> values; ///< CUBICSPLINE: in-tangent, value, out-tangent per key
};

struct SampleNode {
    const char* name;
    int parent; ///< index in the table, -1 for a root
    Vec t, r, s;
    std::vector<Keys> keys;
    const char* extra; ///< further JSON members of the node
};

constexpr Vec Zero{0, 0, 0, 0}, One{1, 1, 1, 0}, NoTurn{0, 0, 0, 1};

inline const std::vector<SampleNode>& Nodes() {
    static const std::vector<SampleNode> nodes = [] {
        const std::vector<Keys> linear = {
            {"translation", "LINEAR", {0, 1, 2}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}},
            {"rotation", "LINEAR", {0, 1, 2}, {NoTurn, Turn(1, 0, 0, 90), Turn(0, 1, 0, 90)}}};
        const std::vector<Keys> step = {{"translation", "STEP", {0, 1, 2}, {{0, 0, 0}, {0, 5, 0}, {0, 5, 5}}},
                                        {"rotation", "STEP", {0.5f, 1.5f}, {Turn(0, 0, 1, 45), Turn(1, 0, 0, 120)}}};
        // Cubic splines: in-tangent, value and out-tangent of each key.
        const std::vector<Vec> moves = {{0, 0, 0},  {0, 0, 0}, {2, 0, 0}, {1, 1, 0}, {1, 2, 0},
                                        {1, 0, -1}, {0, 0, 1}, {3, 0, 0}, {0, 0, 0}};
        const std::vector<Vec> turns = {Zero, NoTurn, {0, 0, 0.5, 0}, {0, 0.3, 0.2, 0}, Turn(0, 0, 1, 150), Zero};
        const std::vector<Keys> cubic = {
            {"translation", "CUBICSPLINE", {0, 1, 2}, moves},
            {"rotation", "CUBICSPLINE", {0, 2}, turns},
            {"scale", "CUBICSPLINE", {0, 2}, {Zero, One, {1, 0, 0}, {0, 1, 0}, {2, 2, 3}, Zero}}};
        return std::vector<SampleNode>{
            {"base", -1, {1, 2, 3}, Turn(0, 1, 0, 30), {2, 2, 2}, {}, ""},
            {"linear", 0, Zero, NoTurn, One, linear, ""},
            {"step", 0, Zero, NoTurn, One, step, ""},
            {"cubic", 0, Zero, NoTurn, One, cubic, ""},
            {"child", 3, {0, 1, 0}, NoTurn, One, {}, ""},
            {"camera", 0, {0, 0, 10}, NoTurn, One, {}, R"("camera":0)"},
            {"sun", 0, Zero, Turn(1, 0, 0, -45), One, {}, R"("extensions":{"KHR_lights_punctual":{"light":0}})"},
            {"lamp", 0, {3, 3, 3}, NoTurn, One, {}, R"("extensions":{"KHR_lights_punctual":{"light":1}})"},
            {"room", -1, Zero, NoTurn, One, {}, R"("mesh":0)"},
            {"skinned", -1, Zero, NoTurn, One, {}, R"("mesh":1,"skin":0)"},
        };
    }();
    return nodes;
}

inline Vec Sample(const Keys& k, double t, bool rotation) {
    const size_t n = k.times.size(), stride = k.interpolation[0] == 'C' ? 3 : 1, at = stride == 3 ? 1 : 0;
    if (t <= k.times[0])
        return k.values[at];
    if (t >= k.times[n - 1])
        return k.values[(n - 1) * stride + at];
    size_t i = 0;
    while (t >= k.times[i + 1])
        ++i;
    const Vec a = k.values[i * stride + at], b = k.values[(i + 1) * stride + at];
    const double dt = k.times[i + 1] - k.times[i], s = (t - k.times[i]) / dt;
    Vec v{};
    if (k.interpolation[0] == 'S')
        return a;
    if (k.interpolation[0] == 'L' && rotation) {
        double d = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3], sign = d < 0 ? -1 : 1;
        const double angle = std::acos(std::min(1.0, std::fabs(d)));
        const double wa = angle < 1e-9 ? 1 - s : std::sin((1 - s) * angle) / std::sin(angle);
        const double wb = angle < 1e-9 ? s : std::sin(s * angle) / std::sin(angle);
        for (int c = 0; c < 4; ++c)
            v[c] = wa * a[c] + sign * wb * b[c];
        return v;
    }
    for (int c = 0; c < 4; ++c)
        v[c] = k.interpolation[0] == 'L'
                   ? a[c] + (b[c] - a[c]) * s
                   : (2 * s * s * s - 3 * s * s + 1) * a[c] +
                         (s * s * s - 2 * s * s + s) * dt * k.values[i * 3 + 2][c] +
                         (-2 * s * s * s + 3 * s * s) * b[c] + (s * s * s - s * s) * dt * k.values[(i + 1) * 3][c];
    const double length = rotation ? std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2] + v[3] * v[3]) : 1.0;
    for (double& c : v)
        c /= length;
    return v;
}

inline Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}

/// World matrix of node index at time t by glTF's rules: parent × T × R × S.
inline Matrix World(int index, double t) {
    const SampleNode& node = Nodes()[static_cast<size_t>(index)];
    Vec p = node.t, q = node.r, s = node.s;
    for (const Keys& k : node.keys)
        (k.path[0] == 't' ? p : k.path[0] == 'r' ? q : s) = Sample(k, t, k.path[0] == 'r');
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double turn[9] = {1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
                            2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
                            2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
    Matrix local{};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            local[c * 4 + r] = turn[c * 3 + r] * s[c];
    for (int r = 0; r < 3; ++r)
        local[12 + r] = p[r];
    local[15] = 1;
    return node.parent < 0 ? local : Multiply(World(node.parent, t), local);
}

/// An 8 × 8 PNG in four 4 × 4 blocks, green and blue like a chessboard.
inline std::string CheckerPng() {
    return GralithTest::RgbaPng(8, 8, [](int x, int y) {
        const bool green = (x < 4) == (y < 4);
        return std::array<unsigned, 4>{20, green ? 220u : 40u, green ? 40u : 230u, 255};
    });
}

/// The scene as glTF JSON referring to "sample.bin", whose bytes are left in bin.
inline std::string SampleGltf(std::string& bin) {
    std::string views, accessors; // one view and one accessor for each piece of the buffer
    int count = 0;
    auto add = [&](const void* data, size_t bytes, size_t elements, const char* type, int component,
                   const std::string& extra = "") {
        bin.resize((bin.size() + 3) / 4 * 4, '\0');
        const std::string comma = count ? "," : "", index = std::to_string(count++);
        views += comma + R"({"buffer":0,"byteOffset":)" + std::to_string(bin.size()) + R"(,"byteLength":)" +
                 std::to_string(bytes) + "}";
        bin.append(static_cast<const char*>(data), bytes);
        accessors += comma + R"({"bufferView":)" + index + R"(,"componentType":)" + std::to_string(component) +
                     R"(,"count":)" + std::to_string(elements) + R"(,"type":")" + type + "\"" + extra + "}";
        return index;
    };
    // The room: six faces seen from inside, each tiled twice by the texture.
    std::vector<float> position, normal, uv;
    std::vector<unsigned short> index;
    for (int face = 0; face < 6; ++face) {
        const int a = face / 2, u = (a + 1) % 3, v = (a + 2) % 3;
        const float side = face % 2 ? 1.0f : -1.0f;
        const auto base = static_cast<unsigned short>(position.size() / 3);
        for (int corner = 0; corner < 4; ++corner) {
            float p[3] = {};
            p[a] = side;
            p[u] = corner % 2 ? 1.0f : -1.0f;
            p[v] = corner / 2 ? 1.0f : -1.0f;
            position.insert(position.end(), p, p + 3);
            float n[3] = {};
            n[a] = -side;
            normal.insert(normal.end(), n, n + 3);
            uv.insert(uv.end(), {corner % 2 ? 2.0f : 0.0f, corner / 2 ? 2.0f : 0.0f});
        }
        // (u, v) runs counter-clockwise seen from +a: inside the room the far side does.
        const bool flip = side > 0;
        for (int k : {0, flip ? 2 : 1, flip ? 1 : 2, 1, flip ? 2 : 3, flip ? 3 : 2})
            index.push_back(static_cast<unsigned short>(base + k));
    }
    const std::string positions =
        add(position.data(), position.size() * 4, 24, "VEC3", 5126, R"(,"min":[-1,-1,-1],"max":[1,1,1])");
    const std::string normals = add(normal.data(), normal.size() * 4, 24, "VEC3", 5126);
    const std::string uvs = add(uv.data(), uv.size() * 4, 24, "VEC2", 5126);
    const std::string indices = add(index.data(), index.size() * 2, index.size(), "SCALAR", 5123);
    const std::string png = CheckerPng();
    const std::string imageView = add(png.data(), png.size(), 1, "SCALAR", 5121); // the same index as its view
    const float triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0}, weights[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    const unsigned char joints[12] = {};
    const std::string corners = add(triangle, sizeof triangle, 3, "VEC3", 5126, R"(,"min":[0,0,0],"max":[1,1,0])");
    const std::string skinJoints = add(joints, sizeof joints, 3, "VEC4", 5121);
    const std::string skinWeights = add(weights, sizeof weights, 3, "VEC4", 5126);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const std::string inverseBind = add(identity, sizeof identity, 1, "MAT4", 5126);

    std::string nodes, samplers, channels, idle;
    for (size_t i = 0; i < Nodes().size(); ++i) {
        const SampleNode& n = Nodes()[i];
        std::string children;
        for (size_t c = 0; c < Nodes().size(); ++c)
            if (Nodes()[c].parent == static_cast<int>(i))
                children += (children.empty() ? "" : ",") + std::to_string(c);
        char trs[256];
        std::snprintf(trs, sizeof trs,
                      R"("translation":[%.9g,%.9g,%.9g],"rotation":[%.9g,%.9g,%.9g,%.9g],"scale":[%.9g,%.9g,%.9g])",
                      n.t[0], n.t[1], n.t[2], n.r[0], n.r[1], n.r[2], n.r[3], n.s[0], n.s[1], n.s[2]);
        nodes += std::string(i ? "," : "") + R"({"name":")" + n.name + "\"," + trs +
                 (children.empty() ? "" : R"(,"children":[)" + children + "]") + (*n.extra ? "," : "") + n.extra + "}";
        for (const Keys& k : n.keys) {
            const int width = k.path[0] == 'r' ? 4 : 3;
            std::vector<float> values;
            for (const Vec& v : k.values)
                values.insert(values.end(), v.begin(), v.begin() + width);
            const std::string input = add(k.times.data(), k.times.size() * 4, k.times.size(), "SCALAR", 5126,
                                          R"(,"min":[)" + std::to_string(k.times.front()) + R"(],"max":[)" +
                                              std::to_string(k.times.back()) + "]");
            const std::string output =
                add(values.data(), values.size() * 4, k.values.size(), width == 4 ? "VEC4" : "VEC3", 5126);
            if (idle.empty()) // a second animation, which the converter leaves out
                idle = R"({"input":)" + input + R"(,"output":)" + output + "}";
            channels += std::string(channels.empty() ? "" : ",") + R"({"sampler":)" +
                        std::to_string(std::count(samplers.begin(), samplers.end(), '{')) + R"(,"target":{"node":)" +
                        std::to_string(i) + R"(,"path":")" + k.path + "\"}}";
            samplers += std::string(samplers.empty() ? "" : ",") + R"({"input":)" + input + R"(,"output":)" + output +
                        R"(,"interpolation":")" + k.interpolation + "\"}";
        }
    }
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,8,9]}],"nodes":[)" + nodes +
           R"(],"meshes":[{"name":"room","primitives":[{"attributes":{"POSITION":)" + positions + R"(,"NORMAL":)" +
           normals + R"(,"TEXCOORD_0":)" + uvs + R"(},"indices":)" + indices +
           R"(,"material":0}]},{"name":"tri","primitives":[{"attributes":{"POSITION":)" + corners + R"(,"JOINTS_0":)" +
           skinJoints + R"(,"WEIGHTS_0":)" + skinWeights + R"(},"targets":[{"POSITION":)" + corners +
           R"(}]}]}],"skins":[{"joints":[1],"inverseBindMatrices":)" + inverseBind +
           R"(}],"materials":[{"name":"checker","pbrMetallicRoughness":{"baseColorTexture":{"index":0}},"normalTexture":{"index":0}}],"textures":[{"source":0}],"images":[{"bufferView":)" +
           imageView +
           R"(,"mimeType":"image/png"}],"cameras":[{"type":"perspective","perspective":{"yfov":0.7,"aspectRatio":1.6,"znear":0.5,"zfar":500}}],"extensionsUsed":["KHR_lights_punctual"],"extensions":{"KHR_lights_punctual":{"lights":[{"type":"directional","color":[1,0.9,0.8],"intensity":1.5},{"type":"point","color":[0.2,0.4,1]}]}},"animations":[{"name":"take","samplers":[)" +
           samplers + R"(],"channels":[)" + channels + R"(]},{"name":"idle","samplers":[)" + idle +
           R"(],"channels":[{"sampler":0,"target":{"node":2,"path":"scale"}}]}],"buffers":[{"uri":"sample.bin","byteLength":)" +
           std::to_string(bin.size()) + R"(}],"bufferViews":[)" + views + R"(],"accessors":[)" + accessors + "]}";
}

} // namespace FsgConvertTest
