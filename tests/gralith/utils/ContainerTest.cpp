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
