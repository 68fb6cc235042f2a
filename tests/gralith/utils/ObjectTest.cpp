#include "gralith/Object.h"
#include "gralith/Exception.h"
#include "gralith/utils/String.h"
#include "gralith/utils/UtilsException.h"

#include <gtest/gtest.h>

#include <cstring>

using Gralith::Exception;
using Gralith::Object;
using Gralith::Utils::String;
using Gralith::Utils::UtilsException;

namespace {

class Probe : public Object {
public:
    explicit Probe(int* destroyed) : destroyed(destroyed) {}
    ~Probe() override { ++*destroyed; }

private:
    int* destroyed;
};

} // namespace

TEST(Object, LastReleaseDestroysThroughTheVirtualDestructor) {
    int destroyed = 0;
    Object* object = new Probe(&destroyed);
    EXPECT_EQ(1, object->GetRefCount());
    object->AddRef();
    object->AddRef();
    EXPECT_EQ(3, object->GetRefCount());
    object->Release();
    object->Release();
    EXPECT_EQ(0, destroyed);
    object->Release();
    EXPECT_EQ(1, destroyed);
}

TEST(Exception, IsAStdExceptionWhoseWhatIsTheMessage) {
    try {
        throw Exception("thrown", 4);
    } catch (const std::exception& e) {
        EXPECT_STREQ("thrown", e.what());
        EXPECT_EQ(4, dynamic_cast<const Exception&>(e).GetCode());
    }
}
