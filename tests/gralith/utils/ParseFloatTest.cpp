#include "gralith/utils/ParseFloat.h"
#include "gralith/utils/String.h"

#include "tests/support/CommaLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

using Gralith::Utils::ParseFloat;

// The C library in the C locale is the reference: same value, same length read, same refusals.
TEST(ParseFloat, ReadsWhatStrtofReadsInTheCLocale) {
    ASSERT_STREQ(".", std::localeconv()->decimal_point);
    // Decimal with what may come around it and more digits than a float holds; hexadecimal;
    // infinities and values past float's range at either end; no number at all.
    const char* const inputs[] = {"0.5",       " \t\n0.5", "+2.5e1px", "-.25",  "7.",    "1e",      "1e+",     "2E-3",
                                  "3,5",       "0.1",      "0x1.8p1",  "-0X.8", "0x",    "0xg",     "0x.",     "inf",
                                  "-Infinity", "1e39",     "-1e39",    "1e-50", "1e400", "-1e-400", "1.4e-45", "",
                                  "   ",       "x1",       "+-1",      "--1",   "- 1",   ".",       "e5",      "+"};
    auto check = [](const char* text) {
        char* end = nullptr;
        float expected = std::strtof(text, &end);
        float value = -7.0f;
        size_t length = ParseFloat(text, value);
        EXPECT_EQ(static_cast<size_t>(end - text), length) << '"' << text << '"';
        if (length > 0)
            EXPECT_EQ(expected, value) << '"' << text << '"';
        else
            EXPECT_EQ(-7.0f, value) << '"' << text << "\" read nothing, yet changed the value";
    };
    for (const char* text : inputs)
        check(text);
    check("123456789012345678901234567890");
    float value = 0.0f;
    EXPECT_EQ(3u, ParseFloat("nan", value));
    EXPECT_TRUE(std::isnan(value));
}

TEST(ParseFloat, CommaDecimalLocaleChangesNothing) {
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    float value = 0.0f;
    EXPECT_EQ(3u, ParseFloat("0.5", value));
    EXPECT_EQ(0.5f, value);
    EXPECT_EQ(1u, ParseFloat("0,5", value)) << "a comma ends the number as it does in the C locale";
    EXPECT_EQ(0.0f, value);
    EXPECT_EQ(-0.25f, Gralith::Utils::String(" -0.25").ToFloat());
}
