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

TEST(Array, CapacityGrowsInStepsOfTen) {
    Array<int> a;
    EXPECT_EQ(0, a.Capacity());
    EXPECT_EQ(nullptr, a.Data());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(i, a.Add(i * 3));
    EXPECT_EQ(10, a.Capacity());
    EXPECT_EQ(10, a.Add(30));
    EXPECT_EQ(20, a.Capacity());
    EXPECT_EQ(11, a.Count());
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(i * 3, a[i]);
    for (int i = 11; i < 21; ++i)
        a.Add(i);
    EXPECT_EQ(30, a.Capacity());
}

TEST(Array, ReserveAllocatesExactlyAndNeverShrinks) {
    Array<int> a;
    a.Reserve(7);
    EXPECT_EQ(7, a.Capacity());
    EXPECT_EQ(0, a.Count());
    a.Add(1);
    a.Reserve(3);
    EXPECT_EQ(7, a.Capacity());
    a.Reserve(0);
    a.Reserve(-5);
    EXPECT_EQ(7, a.Capacity());
    for (int i = 1; i < 7; ++i)
        a.Add(i + 1);
    // Full at 7: the next Add reserves count + 10.
    a.Add(8);
    EXPECT_EQ(17, a.Capacity());
    EXPECT_EQ(8, a[7]);
    EXPECT_EQ(1, a[0]);
}

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

TEST(Array, PopReturnsTheLastElement) {
    Array<String> a;
    a.Add("first");
    a.Add("second");
    String last = a.Pop();
    EXPECT_TRUE(last == "second");
    EXPECT_EQ(1, a.Count());
    EXPECT_TRUE(a.Pop() == "first");
    EXPECT_EQ(0, a.Count());
    EXPECT_EQ(10, a.Capacity());
}

TEST(Array, IndexOfComparesStringsByValue) {
    Array<String> a;
    a.Add("x");
    a.Add("y");
    a.Add("x");
    EXPECT_EQ(0, a.IndexOf(String("x")));
    EXPECT_EQ(1, a.IndexOf(String("y")));
    EXPECT_EQ(-1, a.IndexOf(String("z")));
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

TEST(Array, CopiesAreIndependent) {
    Array<int> a;
    a.Add(1);
    a.Add(2);
    Array<int> b(a);
    b.Add(3);
    b[0] = 10;
    EXPECT_EQ(2, a.Count());
    EXPECT_EQ(1, a[0]);
    EXPECT_EQ(3, b.Count());
    EXPECT_EQ(1, b.GetRefCount());
    a = b;
    EXPECT_EQ(3, a.Count());
    EXPECT_EQ(10, a[0]);
    int sum = 0;
    for (int v : a)
        sum += v;
    EXPECT_EQ(15, sum);
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
