#include "Tracks.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace FsgConvert {

using Gralith::Utils::Array;
using Gralith::Utils::SceneGraph::FSGWriter;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Degrees = 180.0 / Pi;
// Halving a source segment at most this often (1024 pieces) bounds the file whatever the curve.
constexpr int MaxDepth = 10;

double Dot4(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3]; }

void Normalise4(double* q) {
    const double length = std::sqrt(Dot4(q, q));
    if (length > 0.0)
        for (int i = 0; i < 4; ++i)
            q[i] /= length;
}

void Slerp(const float* a, const float* b, double s, double out[4]) {
    double qa[4] = {a[0], a[1], a[2], a[3]}, qb[4] = {b[0], b[1], b[2], b[3]};
    Normalise4(qa);
    Normalise4(qb);
    double d = Dot4(qa, qb);
    if (d < 0.0) { // the shorter arc
        for (double& c : qb)
            c = -c;
        d = -d;
    }
    double wa = 1.0 - s, wb = s;
    if (d < 0.9999999) {
        const double angle = std::acos(d);
        wa = std::sin(wa * angle) / std::sin(angle);
        wb = std::sin(wb * angle) / std::sin(angle);
    }
    for (int i = 0; i < 4; ++i)
        out[i] = wa * qa[i] + wb * qb[i];
    Normalise4(out);
}

// A key as the engine will hold it: the channel values at one time. Rotations are held as
// axis x, y, z and the angle in degrees.
struct Key {
    double t;
    double v[4];
};

float Next(double t, double towards) { return std::nextafter(static_cast<float>(t), static_cast<float>(towards)); }

// Source key times, plus for step tracks a key on the float just before each change, which
// holds the previous value there: the engine's straight line then rises between two adjacent
// floats, where no time can fall.
std::vector<double> BaseTimes(const Track& track) {
    std::vector<double> times;
    for (int i = 0; i < track.KeyCount(); ++i) {
        if (track.kind == Track::Step && i > 0) {
            const float hold = Next(track.times[i], -INFINITY);
            if (hold > track.times[i - 1])
                times.push_back(hold);
        }
        times.push_back(track.times[i]);
    }
    return times;
}

// Where the engine's rendering of a key's channels differs from the source between two keys.
using Converter = std::function<Key(double t, const Key* previous)>;
using ErrorOf = std::function<double(const Key& a, const Key& b)>;

class KeyBuilder {
public:
    KeyBuilder(const Track& track, double tolerance, Converter convert, ErrorOf error)
        : track(track), tolerance(tolerance), convert(std::move(convert)), error(std::move(error)) {}

    std::vector<Key> Build(const std::function<void(std::vector<Key>&, const Key&)>& beforeSegment) {
        const std::vector<double> times = BaseTimes(track);
        if (times.empty())
            return keys;
        keys.push_back(convert(times[0], nullptr));
        for (size_t i = 1; i < times.size(); ++i)
            Segment(times[i], 0, beforeSegment);
        return keys;
    }

private:
    void Segment(double tb, int depth, const std::function<void(std::vector<Key>&, const Key&)>& beforeSegment) {
        Key b = convert(tb, &keys.back());
        if (beforeSegment) {
            beforeSegment(keys, b);
            b = convert(tb, &keys.back());
        }
        const Key& a = keys.back();
        if (track.kind != Track::Step && depth < MaxDepth && error(a, b) > tolerance) {
            const double middle = static_cast<float>(0.5 * (a.t + tb));
            if (middle > a.t && middle < tb) {
                Segment(middle, depth + 1, beforeSegment);
                Segment(tb, depth + 1, beforeSegment);
                return;
            }
        }
        keys.push_back(b);
    }

    const Track& track;
    double tolerance;
    Converter convert;
    ErrorOf error;
    std::vector<Key> keys;
};

// Straight lines and fractions at which a segment is checked against the source.
constexpr double Probes[3] = {0.25, 0.5, 0.75};

// The engine's controllers for the keys: a constant for a channel that never changes, else
// linear or bezier keys. Bezier tangents are the source curve's one-sided slopes at each key,
// as control points a third of the neighbouring interval away (time, value).
Array<FSGWriter::Controller> Channels(const std::vector<Key>& keys, int width, bool bezier, const Converter& convert,
                                      TrackKeys* stats) {
    Array<FSGWriter::Controller> channels;
    bool animated = false;
    for (int c = 0; c < width; ++c) {
        bool constant = true;
        for (const Key& k : keys)
            constant = constant && static_cast<float>(k.v[c]) == static_cast<float>(keys[0].v[c]);
        if (constant) {
            channels.Add(FSGWriter::Constant(keys.empty() ? 0.0f : static_cast<float>(keys[0].v[c])));
            continue;
        }
        animated = true;
        FSGWriter::Controller controller;
        controller.type = bezier ? "bezier" : "linear";
        controller.floats.Reserve(static_cast<int>(keys.size()) * (bezier ? 6 : 2));
        for (size_t k = 0; k < keys.size(); ++k) {
            const Key& key = keys[k];
            controller.floats.Add(static_cast<float>(key.t));
            controller.floats.Add(static_cast<float>(key.v[c]));
            if (!bezier)
                continue;
            const double before = k > 0 ? key.t - keys[k - 1].t : keys[k + 1].t - key.t;
            const double after = k + 1 < keys.size() ? keys[k + 1].t - key.t : before;
            const double h = 1e-4 * std::min(before, after);
            const double slopeIn = (key.v[c] - convert(key.t - h, &key).v[c]) / h;
            const double slopeOut = (convert(key.t + h, &key).v[c] - key.v[c]) / h;
            controller.floats.Add(static_cast<float>(key.t - before / 3.0));
            controller.floats.Add(static_cast<float>(key.v[c] - slopeIn * before / 3.0));
            controller.floats.Add(static_cast<float>(key.t + after / 3.0));
            controller.floats.Add(static_cast<float>(key.v[c] + slopeOut * after / 3.0));
        }
        channels.Add(controller);
    }
    if (stats) {
        stats->sourceKeys = 0;
        stats->writtenKeys = animated ? static_cast<int>(keys.size()) : 0;
    }
    return channels;
}

// The rotation as axis and angle, continuing previous: the axis on the same side and the angle
// within half a turn of it, so that the engine's channel-wise interpolation turns the short way.
Key AxisAngle(double t, const double q[4], const Key* previous) {
    Key key{t, {0.0, 0.0, 1.0, 0.0}};
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
    if (length < 1e-9) {
        if (previous)
            std::copy(previous->v, previous->v + 3, key.v);
    } else {
        for (int i = 0; i < 3; ++i)
            key.v[i] = q[i] / length;
        if (previous && key.v[0] * previous->v[0] + key.v[1] * previous->v[1] + key.v[2] * previous->v[2] < 0.0)
            for (int i = 0; i < 3; ++i)
                key.v[i] = -key.v[i];
    }
    const double along = q[0] * key.v[0] + q[1] * key.v[1] + q[2] * key.v[2];
    key.v[3] = 2.0 * std::atan2(along, q[3]) * Degrees;
    if (previous)
        key.v[3] += 360.0 * std::round((previous->v[3] - key.v[3]) / 360.0);
    return key;
}

bool IsIdentity(const Key& key) { return std::fabs(std::sin(key.v[3] / Degrees * 0.5)) < 1e-9; }

// The rotation the engine builds at fraction s between two keys, as a quaternion.
void EngineRotation(const Key& a, const Key& b, double s, double q[4]) {
    double axis[3], length = 0.0;
    for (int i = 0; i < 3; ++i) {
        axis[i] = a.v[i] + (b.v[i] - a.v[i]) * s;
        length += axis[i] * axis[i];
    }
    length = std::sqrt(length);
    const double half = (a.v[3] + (b.v[3] - a.v[3]) * s) / Degrees * 0.5;
    for (int i = 0; i < 3; ++i)
        q[i] = length > 0.0 ? axis[i] / length * std::sin(half) : 0.0;
    q[3] = std::cos(half);
}

} // namespace

const char* KindName(Track::Kind kind) {
    switch (kind) {
    case Track::Linear: return "linear";
    case Track::Step: return "step";
    case Track::Cubic: return "cubic";
    }
    return "?";
}

const float* Track::Value(int key) const {
    return values.data() + (kind == Cubic ? (3 * key + 1) * width : key * width);
}

void Track::Evaluate(double t, double out[4]) const {
    const int n = KeyCount();
    out[0] = out[1] = out[2] = 0.0;
    out[3] = 1.0;
    if (n == 0)
        return;
    int first = 0;
    if (t >= times[n - 1]) {
        first = n - 1;
    } else if (t > times[0]) {
        first = static_cast<int>(std::upper_bound(times.begin(), times.end(), t) - times.begin()) - 1;
    }
    const float* a = Value(first);
    if (first == n - 1 || t <= times[0] || kind == Step) {
        for (int i = 0; i < width; ++i)
            out[i] = a[i];
        if (width == 4)
            Normalise4(out);
        return;
    }
    const float* b = Value(first + 1);
    const double dt = times[first + 1] - times[first];
    const double s = (t - times[first]) / dt;
    if (kind == Linear) {
        if (width == 4)
            Slerp(a, b, s, out);
        else
            for (int i = 0; i < width; ++i)
                out[i] = a[i] + (b[i] - a[i]) * s;
        return;
    }
    const float* outTangent = a + width;
    const float* inTangent = b - width;
    const double s2 = s * s, s3 = s2 * s;
    for (int i = 0; i < width; ++i)
        out[i] = (2 * s3 - 3 * s2 + 1) * a[i] + (s3 - 2 * s2 + s) * dt * outTangent[i] + (-2 * s3 + 3 * s2) * b[i] +
                 (s3 - s2) * dt * inTangent[i];
    if (width == 4)
        Normalise4(out);
}

Array<FSGWriter::Controller> VectorChannels(const Track& track, double tolerance, TrackKeys* stats) {
    Converter convert = [&track](double t, const Key*) {
        Key key{t, {}};
        track.Evaluate(t, key.v);
        return key;
    };
    ErrorOf error = [&track](const Key& a, const Key& b) {
        double worst = 0.0;
        for (double s : Probes) {
            double source[4];
            track.Evaluate(a.t + (b.t - a.t) * s, source);
            for (int i = 0; i < 3; ++i)
                worst = std::max(worst, std::fabs(source[i] - (a.v[i] + (b.v[i] - a.v[i]) * s)));
        }
        return worst;
    };
    std::vector<Key> keys = KeyBuilder(track, tolerance, convert, error).Build(nullptr);
    Array<FSGWriter::Controller> channels = Channels(keys, 3, track.kind == Track::Cubic, convert, stats);
    if (stats)
        stats->sourceKeys = track.KeyCount();
    return channels;
}

Array<FSGWriter::Controller> RotationChannels(const Track& track, double toleranceRadians, TrackKeys* stats) {
    Converter convert = [&track](double t, const Key* previous) {
        double q[4];
        track.Evaluate(t, q);
        return AxisAngle(t, q, previous);
    };
    ErrorOf error = [&track](const Key& a, const Key& b) {
        double worst = 0.0;
        for (double s : Probes) {
            double source[4], engine[4];
            track.Evaluate(a.t + (b.t - a.t) * s, source);
            EngineRotation(a, b, s, engine);
            const double d = std::min(1.0, std::fabs(Dot4(source, engine)));
            worst = std::max(worst, 2.0 * std::atan2(std::sqrt(std::max(0.0, 1.0 - d * d)), d));
        }
        return worst;
    };
    // A key without rotation has no axis of its own: it takes the next key's axis on a twin key
    // one float later, so the turn that follows stays about one axis.
    auto turnTowards = [](std::vector<Key>& keys, const Key& next) {
        const Key& last = keys.back();
        if (!IsIdentity(last) || IsIdentity(next))
            return;
        const double d = last.v[0] * next.v[0] + last.v[1] * next.v[1] + last.v[2] * next.v[2];
        const float twin = Next(last.t, INFINITY);
        if (d > 1.0 - 1e-12 || twin >= next.t)
            return;
        Key turned = last;
        turned.t = twin;
        std::copy(next.v, next.v + 3, turned.v);
        keys.push_back(turned);
    };
    std::vector<Key> keys = KeyBuilder(track, toleranceRadians, convert, error).Build(turnTowards);
    Array<FSGWriter::Controller> channels = Channels(keys, 4, track.kind == Track::Cubic, convert, stats);
    if (stats)
        stats->sourceKeys = track.KeyCount();
    return channels;
}

} // namespace FsgConvert
