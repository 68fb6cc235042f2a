#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/scenegraph/FSGWriter.h"

#include <vector>

namespace FsgConvert {

/// One animated property of a node (translation, rotation or scale), times in seconds, with
/// glTF's interpolation rules: linear (rotations slerped on the shorter arc), step (a key holds
/// until the next), cubic (Hermite spline; rotations normalised after it).
struct Track {
    enum Kind { Linear, Step, Cubic };
    Kind kind = Linear;
    int width = 3; ///< 3 for translation and scale, 4 for a rotation quaternion x, y, z, w
    std::vector<float> times;
    /// width floats per key; cubic keys hold in-tangent, value, out-tangent (3 × width floats),
    /// tangents in units per second.
    std::vector<float> values;

    int KeyCount() const { return static_cast<int>(times.size()); }
    const float* Value(int key) const;
    /// The value at time t into out[width]; the first key's value before it, the last one's after.
    void Evaluate(double t, double out[4]) const;
};

const char* KindName(Track::Kind kind);

/// What the conversion of one track wrote.
struct TrackKeys {
    int sourceKeys = 0;
    int writtenKeys = 0; ///< keys of the busiest channel; 0 when every channel came out constant
};

/// The 3 channels of a "translate" or "scale" transformation. Linear keys give linear
/// controllers; step keys give linear controllers whose every change happens between two adjacent
/// float times (each key's value is held up to the float just before the next key), so they
/// evaluate exactly as steps; cubic keys give bezier controllers, with keys added where the
/// engine's straight lines between keys would leave the curve by more than tolerance.
Gralith::Utils::Array<Gralith::Utils::SceneGraph::FSGWriter::Controller>
VectorChannels(const Track& track, double tolerance, TrackKeys* keys);

/// The 4 channels of a "rotate" transformation (axis x, y, z, angle in degrees), which the engine
/// interpolates channel by channel. Keys are added wherever that would differ from the source's
/// rotation by more than toleranceRadians; a turn about a fixed axis needs none. Cubic tracks give
/// bezier controllers, the others linear ones (steps as in VectorChannels).
Gralith::Utils::Array<Gralith::Utils::SceneGraph::FSGWriter::Controller>
RotationChannels(const Track& track, double toleranceRadians, TrackKeys* keys);

} // namespace FsgConvert
