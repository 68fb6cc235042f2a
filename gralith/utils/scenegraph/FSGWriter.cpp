#include "gralith/utils/scenegraph/FSGWriter.h"

#include <cstdio>

namespace Gralith::Utils::SceneGraph {

FSGWriter::Controller FSGWriter::Constant(float value) {
    Controller c;
    c.type = "none";
    c.floats.Add(value);
    return c;
}

FSGWriter::Controller FSGWriter::Linear(const float* pairs, int count) {
    Controller c;
    c.type = "linear";
    for (int i = 0; i < count; ++i)
        c.floats.Add(pairs[i]);
    return c;
}

Array<FSGWriter::Controller> FSGWriter::Constants(const float* values, int count) {
    Array<Controller> channels;
    for (int i = 0; i < count; ++i)
        channels.Add(Constant(values[i]));
    return channels;
}

FSGWriter::Transformation FSGWriter::MakeTransformation(const String& kind, const float* values, int count) {
    Transformation t;
    t.kind = kind;
    t.channels = Constants(values, count);
    return t;
}

FSGWriter::Parameter FSGWriter::MakeParameter(const String& name, const float* values, int count) {
    Parameter p;
    p.name = name;
    p.channels = Constants(values, count);
    return p;
}

Array<float> FSGWriter::Identity() {
    Array<float> m;
    for (int i = 0; i < 16; ++i)
        m.Add(i % 5 == 0 ? 1.0f : 0.0f);
    return m;
}

void FSGWriter::WriteAnimation(const Array<Controller>& channels, BinaryWriter& out) {
    out.WriteInt32(channels.Count());
    for (const Controller& c : channels) {
        out.WriteString(c.type);
        if (c.type == "none") {
            out.WriteFloat32(c.floats.Count() > 0 ? c.floats[0] : 0.0f);
        } else if (c.type == "linear" || c.type == "bezier") {
            const int perKey = c.type == "linear" ? 2 : 6;
            out.WriteInt32(c.floats.Count() / perKey);
            for (int i = 0; i < c.floats.Count() / perKey * perKey; ++i)
                out.WriteFloat32(c.floats[i]);
        }
    }
}

static void WriteParameters(const Array<FSGWriter::Parameter>& parameters, BinaryWriter& out) {
    out.WriteInt32(parameters.Count());
    for (const FSGWriter::Parameter& p : parameters) {
        out.WriteString(p.name);
        FSGWriter::WriteAnimation(p.channels, out);
    }
}

void FSGWriter::WriteNode(const Node& node, int version, BinaryWriter& out) {
    out.WriteString(node.id);
    out.WriteString(node.name);
    if (version != 101)
        out.WriteString(node.sid);
    out.WriteInt32(node.transformations.Count());
    for (const Transformation& t : node.transformations) {
        out.WriteString(t.kind);
        WriteAnimation(t.channels, out);
    }
    out.WriteInt32(node.batches.Count());
    for (const Batch& b : node.batches) {
        out.WriteString(b.geometryId);
        out.WriteString(b.materialId);
    }
    out.WriteInt32(node.cameraIds.Count());
    for (const String& id : node.cameraIds)
        out.WriteString(id);
    out.WriteInt32(node.lightIds.Count());
    for (const String& id : node.lightIds)
        out.WriteString(id);
    out.WriteInt32(node.children.Count());
    for (const Node& child : node.children)
        WriteNode(child, version, out);
}

void FSGWriter::Write(const Scene& scene, BinaryWriter& out) {
    char magic[32];
    std::snprintf(magic, sizeof magic, "FSG%d", scene.version);
    out.WriteRaw(magic);

    out.WriteInt32(scene.geometries.Count());
    for (const Geometry& g : scene.geometries) {
        out.WriteString(g.id);
        out.WriteString(g.name);
        FGMWriter::Write(g.block, out);
    }

    out.WriteInt32(scene.skins.Count());
    for (const Skin& s : scene.skins) {
        out.WriteString(s.id);
        out.WriteString(s.name);
        out.WriteString(s.geometryId);
        out.WriteInt32(s.bindShape.Count());
        for (float f : s.bindShape)
            out.WriteFloat32(f);
        out.WriteInt32(s.jointSids.Count());
        for (const String& sid : s.jointSids)
            out.WriteString(sid);
        out.WriteInt32(s.inverseBinds.Count());
        for (float f : s.inverseBinds)
            out.WriteFloat32(f);
    }

    out.WriteInt32(scene.cameras.Count());
    for (const Camera& c : scene.cameras) {
        out.WriteString(c.id);
        out.WriteString(c.name);
        out.WriteString(c.targetId);
        WriteParameters(c.parameters, out);
    }

    out.WriteInt32(scene.lights.Count());
    for (const Light& l : scene.lights) {
        out.WriteString(l.id);
        out.WriteString(l.name);
        out.WriteString(l.type);
        WriteParameters(l.parameters, out);
    }

    out.WriteInt32(scene.materials.Count());
    for (const Material& m : scene.materials) {
        out.WriteString(m.id);
        out.WriteString(m.name);
        out.WriteString(m.program);
        WriteParameters(m.parameters, out);
        out.WriteInt32(m.textures.Count());
        for (const Texture& t : m.textures) {
            out.WriteString(t.name);
            out.WriteString(t.descriptor);
        }
    }

    out.WriteInt32(scene.nodes.Count());
    for (const Node& n : scene.nodes)
        WriteNode(n, scene.version, out);
}

} // namespace Gralith::Utils::SceneGraph
