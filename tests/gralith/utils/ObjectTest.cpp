// The engine's ownership and error basics: reference counts through Ref, exceptions as
// standard ones.

#include "gralith/Object.h"
#include "gralith/Exception.h"
#include "gralith/Ref.h"

#include <gtest/gtest.h>

using Gralith::Exception;
using Gralith::Object;
using Gralith::Ref;

namespace {

class Counted : public Object {
public:
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++*destroyed; }

private:
    int* destroyed;
};

} // namespace

TEST(Ref, ResetSharesAndAdoptTakesOverTheCreatorsReference) {
    int destroyed = 0;
    auto* shared = new Counted(&destroyed);
    auto* adopted = new Counted(&destroyed);
    {
        Ref<Counted> a(shared);
        Ref<Counted> b;
        b.Adopt(adopted);
        EXPECT_EQ(2, shared->GetRefCount());
        EXPECT_EQ(1, adopted->GetRefCount());
        b.Adopt(new Counted(&destroyed)); // replacing releases what was held
        EXPECT_EQ(1, destroyed);
        a.Reset(nullptr);
        EXPECT_EQ(1, shared->GetRefCount());
    }
    EXPECT_EQ(2, destroyed);
    // The last release destroys through the virtual destructor.
    Object* object = shared;
    object->Release();
    EXPECT_EQ(3, destroyed);
}

TEST(Exception, IsAStdExceptionWhoseWhatIsTheMessage) {
    try {
        throw Exception("thrown", 4);
    } catch (const std::exception& e) {
        EXPECT_STREQ("thrown", e.what());
        EXPECT_EQ(4, dynamic_cast<const Exception&>(e).GetCode());
    }
}
