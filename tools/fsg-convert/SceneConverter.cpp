#include "SceneConverter.h"

#include "MaterialConverter.h"
#include "MeshConverter.h"

#include <assimp/scene.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace FsgConvert {

using Gralith::Utils::Array;
using Gralith::Utils::SceneGraph::FSGWriter;

namespace {

constexpr double Degrees = 180.0 / 3.14159265358979323846;
// The engine refuses deeper node trees.
constexpr int MaxDepth = 256;

// The format's "matrix" is row-major, as the importer's a1 … a4 row.
FSGWriter::Transformation MatrixOf(const aiMatrix4x4& m) {
    const float rows[16] = {m.a1, m.a2, m.a3, m.a4, m.b1, m.b2, m.b3, m.b4,
                            m.c1, m.c2, m.c3, m.c4, m.d1, m.d2, m.d3, m.d4};
    return FSGWriter::MakeTransformation("matrix", rows, 16);
}

bool IsIdentity(const aiMatrix4x4& m) {
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c)
            if (m[r][c] != (r == c ? 1.0f : 0.0f))
                return false;
    return true;
}

// Keys at equal or falling times would divide by zero in the engine: the later key wins.
template <class Key, class Append>
Track KeysOf(const Key* keys, unsigned count, double ticksPerSecond, int width, Append append) {
    Track track;
    track.width = width;
    for (unsigned i = 0; i < count; ++i) {
        const auto t = static_cast<float>(keys[i].mTime / ticksPerSecond);
        if (!track.times.empty() && !(t > track.times.back())) {
            track.values.resize(track.values.size() - static_cast<size_t>(width));
            track.times.pop_back();
        }
        track.times.push_back(t);
        append(track.values, keys[i].mValue);
    }
    return track;
}

void AppendVector(std::vector<float>& values, const aiVector3D& v) { values.insert(values.end(), {v.x, v.y, v.z}); }
void AppendRotation(std::vector<float>& values, const aiQuaternion& q) {
    values.insert(values.end(), {q.x, q.y, q.z, q.w});
}

Track Still(const aiVector3D& v) {
    Track track;
    track.times = {0.0f};
    AppendVector(track.values, v);
    return track;
}

Track Still(const aiQuaternion& q) {
    Track track;
    track.width = 4;
    track.times = {0.0f};
    AppendRotation(track.values, q);
    return track;
}

// True when every channel is the constant given (the transformation changes nothing).
bool Constantly(const Array<FSGWriter::Controller>& channels, std::initializer_list<float> values) {
    int i = 0;
    for (float v : values) {
        const FSGWriter::Controller& c = channels[i++];
        if (c.type != "none" || c.floats[0] != v)
            return false;
    }
    return true;
}

// A local frame at position whose -Z looks along forward with +Y towards up: how cameras and
// lights of the format face.
aiMatrix4x4 Frame(const aiVector3D& position, aiVector3D forward, aiVector3D up) {
    forward.Normalize();
    aiVector3D z = -forward;
    aiVector3D x = up ^ z;
    if (x.Length() < 1e-6f)
        x = aiVector3D(0.0f, 1.0f, 0.0f) ^ z;
    if (x.Length() < 1e-6f)
        x = aiVector3D(1.0f, 0.0f, 0.0f);
    x.Normalize();
    const aiVector3D y = z ^ x;
    return aiMatrix4x4(x.x, y.x, z.x, position.x, x.y, y.y, z.y, position.y, x.z, y.z, z.z, position.z, 0.0f, 0.0f,
                       0.0f, 1.0f);
}

bool Near(const aiVector3D& a, const aiVector3D& b) { return (a - b).Length() < 1e-6f; }

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

class SceneBuilder {
public:
    SceneBuilder(const aiScene& ai, const GltfFile* gltf, const Options& options, Conversion& out)
        : ai(ai), gltf(gltf), options(options), out(out), nodeIds(options.prefix, "node"),
          cameraIds(options.prefix, "camera"), lightIds(options.prefix, "light") {}

    void Build() {
        if (!ai.mRootNode)
            throw std::runtime_error("the file holds no scene");
        std::vector<bool> usedMaterials(ai.mNumMaterials);
        for (unsigned i = 0; i < ai.mNumMeshes; ++i)
            if (ai.mMeshes[i]->mMaterialIndex < ai.mNumMaterials)
                usedMaterials[ai.mMeshes[i]->mMaterialIndex] = true;
        geometryIds = ConvertMeshes(ai, options, out);
        materialIds = ConvertMaterials(ai, usedMaterials, options.input, options.output, options, out);
        PlaceCamerasAndLights();
        ChooseAnimation();
        if (gltf && !MatchGltf(ai.mRootNode)) {
            out.leftOut.push_back("the glTF node tree does not match the importer's: animation keys are taken as "
                                  "linear");
            gltfNodes.clear();
            gltf = nullptr;
        }

        const aiNode& root = *ai.mRootNode;
        const bool flatten = root.mNumChildren > 0 && IsIdentity(root.mTransformation) && root.mNumMeshes == 0 &&
                             !camerasOn.count(&root) && !lightsOn.count(&root) && !IsAnimated(root);
        if (flatten)
            for (unsigned i = 0; i < root.mNumChildren; ++i)
                out.scene.nodes.Add(ConvertNode(*root.mChildren[i], 1));
        else
            out.scene.nodes.Add(ConvertNode(root, 1));

        // Axis and scale come before each top-level node's own transformations, so they apply
        // to the whole tree.
        Array<FSGWriter::Transformation> outer;
        if (options.up == 'z') {
            const float quarter[4] = {1.0f, 0.0f, 0.0f, 90.0f};
            outer.Add(FSGWriter::MakeTransformation("rotate", quarter, 4));
        }
        if (options.scale != 1.0) {
            const float s = static_cast<float>(options.scale);
            const float scale[3] = {s, s, s};
            outer.Add(FSGWriter::MakeTransformation("scale", scale, 3));
        }
        for (FSGWriter::Node& node : out.scene.nodes) {
            Array<FSGWriter::Transformation> all = outer;
            for (const FSGWriter::Transformation& t : node.transformations)
                all.Add(t);
            node.transformations = all;
        }
        for (const auto& [name, channel] : nodeAnims)
            if (!ai.mRootNode->FindNode(name.c_str()))
                out.leftOut.push_back("animation of " + Quoted(name) + ": no node of that name");
    }

private:
    void PlaceCamerasAndLights() {
        for (unsigned i = 0; i < ai.mNumCameras; ++i) {
            const aiCamera& camera = *ai.mCameras[i];
            const aiNode* node = ai.mRootNode->FindNode(camera.mName);
            if (camera.mOrthographicWidth > 0.0f)
                out.leftOut.push_back("orthographic camera " + Quoted(camera.mName.C_Str()));
            else if (!node)
                out.leftOut.push_back("camera " + Quoted(camera.mName.C_Str()) + ": no node of that name");
            else
                camerasOn[node].push_back(i);
        }
        for (unsigned i = 0; i < ai.mNumLights; ++i) {
            const aiLight& light = *ai.mLights[i];
            const aiNode* node = ai.mRootNode->FindNode(light.mName);
            if (light.mType == aiLightSource_AREA || light.mType == aiLightSource_UNDEFINED)
                out.leftOut.push_back(std::string(light.mType == aiLightSource_AREA ? "area" : "unknown") + " light " +
                                      Quoted(light.mName.C_Str()));
            else if (!node)
                out.leftOut.push_back("light " + Quoted(light.mName.C_Str()) + ": no node of that name");
            else
                lightsOn[node].push_back(i);
        }
    }

    void ChooseAnimation() {
        for (unsigned a = 0; a < ai.mNumAnimations; ++a) {
            const aiAnimation& animation = *ai.mAnimations[a];
            const std::string name = Quoted(animation.mName.C_Str(), "#" + std::to_string(a));
            if (a > 0) {
                out.leftOut.push_back("animation " + name + ": only the first animation is converted");
                continue;
            }
            ticksPerSecond = animation.mTicksPerSecond > 0.0 ? animation.mTicksPerSecond : 25.0;
            out.listing.push_back("animation " + name + ": " + Number(animation.mDuration / ticksPerSecond) + " s, " +
                                  std::to_string(animation.mNumChannels) + " animated nodes");
            for (unsigned c = 0; c < animation.mNumChannels; ++c)
                nodeAnims.emplace(animation.mChannels[c]->mNodeName.C_Str(), animation.mChannels[c]);
            for (unsigned c = 0; c < animation.mNumMorphMeshChannels; ++c)
                out.leftOut.push_back("morph target animation of " +
                                      Quoted(animation.mMorphMeshChannels[c]->mName.C_Str()));
            for (unsigned c = 0; c < animation.mNumMeshChannels; ++c)
                out.leftOut.push_back("mesh animation of " + Quoted(animation.mMeshChannels[c]->mName.C_Str()));
        }
    }

    // The importer makes one node per glTF node, in the file's child order, under a "ROOT" of its
    // own when the scene has several.
    bool MatchGltf(const aiNode* root) {
        if (gltf->roots.size() == 1)
            return MatchGltf(root, gltf->roots[0], 0);
        if (root->mNumChildren != gltf->roots.size())
            return false;
        for (unsigned i = 0; i < root->mNumChildren; ++i)
            if (!MatchGltf(root->mChildren[i], gltf->roots[i], 0))
                return false;
        return true;
    }

    bool MatchGltf(const aiNode* node, int index, int depth) {
        if (index < 0 || static_cast<size_t>(index) >= gltf->nodes.size() || depth > MaxDepth)
            return false;
        const GltfFile::Node& g = gltf->nodes[static_cast<size_t>(index)];
        if ((!g.name.empty() && g.name != node->mName.C_Str()) || g.children.size() != node->mNumChildren)
            return false;
        gltfNodes[node] = index;
        for (unsigned i = 0; i < node->mNumChildren; ++i)
            if (!MatchGltf(node->mChildren[i], g.children[i], depth + 1))
                return false;
        return true;
    }

    const aiNodeAnim* ChannelOf(const aiNode& node) const {
        auto found = nodeAnims.find(node.mName.C_Str());
        return found != nodeAnims.end() && ai.mRootNode->FindNode(node.mName) == &node ? found->second : nullptr;
    }

    const Track* GltfTrack(const aiNode& node, const char* path) const {
        auto found = gltfNodes.find(&node);
        if (!gltf || found == gltfNodes.end() || gltf->animations.empty())
            return nullptr;
        for (const GltfFile::Channel& channel : gltf->animations[0].channels)
            if (channel.node == found->second && channel.path == path)
                return &channel.track;
        return nullptr;
    }

    bool IsAnimated(const aiNode& node) const {
        return gltf ? GltfTrack(node, "translation") || GltfTrack(node, "rotation") || GltfTrack(node, "scale")
                    : ChannelOf(node) != nullptr;
    }

    // Animated nodes get translate, rotate and scale (the parts that change nothing left out);
    // the others their matrix, exactly.
    void Transform(const aiNode& node, FSGWriter::Node& target) {
        if (!IsAnimated(node)) {
            if (!IsIdentity(node.mTransformation))
                target.transformations.Add(MatrixOf(node.mTransformation));
            return;
        }
        aiVector3D scaling, position;
        aiQuaternion rotation;
        node.mTransformation.Decompose(scaling, rotation, position);
        const aiNodeAnim* channel = gltf ? nullptr : ChannelOf(node);
        auto pick = [&](const char* path, unsigned count, auto keys, int width, auto append, Track still) {
            if (gltf)
                return GltfTrack(node, path) ? *GltfTrack(node, path) : still;
            return channel && count ? KeysOf(keys, count, ticksPerSecond, width, append) : still;
        };
        const Track translation = pick("translation", channel ? channel->mNumPositionKeys : 0,
                                       channel ? channel->mPositionKeys : nullptr, 3, AppendVector, Still(position));
        const Track turn = pick("rotation", channel ? channel->mNumRotationKeys : 0,
                                channel ? channel->mRotationKeys : nullptr, 4, AppendRotation, Still(rotation));
        const Track scale = pick("scale", channel ? channel->mNumScalingKeys : 0,
                                 channel ? channel->mScalingKeys : nullptr, 3, AppendVector, Still(scaling));

        std::string line = "animated node " + Quoted(node.mName.C_Str()) + ":";
        auto add = [&](const char* kind, const char* path, const Track& track, Array<FSGWriter::Controller> channels,
                       const TrackKeys& keys, std::initializer_list<float> neutral) {
            if (Constantly(channels, neutral))
                return;
            FSGWriter::Transformation t;
            t.kind = kind;
            t.channels = channels;
            target.transformations.Add(t);
            if (keys.writtenKeys == 0)
                return;
            ++out.animatedTransformations;
            out.sourceKeys += keys.sourceKeys;
            out.writtenKeys += keys.writtenKeys;
            line += std::string(" ") + path + " (" + KindName(track.kind) + ", " + std::to_string(keys.sourceKeys) +
                    " keys, " + std::to_string(keys.writtenKeys) + " written)";
        };
        TrackKeys keys;
        Array<FSGWriter::Controller> channels = VectorChannels(translation, options.tolerance, &keys);
        add("translate", "translation", translation, channels, keys, {0.0f, 0.0f, 0.0f});
        channels = RotationChannels(turn, options.tolerance, &keys);
        add("rotate", "rotation", turn, channels, keys, {0.0f, 0.0f, 1.0f, 0.0f});
        channels = VectorChannels(scale, options.tolerance, &keys);
        add("scale", "scale", scale, channels, keys, {1.0f, 1.0f, 1.0f});
        out.listing.push_back(line);
    }

    FSGWriter::Node ConvertNode(const aiNode& node, int depth) {
        if (depth > MaxDepth)
            throw std::runtime_error("the node tree is deeper than " + std::to_string(MaxDepth) + " levels");
        ++out.nodes;
        FSGWriter::Node target;
        const std::string name = node.mName.C_Str();
        const std::string id = nodeIds.Make(name);
        target.id = id.c_str();
        target.name = (options.prefix + name).c_str();
        target.sid = target.id;
        Transform(node, target);
        for (unsigned i = 0; i < node.mNumMeshes; ++i) {
            const unsigned mesh = node.mMeshes[i];
            if (mesh >= geometryIds.size() || geometryIds[mesh].empty())
                continue;
            const unsigned material = ai.mMeshes[mesh]->mMaterialIndex;
            const std::string materialId = material < materialIds.size() ? materialIds[material] : "";
            target.batches.Add({geometryIds[mesh].c_str(), materialId.c_str()});
        }
        if (camerasOn.count(&node))
            for (unsigned index : camerasOn[&node])
                AddCamera(*ai.mCameras[index], node, target);
        if (lightsOn.count(&node))
            for (unsigned index : lightsOn[&node])
                AddLight(*ai.mLights[index], target);
        for (unsigned i = 0; i < node.mNumChildren; ++i)
            target.children.Add(ConvertNode(*node.mChildren[i], depth + 1));
        return target;
    }

    // The node a camera or light hangs on: its own, or a child holding the frame it faces in.
    FSGWriter::Node* Holder(FSGWriter::Node& node, bool framed, const aiMatrix4x4& frame, const char* suffix) {
        if (!framed)
            return &node;
        FSGWriter::Node child;
        const std::string id = nodeIds.Make(std::string(node.id.CStr()).substr(options.prefix.size()) + suffix);
        child.id = child.sid = id.c_str();
        child.name = child.id;
        child.transformations.Add(MatrixOf(frame));
        ++out.nodes;
        return &node.children[node.children.Add(child)];
    }

    void AddCamera(const aiCamera& source, const aiNode& node, FSGWriter::Node& target) {
        // glTF cameras look along their node's -Z; the importer copies the node's translation
        // into the camera's position as well, which would count it twice.
        auto found = gltfNodes.find(&node);
        const bool framed =
            found == gltfNodes.end() && (!Near(source.mPosition, aiVector3D()) ||
                                         !Near(aiVector3D(source.mLookAt).Normalize(), aiVector3D(0.0f, 0.0f, -1.0f)) ||
                                         !Near(aiVector3D(source.mUp).Normalize(), aiVector3D(0.0f, 1.0f, 0.0f)));
        FSGWriter::Node* holder =
            Holder(target, framed, Frame(source.mPosition, source.mLookAt, source.mUp), "-camera");
        FSGWriter::Camera camera;
        const std::string id = cameraIds.Make(source.mName.C_Str());
        camera.id = id.c_str();
        camera.name = (options.prefix + source.mName.C_Str()).c_str();
        camera.targetId = holder->id;
        const double aspect = source.mAspect;
        // The importer's horizontal angle is the whole angle; glTF's own vertical one is exact.
        double yfov =
            aspect > 0.0 ? 2.0 * std::atan(std::tan(source.mHorizontalFOV / 2.0) / aspect) : source.mHorizontalFOV;
        if (found != gltfNodes.end()) {
            const int index = gltf->nodes[static_cast<size_t>(found->second)].camera;
            if (index >= 0 && static_cast<size_t>(index) < gltf->cameraYFov.size() &&
                gltf->cameraYFov[static_cast<size_t>(index)] > 0.0)
                yfov = gltf->cameraYFov[static_cast<size_t>(index)];
        }
        const double xfov = aspect > 0.0 ? 2.0 * std::atan(std::tan(yfov / 2.0) * aspect) : source.mHorizontalFOV;
        auto parameter = [&camera](const char* name, double value) {
            const float v = static_cast<float>(value);
            camera.parameters.Add(FSGWriter::MakeParameter(name, &v, 1));
        };
        parameter("xfov", xfov * Degrees);
        parameter("yfov", yfov * Degrees);
        if (aspect > 0.0)
            parameter("aspect_ratio", aspect);
        parameter("znear", source.mClipPlaneNear * options.scale);
        parameter("zfar", source.mClipPlaneFar * options.scale);
        holder->cameraIds.Add(camera.id);
        out.scene.cameras.Add(camera);
        out.listing.push_back("camera " + Quoted(source.mName.C_Str()) + ": yfov " + Number(yfov * Degrees) +
                              " degrees, near " + Number(source.mClipPlaneNear) + ", far " +
                              Number(source.mClipPlaneFar));
    }

    void AddLight(const aiLight& source, FSGWriter::Node& target) {
        static const char* const types[] = {"", "directional", "omni", "spot", "ambient"};
        const char* type = types[source.mType];
        const bool aimed = source.mType == aiLightSource_DIRECTIONAL || source.mType == aiLightSource_SPOT;
        const bool framed = !Near(source.mPosition, aiVector3D()) ||
                            (aimed && source.mDirection.Length() > 0.0f &&
                             !Near(aiVector3D(source.mDirection).Normalize(), aiVector3D(0.0f, 0.0f, -1.0f)));
        const aiVector3D forward = source.mDirection.Length() > 0.0f ? source.mDirection : aiVector3D(0, 0, -1);
        FSGWriter::Node* holder = Holder(target, framed, Frame(source.mPosition, forward, source.mUp), "-light");
        FSGWriter::Light light;
        const std::string id = lightIds.Make(source.mName.C_Str());
        light.id = id.c_str();
        light.name = (options.prefix + source.mName.C_Str()).c_str();
        light.type = type;
        aiColor3D colour = source.mColorDiffuse;
        if (source.mType == aiLightSource_AMBIENT && !source.mColorAmbient.IsBlack())
            colour = source.mColorAmbient;
        const float rgb[3] = {colour.r, colour.g, colour.b};
        light.parameters.Add(FSGWriter::MakeParameter("color", rgb, 3));
        if (source.mType == aiLightSource_POINT || source.mType == aiLightSource_SPOT) {
            // Distances grow with the scale; the falloff per distance shrinks with it.
            const float s = static_cast<float>(options.scale);
            const float attenuation[3] = {source.mAttenuationConstant, source.mAttenuationLinear / s,
                                          source.mAttenuationQuadratic / (s * s)};
            light.parameters.Add(FSGWriter::MakeParameter("constant_attenuation", attenuation, 1));
            light.parameters.Add(FSGWriter::MakeParameter("linear_attenuation", attenuation + 1, 1));
            light.parameters.Add(FSGWriter::MakeParameter("quadratic_attenuation", attenuation + 2, 1));
        }
        if (source.mType == aiLightSource_SPOT) {
            const float cone = static_cast<float>(2.0 * source.mAngleOuterCone * Degrees);
            light.parameters.Add(FSGWriter::MakeParameter("falloff_angle", &cone, 1));
        }
        holder->lightIds.Add(light.id);
        out.scene.lights.Add(light);
        out.listing.push_back(std::string("light ") + Quoted(source.mName.C_Str()) + ": " + type + ", colour " +
                              Number(colour.r) + " " + Number(colour.g) + " " + Number(colour.b));
    }

    const aiScene& ai;
    const GltfFile* gltf;
    const Options& options;
    Conversion& out;
    IdTable nodeIds, cameraIds, lightIds;
    std::vector<std::string> geometryIds, materialIds;
    std::map<const aiNode*, std::vector<unsigned>> camerasOn, lightsOn;
    std::map<const aiNode*, int> gltfNodes;
    double ticksPerSecond = 25.0;
    std::map<std::string, const aiNodeAnim*> nodeAnims;
};

} // namespace

std::string IdTable::Make(const std::string& name) {
    std::string id = name.empty() ? fallback : name;
    for (char& c : id)
        if (c == ':' || c == ';' || c == '{' || c == '}' || c == '$' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    // Unnamed things are numbered from 1, a repeated name gets "-2", "-3", ...
    std::string unique = name.empty() ? id + "1" : id;
    for (int n = 2; used.count(unique); ++n)
        unique = id + (name.empty() ? "" : "-") + std::to_string(n);
    used[unique] = 1;
    return prefix + unique;
}

std::string Quoted(const std::string& name, const std::string& unnamed) {
    return name.empty() ? unnamed : "'" + name + "'";
}

Conversion ConvertScene(const aiScene& scene, const GltfFile* gltf, const Options& options) {
    Conversion out;
    out.scene.version = 102;
    SceneBuilder(scene, gltf, options, out).Build();
    return out;
}

} // namespace FsgConvert
