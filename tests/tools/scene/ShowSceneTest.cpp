// The generated show scene, loaded the way the show loads it: through the asset proxy on the
// build tree's data/ (recording null device).
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Node.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::SceneGraph;

namespace {

class ShowScene : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        device = Graphics::NullDevice::Create(64, 64);
        auto* files = new Directory(HALCYRA_DATA_DIR);
        proxy = new Assets::Proxy(files, device, nullptr, nullptr);
        files->Release();
        scene = proxy->GetScene("halcyra2.fsg{scenes}", nullptr);
    }
    static void TearDownTestSuite() {
        proxy->Release();
        device->Release();
    }

    // Brings every node's world matrix to the given scene time, parents first.
    static void Update(float time, Node* parent = nullptr, const Matrix4& world = Matrix4::Identity()) {
        for (Node* n = (parent ? parent : scene->GetRoot())->GetFirstChild(); n; n = n->GetNextSibling())
            Update(time, n, n->Update(time, world));
    }

    static inline Graphics::NullDevice* device = nullptr;
    static inline Assets::Proxy* proxy = nullptr;
    static inline Assets::Scene* scene = nullptr;
};

TEST_F(ShowScene, EveryGeometryIsLitTrianglesWithIndicesInRange) {
    const auto& geometries = scene->GetGeometries();
    ASSERT_GE(geometries.Count(), 8);
    for (int i = 0; i < geometries.Count(); ++i) {
        Assets::Geometry* g = geometries.GetValue(i);
        SCOPED_TRACE(geometries.GetKey(i).CStr());
        ASSERT_EQ(3, g->GetStreamCount()) << "position, normal and texture coordinates";
        ASSERT_GT(g->GetIndexCount(), 0);
        EXPECT_EQ(0, g->GetIndexCount() % 3);
        std::vector<int> indices(static_cast<size_t>(g->GetIndexCount()));
        std::memcpy(indices.data(), static_cast<Graphics::NullIndexBuffer*>(g->GetIndexBuffer())->GetBytes(),
                    indices.size() * 4);
        for (int index : indices)
            ASSERT_TRUE(index >= 0 && index < g->GetVertexCount()) << index;
        // Normals are unit length: the lit shader does not renormalise before the light sums.
        auto* normals =
            reinterpret_cast<const float*>(static_cast<Graphics::NullVertexBuffer*>(g->GetVertexBuffer(1))->GetBytes());
        for (int v = 0; v < g->GetVertexCount(); ++v) {
            const float* n = normals + 3 * v;
            ASSERT_NEAR(1.0, std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1e-3) << "vertex " << v;
        }
    }
}

TEST_F(ShowScene, NodesMoveAcrossTheShowsSceneTimes) {
    // The show evaluates the scene between -3 and 9 s; the core's parts move throughout, and
    // keep moving between any two sample times (no key range ends early).
    for (const char* id : {"ring-small", "ring-middle", "ring-large", "orbit", "cube-0", "colonnade", "outer-ring"}) {
        Node* node = scene->FindNode(id);
        ASSERT_NE(nullptr, node) << id;
        Update(-3.0f);
        Matrix4 before = node->GetWorld();
        for (float t = -1.0f; t <= 9.0f; t += 2.0f) {
            Update(t);
            float difference = 0.0f;
            for (int e = 0; e < 16; ++e)
                difference += std::fabs(node->GetWorld()[e] - before[e]);
            EXPECT_GT(difference, 1e-3f) << id << " until " << t << " s";
            before = node->GetWorld();
        }
    }
}

} // namespace
