#include "ShowScene.h"

#include "Mesh.h"

#include <cmath>
#include <string>

namespace Halcyra::SceneTool {

using Gralith::Utils::String;
using Gralith::Utils::SceneGraph::FSGWriter;

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr int Pillars = 8;
constexpr float PillarRadius = 60.0f;
constexpr float PillarTop = 64.0f;
constexpr float PillarBottom = -80.0f;
constexpr int Monoliths = 12;

String S(const std::string& text) { return String(text.c_str()); }

FSGWriter::Transformation Translate(float x, float y, float z) {
    const float v[3] = {x, y, z};
    return FSGWriter::MakeTransformation("translate", v, 3);
}

FSGWriter::Transformation Rotate(float ax, float ay, float az, float degrees) {
    const float v[4] = {ax, ay, az, degrees};
    return FSGWriter::MakeTransformation("rotate", v, 4);
}

// A rotation whose angle runs linearly between the keys (time, degrees) given.
FSGWriter::Transformation Spin(float ax, float ay, float az, std::initializer_list<float> keys) {
    FSGWriter::Transformation t = Rotate(ax, ay, az, 0.0f);
    const std::vector<float> pairs(keys);
    t.channels[3] = FSGWriter::Linear(pairs.data(), static_cast<int>(pairs.size()));
    return t;
}

// Bezier channel through (time, value) keys; the tangent floats are stored, not evaluated.
FSGWriter::Controller Bezier(std::initializer_list<float> keys) {
    FSGWriter::Controller c;
    c.type = "bezier";
    const std::vector<float> pairs(keys);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        c.floats.Add(pairs[i]);
        c.floats.Add(pairs[i + 1]);
        c.floats.Add(pairs[i] - 0.5f);
        c.floats.Add(pairs[i + 1]);
        c.floats.Add(pairs[i] + 0.5f);
        c.floats.Add(pairs[i + 1]);
    }
    return c;
}

FSGWriter::Node MakeNode(const std::string& id) {
    FSGWriter::Node n;
    n.id = S(id);
    n.name = S(id);
    n.sid = S(id);
    return n;
}

FSGWriter::Batch Draw(const char* geometry, const char* material) {
    FSGWriter::Batch b;
    b.geometryId = geometry;
    b.materialId = material;
    return b;
}

void AddGeometry(FSGWriter::Scene& scene, const char* id, const Mesh& mesh) {
    FSGWriter::Geometry g;
    g.id = id;
    g.name = id;
    g.block = mesh.ToBlock();
    scene.geometries.Add(g);
}

void AddMaterial(FSGWriter::Scene& scene, const char* id, const char* texture, float shininess) {
    FSGWriter::Material m;
    m.id = id;
    m.name = id;
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    m.parameters.Add(FSGWriter::MakeParameter("diffuse", white, 4));
    m.parameters.Add(FSGWriter::MakeParameter("shininess", &shininess, 1));
    FSGWriter::Texture t;
    t.name = "diffuse";
    // Looked up under the scene's "scenes/" prefix first, then from the data root.
    t.descriptor = texture;
    m.textures.Add(t);
    scene.materials.Add(m);
}

FSGWriter::Node Colonnade() {
    FSGWriter::Node colonnade = MakeNode("colonnade");
    // A slow drift of the whole colonnade over the show's scene time range.
    colonnade.transformations.Add(Spin(0, 0, 1, {-3.0f, -9.0f, 9.0f, 27.0f}));
    for (int i = 0; i < Pillars; ++i) {
        const float a = 2.0f * Pi * static_cast<float>(i) / Pillars;
        FSGWriter::Node pillar = MakeNode("pillar-" + std::to_string(i));
        pillar.transformations.Add(Translate(PillarRadius * std::cos(a), PillarRadius * std::sin(a), 0.0f));
        pillar.batches.Add(Draw("pillar", "panels"));
        FSGWriter::Node top = MakeNode("capital-" + std::to_string(i));
        top.transformations.Add(Translate(0.0f, 0.0f, PillarTop + 3.0f));
        top.batches.Add(Draw("capital", "panels"));
        pillar.children.Add(top);
        FSGWriter::Node base = MakeNode("base-" + std::to_string(i));
        base.transformations.Add(Translate(0.0f, 0.0f, PillarBottom + 3.0f));
        base.batches.Add(Draw("capital", "panels"));
        pillar.children.Add(base);
        colonnade.children.Add(pillar);

        // The arch to the next pillar, standing on both capitals.
        const float mid = a + Pi / Pillars;
        const float chordCentre = PillarRadius * std::cos(Pi / Pillars);
        FSGWriter::Node arch = MakeNode("arch-" + std::to_string(i));
        arch.transformations.Add(Translate(chordCentre * std::cos(mid), chordCentre * std::sin(mid), PillarTop + 6.0f));
        arch.transformations.Add(Rotate(0, 0, 1, mid * 180.0f / Pi + 90.0f));
        arch.batches.Add(Draw("arch", "metal"));
        colonnade.children.Add(arch);
    }
    FSGWriter::Node platform = MakeNode("platform");
    platform.batches.Add(Draw("platform", "panels"));
    colonnade.children.Add(platform);
    return colonnade;
}

FSGWriter::Node Core() {
    FSGWriter::Node core = MakeNode("core");
    core.transformations.Add(Translate(0.0f, 0.0f, 50.0f));
    const char* rings[3] = {"ring-small", "ring-middle", "ring-large"};
    const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0.7071f, 0.7071f, 0}};
    const float turns[3] = {240.0f, -180.0f, 120.0f};
    for (int r = 0; r < 3; ++r) {
        FSGWriter::Node ring = MakeNode(rings[r]);
        ring.transformations.Add(Spin(axes[r][0], axes[r][1], axes[r][2], {-3.0f, 0.0f, 9.0f, turns[r]}));
        ring.transformations.Add(Spin(0, 0, 1, {-3.0f, 0.0f, 9.0f, 0.5f * turns[(r + 1) % 3]}));
        ring.batches.Add(Draw(rings[r], "metal"));
        core.children.Add(ring);
    }
    FSGWriter::Node orbit = MakeNode("orbit");
    orbit.transformations.Add(Spin(0, 0, 1, {-3.0f, 0.0f, 3.0f, 150.0f, 9.0f, 240.0f}));
    for (int i = 0; i < 6; ++i) {
        const float a = 2.0f * Pi * static_cast<float>(i) / 6.0f;
        FSGWriter::Node cube = MakeNode("cube-" + std::to_string(i));
        FSGWriter::Transformation place = Translate(42.0f * std::cos(a), 42.0f * std::sin(a), 0.0f);
        // Each cube bobs up and down, out of step with its neighbours.
        const float lift = i % 2 == 0 ? 8.0f : -8.0f;
        place.channels[2] = Bezier({-3.0f, -lift, 1.0f, lift, 5.0f, -lift, 9.0f, lift});
        cube.transformations.Add(place);
        cube.transformations.Add(Spin(1, 1, 1, {-3.0f, 0.0f, 9.0f, 360.0f + 45.0f * static_cast<float>(i)}));
        cube.batches.Add(Draw("cube", "panels"));
        orbit.children.Add(cube);
    }
    core.children.Add(orbit);

    FSGWriter::Node halo = MakeNode("halo");
    halo.transformations.Add(Translate(0.0f, 0.0f, -60.0f));
    halo.transformations.Add(Spin(0, 0, 1, {-3.0f, 0.0f, 9.0f, -60.0f}));
    halo.transformations.Add(Rotate(1, 0, 0, 8.0f));
    halo.batches.Add(Draw("halo", "metal"));
    core.children.Add(halo);
    return core;
}

FSGWriter::Node Frame() {
    FSGWriter::Node frame = MakeNode("frame");
    for (int i = 0; i < Monoliths; ++i) {
        const float a = 2.0f * Pi * (static_cast<float>(i) + 0.5f) / Monoliths;
        FSGWriter::Node slab = MakeNode("monolith-" + std::to_string(i));
        const float height = i % 3 == 0 ? 40.0f : (i % 3 == 1 ? -20.0f : 10.0f);
        slab.transformations.Add(Translate(300.0f * std::cos(a), 300.0f * std::sin(a), height));
        slab.transformations.Add(Rotate(0, 0, 1, a * 180.0f / Pi));
        slab.batches.Add(Draw("monolith", "panels"));
        frame.children.Add(slab);
    }
    FSGWriter::Node floor = MakeNode("floor");
    floor.batches.Add(Draw("floor", "grid"));
    frame.children.Add(floor);

    FSGWriter::Node outer = MakeNode("outer-ring");
    outer.transformations.Add(Spin(0, 0, 1, {-3.0f, -20.0f, 9.0f, 40.0f}));
    outer.transformations.Add(Rotate(1, 0, 0, 18.0f));
    outer.batches.Add(Draw("outer-ring", "metal"));
    frame.children.Add(outer);
    return frame;
}

FSGWriter::Node Viewpoint() {
    FSGWriter::Node viewpoint = MakeNode("viewpoint");
    FSGWriter::Transformation look;
    look.kind = "lookat";
    const float values[9] = {180.0f, 0.0f, 60.0f, 0.0f, 0.0f, 50.0f, 0.0f, 0.0f, 1.0f};
    look.channels = FSGWriter::Constants(values, 9);
    // The eye circles once over the scene time range.
    look.channels[0] = FSGWriter::Linear(std::vector<float>{-3.0f, 180.0f, 3.0f, -180.0f, 9.0f, 180.0f}.data(), 6);
    look.channels[1] =
        FSGWriter::Linear(std::vector<float>{-3.0f, 0.0f, 0.0f, 180.0f, 6.0f, -180.0f, 9.0f, 0.0f}.data(), 8);
    viewpoint.transformations.Add(look);
    viewpoint.cameraIds.Add("camera-main");
    return viewpoint;
}

FSGWriter::Node Lights() {
    FSGWriter::Node lights = MakeNode("lights");
    FSGWriter::Node key = MakeNode("light-key-node");
    key.transformations.Add(Rotate(0.3f, 0.2f, 0.0f, 35.0f));
    key.lightIds.Add("light-key");
    lights.children.Add(key);
    FSGWriter::Node fill = MakeNode("light-fill-node");
    fill.transformations.Add(Translate(-120.0f, 80.0f, 40.0f));
    fill.lightIds.Add("light-fill");
    lights.children.Add(fill);
    lights.lightIds.Add("light-ambient");
    return lights;
}

} // namespace

FSGWriter::Scene ShowScene::Build() {
    FSGWriter::Scene scene;
    scene.version = 102;

    AddGeometry(scene, "pillar", Mesh::Prism(6, 6.0f, PillarBottom, PillarTop, 3.0f, 40.0f));
    AddGeometry(scene, "capital", Mesh::Box(16.0f, 16.0f, 6.0f, 16.0f));
    const float chord = 2.0f * PillarRadius * std::sin(Pi / Pillars);
    Mesh arch = Mesh::Torus(0.5f * chord, 2.2f, 24, 10, 180.0f, 2.0f);
    arch.StandUp();
    AddGeometry(scene, "arch", arch);
    AddGeometry(scene, "platform", Mesh::Prism(8, 70.0f, PillarBottom - 6.0f, PillarBottom, 4.0f, 40.0f));
    AddGeometry(scene, "ring-small", Mesh::Torus(18.0f, 1.2f, 64, 10, 360.0f, 6.0f));
    AddGeometry(scene, "ring-middle", Mesh::Torus(28.0f, 1.6f, 80, 10, 360.0f, 8.0f));
    AddGeometry(scene, "ring-large", Mesh::Torus(38.0f, 2.0f, 96, 12, 360.0f, 10.0f));
    AddGeometry(scene, "cube", Mesh::Box(7.0f, 7.0f, 7.0f, 7.0f));
    AddGeometry(scene, "halo", Mesh::Torus(88.0f, 1.5f, 128, 8, 360.0f, 24.0f));
    AddGeometry(scene, "monolith", Mesh::Box(12.0f, 40.0f, 420.0f, 40.0f));
    AddGeometry(scene, "floor", Mesh::Floor(1600.0f, -240.0f, 24.0f));
    AddGeometry(scene, "outer-ring", Mesh::Torus(360.0f, 6.0f, 192, 10, 360.0f, 48.0f));

    AddMaterial(scene, "panels", "textures/scene_panels.png", 24.0f);
    AddMaterial(scene, "metal", "textures/scene_metal.png", 48.0f);
    AddMaterial(scene, "grid", "textures/scene_grid.png", 8.0f);

    FSGWriter::Camera camera;
    camera.id = "camera-main";
    camera.name = "camera-main";
    camera.targetId = "viewpoint";
    const float yfov = 120.0f, aspect = 1.6f, znear = 1.0f, zfar = 1000.0f;
    camera.parameters.Add(FSGWriter::MakeParameter("yfov", &yfov, 1));
    camera.parameters.Add(FSGWriter::MakeParameter("aspect_ratio", &aspect, 1));
    camera.parameters.Add(FSGWriter::MakeParameter("znear", &znear, 1));
    camera.parameters.Add(FSGWriter::MakeParameter("zfar", &zfar, 1));
    scene.cameras.Add(camera);

    auto light = [&](const char* id, const char* type, float r, float g, float b) {
        FSGWriter::Light l;
        l.id = id;
        l.name = id;
        l.type = type;
        const float colour[3] = {r, g, b};
        l.parameters.Add(FSGWriter::MakeParameter("color", colour, 3));
        if (String(type) == "omni") {
            const float one = 1.0f, none = 0.0f;
            l.parameters.Add(FSGWriter::MakeParameter("constant_attenuation", &one, 1));
            l.parameters.Add(FSGWriter::MakeParameter("linear_attenuation", &none, 1));
        }
        scene.lights.Add(l);
    };
    light("light-key", "directional", 0.55f, 0.49f, 0.48f);
    light("light-fill", "omni", 0.38f, 0.34f, 0.45f);
    light("light-ambient", "ambient", 0.05f, 0.05f, 0.06f);

    scene.nodes.Add(Colonnade());
    scene.nodes.Add(Core());
    scene.nodes.Add(Frame());
    scene.nodes.Add(Viewpoint());
    scene.nodes.Add(Lights());
    return scene;
}

} // namespace Halcyra::SceneTool
