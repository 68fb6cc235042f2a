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

TEST(Object, ACopyStartsWithItsOwnReference) {
    int destroyed = 0;
    Probe original(&destroyed);
    original.AddRef();
    Probe copy(original);
    EXPECT_EQ(1, copy.GetRefCount());
    EXPECT_EQ(2, original.GetRefCount());
}

TEST(Exception, CarriesMessageAndCode) {
    Exception plain("Something failed");
    EXPECT_STREQ("Something failed", plain.GetMessage());
    EXPECT_EQ(0, plain.GetCode());
    Exception coded("File not found: x", 6);
    EXPECT_EQ(6, coded.GetCode());
    Exception empty(nullptr);
    EXPECT_STREQ("", empty.GetMessage());
}

TEST(Exception, KeepsItsOwnCopyOfTheMessage) {
    char buffer[] = "composed at run time";
    Exception e(buffer);
    std::memset(buffer, 'x', sizeof buffer - 1);
    EXPECT_STREQ("composed at run time", e.GetMessage());

    Exception copy(e);
    EXPECT_STREQ("composed at run time", copy.GetMessage());
    EXPECT_NE(e.GetMessage(), copy.GetMessage());
    Exception assigned("other", 3);
    assigned = e;
    EXPECT_STREQ("composed at run time", assigned.GetMessage());
    EXPECT_EQ(0, assigned.GetCode());
}

TEST(Exception, SurvivesThrowingAndCatchingByBase) {
    try {
        throw Exception("thrown", 4);
    } catch (const Object& o) {
        const Exception* e = dynamic_cast<const Exception*>(&o);
        ASSERT_NE(nullptr, e);
        EXPECT_STREQ("thrown", e->GetMessage());
        EXPECT_EQ(4, e->GetCode());
    }
}

TEST(Exception, IsAStdExceptionWhoseWhatIsTheMessage) {
    try {
        throw Exception("thrown", 4);
    } catch (const std::exception& e) {
        EXPECT_STREQ("thrown", e.what());
        EXPECT_EQ(4, dynamic_cast<const Exception&>(e).GetCode());
    }
}

TEST(UtilsException, IsCaughtAsExceptionWithACopiedMessage) {
    try {
        String message = String("Invalid texture descriptor: ") + String("a#b");
        throw UtilsException(message);
    } catch (const Exception& e) {
        EXPECT_STREQ("Invalid texture descriptor: a#b", e.GetMessage());
        EXPECT_EQ(0, e.GetCode());
    }
}
