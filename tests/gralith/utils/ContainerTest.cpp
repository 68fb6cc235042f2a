#include "gralith/Object.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"

#include <gtest/gtest.h>

using Gralith::Object;
using Gralith::Utils::Array;
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

TEST(Array, AddingAnOwnElementSurvivesGrowthAndAddGrowingAtLeastDoubles) {
    for (bool growing : {false, true}) {
        Array<String> a;
        a.Add(String("element"));
        int capacity = a.Capacity();
        for (int i = 1; i < 60; ++i) {
            // The source lives in the storage that a full array replaces.
            if (growing)
                a.AddGrowing(a[i - 1]);
            else
                a.Add(a[i - 1]);
            if (a.Capacity() != capacity) {
                EXPECT_GE(a.Capacity(), growing ? 2 * capacity : capacity + 10) << i;
                capacity = a.Capacity();
            }
        }
        ASSERT_EQ(60, a.Count());
        for (const String& s : a)
            ASSERT_TRUE(s == "element") << growing;
    }
}

TEST(Array, DestroysValuesButNotPointees) {
    {
        Array<Counted> values;
        values.Add(Counted());
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
