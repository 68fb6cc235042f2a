#include "gralith/utils/String.h"
#include "gralith/utils/Array.h"

#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Gralith::Utils::Array;
using Gralith::Utils::String;

TEST(String, SubStringBoundaries) {
    String s("abc");
    EXPECT_TRUE(s.SubString(1, 2) == "bc");
    EXPECT_TRUE(s.SubString(0, 3) == "abc");
    EXPECT_TRUE(s.SubString(3, 0) == "");
    EXPECT_TRUE(s.SubString(1, 0) == "");
    for (auto range : {std::pair{2, 2}, {4, 0}, {-1, 1}, {1, -1}, {1, 0x7fffffff}})
        EXPECT_GRALITH_THROW(s.SubString(range.first, range.second), "SubString Overflow", 0);
}

TEST(String, SplitKeepsEmptyPieces) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {{"a;b", {"a", "b"}},
                                                                      {"", {""}},
                                                                      {";", {"", ""}},
                                                                      {"x;;y;", {"x", "", "y", ""}},
                                                                      {"no separator", {"no separator"}}};
    for (const auto& [text, pieces] : cases) {
        Array<String> out;
        String(text).Split(';', out);
        std::vector<std::string> seen;
        for (const String& piece : out)
            seen.push_back(piece.CStr());
        EXPECT_EQ(pieces, seen) << '"' << text << '"';
    }
}

TEST(String, ToIntFollowsPercentIAndToFloatPercentF) {
    const std::pair<const char*, int> integers[] = {{"0x1F", 31}, {"  42", 42}, {"12abc", 12}, {"-7", -7},
                                                    {"+5", 5},    {"010", 8},   {"0", 0}}; // leading zero: octal
    for (auto [text, value] : integers)
        EXPECT_EQ(value, String(text).ToInt()) << text;
    for (const char* text : {"abc", "", "   ", "-"})
        EXPECT_GRALITH_THROW(String(text).ToInt(), "Unable to convert string to integer", 0);
    const std::pair<const char*, float> floats[] = {
        {"1.5", 1.5f}, {" -0.25", -0.25f}, {"3", 3.0f}, {"2.5px", 2.5f}, {"1e3", 1000.0f}};
    for (auto [text, value] : floats)
        EXPECT_EQ(value, String(text).ToFloat()) << text;
    for (const char* text : {"x1", ""})
        EXPECT_GRALITH_THROW(String(text).ToFloat(), "Unable to convert string to float", 0);
}
