#include "gralith/utils/String.h"
#include "gralith/Exception.h"
#include "gralith/utils/Array.h"

#include <gtest/gtest.h>

#include <cstring>

using Gralith::Exception;
using Gralith::Utils::Array;
using Gralith::Utils::String;

namespace {

// Runs f, which must throw Exception with exactly this message and code.
template <class F>
void ExpectException(F f, const char* message, int code = 0) {
    try {
        f();
        ADD_FAILURE() << "expected \"" << message << "\"";
    } catch (const Exception& e) {
        EXPECT_STREQ(message, e.GetMessage());
        EXPECT_EQ(code, e.GetCode());
    }
}

Array<String> SplitOf(const char* text, char separator) {
    Array<String> out;
    String(text).Split(separator, out);
    return out;
}

} // namespace

TEST(String, SubStringBoundaries) {
    String s("abc");
    EXPECT_TRUE(s.SubString(1, 2) == "bc");
    EXPECT_TRUE(s.SubString(0, 3) == "abc");
    EXPECT_TRUE(s.SubString(3, 0) == "");
    EXPECT_TRUE(s.SubString(1, 0) == "");
    ExpectException([&] { s.SubString(2, 2); }, "SubString Overflow");
    ExpectException([&] { s.SubString(4, 0); }, "SubString Overflow");
    ExpectException([&] { s.SubString(-1, 1); }, "SubString Overflow");
    ExpectException([&] { s.SubString(1, -1); }, "SubString Overflow");
    ExpectException([&] { s.SubString(1, 0x7fffffff); }, "SubString Overflow");
}

TEST(String, SplitKeepsEmptyPieces) {
    Array<String> two = SplitOf("a;b", ';');
    ASSERT_EQ(2, two.Count());
    EXPECT_TRUE(two[0] == "a");
    EXPECT_TRUE(two[1] == "b");

    Array<String> empty = SplitOf("", ';');
    ASSERT_EQ(1, empty.Count());
    EXPECT_EQ(0, empty[0].Length());

    Array<String> onlySeparator = SplitOf(";", ';');
    ASSERT_EQ(2, onlySeparator.Count());
    EXPECT_TRUE(onlySeparator[0] == "");
    EXPECT_TRUE(onlySeparator[1] == "");

    Array<String> inner = SplitOf("x;;y;", ';');
    ASSERT_EQ(4, inner.Count());
    EXPECT_TRUE(inner[0] == "x");
    EXPECT_TRUE(inner[1] == "");
    EXPECT_TRUE(inner[2] == "y");
    EXPECT_TRUE(inner[3] == "");

    Array<String> none = SplitOf("no separator", ';');
    ASSERT_EQ(1, none.Count());
    EXPECT_TRUE(none[0] == "no separator");
}

TEST(String, ToIntFollowsPercentI) {
    EXPECT_EQ(31, String("0x1F").ToInt());
    EXPECT_EQ(42, String("  42").ToInt());
    EXPECT_EQ(12, String("12abc").ToInt());
    EXPECT_EQ(-7, String("-7").ToInt());
    EXPECT_EQ(5, String("+5").ToInt());
    EXPECT_EQ(8, String("010").ToInt()); // leading zero: octal
    EXPECT_EQ(0, String("0").ToInt());
    ExpectException([] { String("abc").ToInt(); }, "Unable to convert string to integer");
    ExpectException([] { String("").ToInt(); }, "Unable to convert string to integer");
    ExpectException([] { String("   ").ToInt(); }, "Unable to convert string to integer");
    ExpectException([] { String("-").ToInt(); }, "Unable to convert string to integer");
}

TEST(String, ToFloatFollowsPercentF) {
    EXPECT_FLOAT_EQ(1.5f, String("1.5").ToFloat());
    EXPECT_FLOAT_EQ(-0.25f, String(" -0.25").ToFloat());
    EXPECT_FLOAT_EQ(3.0f, String("3").ToFloat());
    EXPECT_FLOAT_EQ(2.5f, String("2.5px").ToFloat());
    EXPECT_FLOAT_EQ(1000.0f, String("1e3").ToFloat());
    ExpectException([] { String("x1").ToFloat(); }, "Unable to convert string to float");
    ExpectException([] { String("").ToFloat(); }, "Unable to convert string to float");
}
