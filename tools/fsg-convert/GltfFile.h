#pragma once

#include "Tracks.h"

#include <string>
#include <vector>

namespace FsgConvert {

/// What the converter reads from a glTF 2.0 file (.gltf with its buffers, or .glb) besides the
/// importer: the importer drops the interpolation kind of every animation sampler, the spline
/// tangents and the cameras' vertical field of view, so they come from the file itself. The
/// node tree is kept to match these records to the importer's nodes.
class GltfFile {
public:
    struct Node {
        std::string name;
        std::vector<int> children;
        int camera = -1;
    };
    struct Channel {
        int node = -1;
        std::string path; ///< "translation", "rotation", "scale" or "weights"
        Track track;      ///< empty for "weights"
    };
    struct Animation {
        std::string name;
        std::vector<Channel> channels;
    };

    /// Whether the path ends in ".gltf" or ".glb" (any case).
    static bool Names(const std::string& path);
    /// Reads the file; throws std::runtime_error saying what is malformed.
    explicit GltfFile(const std::string& path);

    std::vector<int> roots; ///< the nodes of the scene the importer loads
    std::vector<Node> nodes;
    std::vector<double> cameraYFov; ///< radians; 0 for orthographic cameras
    std::vector<Animation> animations;
    /// Why the importer would crash on this valid file, or empty: it reads every skin's inverse
    /// bind matrices without checking that the skin has them.
    std::string importerTrap;
};

} // namespace FsgConvert
