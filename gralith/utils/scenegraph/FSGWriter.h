#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/String.h"
#include "gralith/utils/scenegraph/FGMWriter.h"

namespace Gralith::Utils::SceneGraph {

/// Writes FSG scene files (docs/formats.md) for the content tools and the tests. Records are
/// written exactly as given, unchecked (ids need not resolve), so tools can also produce
/// deliberately broken files.
class FSGWriter {
public:
    /// One channel: "none" writes floats[0] as the constant; "linear" writes floats as
    /// (time, value) pairs, "bezier" as (time, value, four tangents) groups; any other type
    /// writes only its name.
    struct Controller {
        String type = "none";
        Array<float> floats;
    };
    /// An animated value: one controller per channel.
    struct Parameter {
        String name;
        Array<Controller> channels;
    };
    struct Geometry {
        String id;
        String name;
        FGMWriter::Block block;
    };
    struct Skin {
        String id;
        String name;
        String geometryId;
        Array<float> bindShape; ///< 16 floats in memory order; the count is written as given
        Array<String> jointSids;
        Array<float> inverseBinds; ///< 16 floats per joint; the count is written as given
    };
    struct Camera {
        String id;
        String name;
        String targetId;
        Array<Parameter> parameters;
    };
    struct Light {
        String id;
        String name;
        String type = "omni"; ///< "ambient", "omni", "spot" or "directional"
        Array<Parameter> parameters;
    };
    struct Texture {
        String name;
        String descriptor;
    };
    struct Material {
        String id;
        String name;
        String program;
        Array<Parameter> parameters;
        Array<Texture> textures;
    };
    /// kind: "matrix" (16 channels, row-major), "translate" (3), "rotate" (axis x, y, z, angle in
    /// degrees), "scale" (3), "lookat" (eye, target, up) or "perspective" (fovY, aspect, near, far).
    struct Transformation {
        String kind;
        Array<Controller> channels;
    };
    struct Batch {
        String geometryId; ///< a geometry id, or a skin id
        String materialId;
    };
    struct Node {
        String id;
        String name;
        String sid; ///< written only by version 102
        Array<Transformation> transformations;
        Array<Batch> batches;
        Array<String> cameraIds;
        Array<String> lightIds;
        Array<Node> children;
    };
    struct Scene {
        int version = 102; ///< 101 or 102
        Array<Geometry> geometries;
        Array<Skin> skins;
        Array<Camera> cameras;
        Array<Light> lights;
        Array<Material> materials;
        Array<Node> nodes;
    };

    static Controller Constant(float value);
    /// count floats as (time, value) pairs.
    static Controller Linear(const float* pairs, int count);
    /// A parameter or transformation channel list of constants.
    static Array<Controller> Constants(const float* values, int count);
    static Transformation MakeTransformation(const String& kind, const float* values, int count);
    static Parameter MakeParameter(const String& name, const float* values, int count);
    /// The 16 floats of the identity matrix.
    static Array<float> Identity();

    static void Write(const Scene& scene, BinaryWriter& out);
    static void WriteAnimation(const Array<Controller>& channels, BinaryWriter& out);
    static void WriteNode(const Node& node, int version, BinaryWriter& out);
};

} // namespace Gralith::Utils::SceneGraph
