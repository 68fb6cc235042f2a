#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/assets/loaders/FSGLoader.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/FSGWriter.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::SceneGraph;

namespace {

LinearController* Keys(int count) {
    auto* c = new LinearController();
    for (int i = 0; i < count; ++i)
        c->AddKey({i * 0.1f, float(i % 7)});
    return c;
}

// Playback at 60 frames per second over a 100-key channel: the cursor moves at most one
// segment per call.
void ControllerForwardPlayback(benchmark::State& state) {
    LinearController* c = Keys(100);
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->Evaluate(t));
        t += 1.0f / 60.0f;
        if (t > 10.0f)
            t = 0.0f;
    }
    c->Release();
}
BENCHMARK(ControllerForwardPlayback);

// Seeking to unrelated times: the cursor walks the distance between them.
void ControllerRandomSeek(benchmark::State& state) {
    LinearController* c = Keys(100);
    std::vector<float> times(1024);
    std::srand(7);
    for (float& t : times)
        t = float(std::rand() % 1000) / 100.0f;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->Evaluate(times[i++ & 1023]));
    }
    c->Release();
}
BENCHMARK(ControllerRandomSeek);

// One frame of a tree of nodes with an animated translate and a rotate each, parents first.
void UpdateTree(Node* node, float t, const Matrix4& parent) {
    const Matrix4& world = node->Update(t, parent);
    for (Node* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        UpdateTree(child, t, world);
}

void NodeTreeUpdate(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Node* root = new Node();
    Node* parent = root;
    for (int i = 0; i < count; ++i) {
        Node* n = new Node(parent);
        auto* move = new Animation(3);
        move->SetController(0, Keys(20));
        move->SetController(1, new ConstantController(1.0f));
        n->AddTransformation(new Transformation(move, Transformation::KindTranslate, true));
        auto* turn = new Animation(4);
        turn->SetController(2, new ConstantController(1.0f));
        turn->SetController(3, Keys(20));
        n->AddTransformation(new Transformation(turn, Transformation::KindRotate, true));
        parent->AppendChild(n);
        if (i % 4 == 3)
            parent = n;
    }
    float t = 0.0f;
    for (auto _ : state) {
        UpdateTree(root, t, Matrix4());
        t += 1.0f / 60.0f;
    }
    root->Release();
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(NodeTreeUpdate)->Arg(10)->Arg(100);

class OneFile : public FileSystem {
public:
    explicit OneFile(const BinaryWriter& w) : bytes(w.GetBytes().begin(), w.GetBytes().end()) {}
    InputStream* Open(String) override { return new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())); }
    std::vector<unsigned char> bytes;
};

// Loads the written scene through a fresh proxy on each iteration.
void LoadRepeatedly(benchmark::State& state, const BinaryWriter& w) {
    auto* files = new OneFile(w);
    Graphics::NullDevice* device = Graphics::NullDevice::Create(16, 16);
    for (auto _ : state) {
        auto* proxy = new Assets::Proxy(files, device, nullptr, nullptr);
        Assets::Loaders::FSGLoader loader;
        loader.Load(Assets::AssetScene, "scene.fsg", proxy)->Release();
        proxy->Release();
        device->ClearCalls();
    }
    device->Release();
    files->Release();
}

// Loading a scene of 20 meshes (1000 vertices each) and 100 animated nodes.
void FSGLoad(benchmark::State& state) {
    FSGWriter::Scene s;
    std::vector<float> positions(3000), uvs(2000);
    std::vector<int> indices(3000);
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = float(i % 17);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = int(i % 1000);
    for (int g = 0; g < 20; ++g) {
        FSGWriter::Geometry geometry;
        geometry.id = String("mesh") + String(std::to_string(g).c_str());
        geometry.block.vertexCount = 1000;
        geometry.block.streams.Add(FGMWriter::FloatStream("POSITION", 3, positions.data(), 3000));
        geometry.block.streams.Add(FGMWriter::FloatStream("TEXCOORD0", 2, uvs.data(), 2000));
        FGMWriter::SetIndices32(geometry.block, indices.data(), 3000);
        s.geometries.Add(geometry);
    }
    const float keys[] = {0, 0, 1, 1, 2, 4, 3, 9};
    for (int n = 0; n < 100; ++n) {
        FSGWriter::Node node;
        node.id = String("node") + String(std::to_string(n).c_str());
        FSGWriter::Transformation t;
        t.kind = "translate";
        t.channels.Add(FSGWriter::Linear(keys, 8));
        t.channels.Add(FSGWriter::Constant(0));
        t.channels.Add(FSGWriter::Constant(0));
        node.transformations.Add(t);
        FSGWriter::Batch b;
        b.geometryId = String("mesh") + String(std::to_string(n % 20).c_str());
        node.batches.Add(b);
        s.nodes.Add(node);
    }
    BinaryWriter w;
    FSGWriter::Write(s, w);
    LoadRepeatedly(state, w);
    state.SetBytesProcessed(state.iterations() * w.GetSize());
}
BENCHMARK(FSGLoad)->Unit(benchmark::kMillisecond);

// Loading a flat scene of many nodes: the time per node should not grow with the count (sibling
// lists, node tables and id look-ups stay linear).
void FSGLoadManyNodes(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FSGWriter::Scene s;
    for (int n = 0; n < count; ++n) {
        FSGWriter::Node node;
        node.id = String("node") + String(std::to_string(n).c_str());
        s.nodes.Add(node);
    }
    BinaryWriter w;
    FSGWriter::Write(s, w);
    LoadRepeatedly(state, w);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(FSGLoadManyNodes)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Loading a scene of many small embedded geometries: each is an asset of its own in the proxy,
// so the time per geometry should not grow with the count either.
void FSGLoadManyGeometries(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const float triangle[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    FSGWriter::Scene s;
    for (int g = 0; g < count; ++g) {
        FSGWriter::Geometry geometry;
        geometry.id = String("mesh") + String(std::to_string(g).c_str());
        geometry.block.vertexCount = 3;
        geometry.block.streams.Add(FGMWriter::FloatStream("POSITION", 3, triangle, 9));
        s.geometries.Add(geometry);
    }
    BinaryWriter w;
    FSGWriter::Write(s, w);
    LoadRepeatedly(state, w);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(FSGLoadManyGeometries)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
