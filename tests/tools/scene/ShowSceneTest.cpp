// The generated show scene, loaded the way the show loads it: through the asset proxy on the
// build tree's data/ (recording null device), plus the shell the camera flies in.
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::SceneGraph;

namespace {

using V3 = std::array<double, 3>;


class ShowSceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        device = Graphics::NullDevice::Create(64, 64);
        files = new Directory(HALCYRA_DATA_DIR);
        proxy = new Proxy(files, device, nullptr, nullptr);
        scene = proxy->GetScene("halcyra2.fsg{scenes}", nullptr);
    }
    static void TearDownTestSuite() {
        proxy->Release();
        files->Release();
        device->Release();
    }

    // Every node below the root in draw order, with world matrices for the given scene time.
    static void Walk(float time, const std::function<void(Node*)>& visit) {
        std::vector<std::pair<Node*, Matrix4>> stack;
        for (Node* n = scene->GetRoot()->GetFirstChild(); n; n = n->GetNextSibling())
            stack.push_back({n, Matrix4::Identity()});
        while (!stack.empty()) {
            auto [node, parent] = stack.back();
            stack.pop_back();
            const Matrix4 world = node->Update(time, parent);
            visit(node);
            for (Node* c = node->GetFirstChild(); c; c = c->GetNextSibling())
                stack.push_back({c, world});
        }
    }

    static Node* FindNode(const char* id) {
        const auto& nodes = scene->GetNodes();
        for (int i = 0; i < nodes.Count(); ++i)
            if (nodes.GetKey(i) == String(id))
                return nodes.GetValue(i);
        return nullptr;
    }

    static const float* Positions(Geometry* g) {
        auto* buffer = static_cast<Graphics::NullVertexBuffer*>(g->GetVertexBuffer(0));
        return reinterpret_cast<const float*>(buffer->GetBytes());
    }
    static std::vector<int> Indices(Geometry* g) {
        auto* buffer = static_cast<Graphics::NullIndexBuffer*>(g->GetIndexBuffer());
        std::vector<int> indices(static_cast<size_t>(g->GetIndexCount()));
        std::memcpy(indices.data(), buffer->GetBytes(), indices.size() * 4);
        return indices;
    }

    static Graphics::NullDevice* device;
    static Directory* files;
    static Proxy* proxy;
    static Scene* scene;
};

Graphics::NullDevice* ShowSceneTest::device = nullptr;
Directory* ShowSceneTest::files = nullptr;
Proxy* ShowSceneTest::proxy = nullptr;
Scene* ShowSceneTest::scene = nullptr;

TEST_F(ShowSceneTest, EveryGeometryHasPositionNormalAndTexcoordStreams) {
    const auto& geometries = scene->GetGeometries();
    ASSERT_GE(geometries.Count(), 8);
    for (int i = 0; i < geometries.Count(); ++i) {
        Geometry* g = geometries.GetValue(i);
        SCOPED_TRACE(geometries.GetKey(i).CStr());
        ASSERT_EQ(g->GetStreamCount(), 3);
        EXPECT_EQ(g->GetVertexBuffer(0)->GetStride(), 12);
        EXPECT_EQ(g->GetVertexBuffer(1)->GetStride(), 12);
        EXPECT_EQ(g->GetVertexBuffer(2)->GetStride(), 8);
        ASSERT_GT(g->GetIndexCount(), 0);
        EXPECT_EQ(g->GetIndexCount() % 3, 0);
        for (int index : Indices(g)) {
            ASSERT_GE(index, 0);
            ASSERT_LT(index, g->GetVertexCount());
        }
        // Normals are unit length: the lit shader does not renormalise before the light sums.
        auto* normals =
            reinterpret_cast<const float*>(static_cast<Graphics::NullVertexBuffer*>(g->GetVertexBuffer(1))->GetBytes());
        for (int v = 0; v < g->GetVertexCount(); ++v) {
            const float* n = normals + 3 * v;
            ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-3) << "vertex " << v;
        }
    }
}

TEST_F(ShowSceneTest, NodesMoveAcrossTheShowsSceneTimes) {
    // The show evaluates the scene between -3 and 9 s; the core's parts move throughout, and
    // keep moving between any two sample times (no key range ends early).
    const char* moving[] = {"ring-small", "ring-middle", "ring-large", "orbit", "cube-0", "colonnade", "outer-ring"};
    for (const char* id : moving) {
        SCOPED_TRACE(id);
        Node* node = FindNode(id);
        ASSERT_NE(node, nullptr);
        std::vector<Matrix4> worlds;
        for (float t = -3.0f; t <= 9.0f; t += 2.0f) {
            Walk(t, [](Node*) {});
            worlds.push_back(node->GetWorld());
        }
        for (size_t i = 1; i < worlds.size(); ++i) {
            float difference = 0.0f;
            for (int e = 0; e < 16; ++e)
                difference += std::fabs(worlds[i][e] - worlds[i - 1][e]);
            EXPECT_GT(difference, 1e-3f) << "between samples " << i - 1 << " and " << i;
        }
    }
}

} // namespace
