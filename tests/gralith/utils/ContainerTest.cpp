#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"

#include <gtest/gtest.h>

using Gralith::Utils::Array;
using Gralith::Utils::String;

namespace {

// Counts live instances, to see which elements an array constructs and destroys.
struct Counted {
    static int live;
    Counted() { ++live; }
    Counted(const Counted&) { ++live; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --live; }
};
int Counted::live = 0;

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

    auto* pointee = new Counted;
    {
        Array<Counted*> pointers;
        pointers.Add(pointee);
        pointers.Add(pointee);
    }
    EXPECT_EQ(1, Counted::live);
    delete pointee;
}
