#pragma once

// The process's C locale switched to one that writes the decimal point as a comma, as a GUI
// toolkit's start-up does for a German or French user, and switched back when the object goes.
// scripts/install-deps.sh generates the locale; a machine without it fails the test instead of
// quietly skipping what it is there to show.

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

namespace GralithTest {

class CommaLocale {
public:
#ifdef _WIN32
    // The C runtime of Windows names locales by language, country and code page.
    static constexpr const char* Name = "German_Germany.1252";
#else
    static constexpr const char* Name = "de_DE.UTF-8";
#endif

    CommaLocale() : previous(std::setlocale(LC_ALL, nullptr)) { active = std::setlocale(LC_ALL, Name) != nullptr; }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    ~CommaLocale() { std::setlocale(LC_ALL, previous.c_str()); }

    /// Whether the switch took and the C library now reads and writes "0,5".
    ::testing::AssertionResult Active() const {
        if (!active)
            return ::testing::AssertionFailure()
                   << "locale " << Name << " is missing; scripts/install-deps.sh generates it";
        if (std::strcmp(std::localeconv()->decimal_point, ",") != 0)
            return ::testing::AssertionFailure()
                   << Name << " has decimal point '" << std::localeconv()->decimal_point << "', not ','";
        return ::testing::AssertionSuccess();
    }

private:
    std::string previous;
    bool active = false;
};

} // namespace GralithTest
