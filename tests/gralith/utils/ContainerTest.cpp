#include "gralith/Object.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

#include <gtest/gtest.h>

using Gralith::Object;
using Gralith::Utils::Array;
using Gralith::Utils::Map;
using Gralith::Utils::String;

namespace {

// Counts live instances, to see which elements an array constructs and destroys.
struct Counted {
    static int live;
    int value = 0;
    Counted() { ++live; }
    Counted(const Counted& other) : value(other.value) { ++live; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --live; }
};
int Counted::live = 0;

class Probe : public Object {
public:
    explicit Probe(int* destroyed) : destroyed(destroyed) {}
    ~Probe() override { ++*destroyed; }

private:
    int* destroyed;
};

} // namespace

TEST(Array, AddOfOwnElementSurvivesGrowth) {
    Array<String> a;
    for (int i = 0; i < 10; ++i)
        a.Add(String("element"));
    a.Add(a[0]); // the source lives in the storage that Add reallocates
    EXPECT_EQ(11, a.Count());
    EXPECT_TRUE(a[10] == "element");
}

TEST(Array, AddGrowingDoublesAndKeepsItsOwnElement) {
    Array<String> a;
    a.AddGrowing(String("first"));
    // Count reached -> capacity: 8 at first, then twice plus 8.
    const int steps[][2] = {{1, 8}, {8, 8}, {9, 24}, {24, 24}, {25, 56}};
    for (const auto& step : steps) {
        while (a.Count() < step[0])
            a.AddGrowing(a[0]); // the source lives in the storage a full array replaces
        EXPECT_EQ(step[1], a.Capacity()) << "count " << step[0];
    }
    EXPECT_TRUE(a[24] == "first");
    a.ReserveGrowing(30);
    EXPECT_EQ(56, a.Capacity());
    a.ReserveGrowing(500);
    EXPECT_EQ(500, a.Capacity());
}

TEST(Array, DestroysValuesButNotPointees) {
    {
        Array<Counted> values;
        values.Add(Counted());
        EXPECT_EQ(10, Counted::live); // the slots of the reserved storage are constructed
    }
    EXPECT_EQ(0, Counted::live);

    int destroyed = 0;
    Probe* probe = new Probe(&destroyed);
    {
        Array<Probe*> pointers;
        pointers.Add(probe);
        pointers.Add(probe);
    }
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(1, probe->GetRefCount());
    probe->Release();
    EXPECT_EQ(1, destroyed);
}

TEST(Map, DuplicateKeysAreKeptAndTheFirstWins) {
    Map<String, int> m;
    EXPECT_EQ(-1, m.IndexOf("a"));
    EXPECT_EQ(0, m.Add("a", 1));
    EXPECT_EQ(1, m.Add("b", 2));
    EXPECT_EQ(2, m.Add("a", 3));
    EXPECT_EQ(3, m.Count());
    EXPECT_EQ(0, m.IndexOf(String("a")));
    EXPECT_EQ(2, m.GetValue(m.IndexOf("b")));
    EXPECT_TRUE(m.GetKey(2) == "a");
    EXPECT_EQ(3, m.GetValue(2));
    // Replace-or-insert as callers do it.
    int i = m.IndexOf("b");
    ASSERT_GE(i, 0);
    m.GetValue(i) = 20;
    EXPECT_EQ(20, m.GetValue(1));
}

TEST(Map, PointerKeysCompareByIdentity) {
    int x = 0;
    int y = 0;
    Map<int*, String> m;
    m.Add(&x, "x");
    m.Add(&y, "y");
    EXPECT_EQ(1, m.IndexOf(&y));
    EXPECT_EQ(-1, m.IndexOf(nullptr));
    EXPECT_TRUE(m.Values()[0] == "x");
    EXPECT_EQ(&y, m.Keys()[1]);
}
