#include "gralith/utils/Tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <pthread.h>
#include <vector>

using Gralith::Utils::Tree;

namespace {

class TestNode : public Tree<TestNode> {
public:
    TestNode(std::vector<int>* destroyed, int id) : destroyed(destroyed), id(id) {}
    ~TestNode() override { destroyed->push_back(id); }

private:
    std::vector<int>* destroyed;
    int id;
};

// Releases node on a thread with a small stack: a release that recursed once per node would
// overflow it.
void ReleaseOnSmallStack(TestNode* node) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* n) -> void* {
        static_cast<TestNode*>(n)->Release();
        return nullptr;
    };
    ASSERT_EQ(0, pthread_create(&thread, &attr, run, node));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

} // namespace

TEST(Tree, ReleasingASubtreeRootAlsoFreesItsFollowingSiblings) {
    std::vector<int> destroyed;
    TestNode* root = new TestNode(&destroyed, 0);
    TestNode* a = new TestNode(&destroyed, 1);
    root->AppendChild(a);
    root->AppendChild(new TestNode(&destroyed, 2));
    a->AddRef(); // a second holder of the first child
    root->Release();
    EXPECT_EQ((std::vector<int>{0}), destroyed);
    a->Release();
    std::sort(destroyed.begin(), destroyed.end());
    EXPECT_EQ((std::vector<int>{0, 1, 2}), destroyed);
}

TEST(Tree, DeepChainsReleaseWithoutDeepRecursion) {
    std::vector<int> destroyed;
    TestNode* root = new TestNode(&destroyed, 0);
    TestNode* last = root;
    const int depth = 100000;
    for (int i = 1; i <= depth; ++i) {
        TestNode* node = new TestNode(&destroyed, i);
        last->AppendChild(node);
        last = node;
    }
    ReleaseOnSmallStack(root);
    EXPECT_EQ(static_cast<size_t>(depth + 1), destroyed.size());
}
