#pragma once

#include <stdexcept>
#include <string>

namespace FsgConvert {

/// The command line of fsg-convert.
struct Options {
    std::string input;
    std::string output;      ///< empty with --list
    double scale = 1.0;      ///< every length is multiplied by it
    char up = 'y';           ///< 'z' turns the importer's Y-up scene so that +Y points along +Z
    std::string prefix;      ///< put before every id and name
    double tolerance = 1e-4; ///< how far resampled curves may stray: units, or radians for rotations
    bool list = false;
};

/// A command line that cannot be followed; its message says why.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

extern const char* const UsageText;

/// Reads the arguments after the program name; throws UsageError.
Options ParseOptions(int argc, const char* const* argv);

} // namespace FsgConvert
