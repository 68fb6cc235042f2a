#include "gralith/Exception.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"

#include <gtest/gtest.h>

using Gralith::Exception;
using Gralith::Utils::Array;
using Gralith::Utils::String;

TEST(String, SubStringBoundaries)
{
    String s("abc");
    EXPECT_TRUE(s.SubString(1, 2) == "bc");
    EXPECT_TRUE(s.SubString(3, 0) == "");
    try {
        s.SubString(2, 2);
        FAIL() << "expected SubString Overflow";
    } catch (const Exception& e) {
        EXPECT_STREQ("SubString Overflow", e.GetMessage());
        EXPECT_EQ(0, e.GetCode());
    }
}
