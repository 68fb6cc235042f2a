#include "Options.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace FsgConvert {

const char* const UsageText =
    "usage: fsg-convert [options] IN OUT.fsg\n"
    "       fsg-convert --list IN\n"
    "Converts a scene that the Open Asset Import Library reads (glTF, COLLADA, OBJ, FBX, ...)\n"
    "into an FSG scene with FGM meshes; embedded textures are written beside OUT.\n"
    "  --scale S      multiply every length by S (default 1)\n"
    "  --up y|z       up axis of the output: y keeps the imported Y-up scene, z turns +Y to +Z\n"
    "  --prefix TEXT  put TEXT before every id and name\n"
    "  --tolerance T  how far resampled curves may stray (default 1e-4; radians for rotations)\n"
    "  --list         print what IN holds and what would be left out; write nothing\n";

namespace {

double Number(const char* option, const char* text) {
    double value = 0.0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        throw UsageError(std::string(option) + " needs a number, not '" + text + "'");
    return value;
}

} // namespace

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    std::string files[2];
    int fileCount = 0;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                throw UsageError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--list") {
            options.list = true;
        } else if (arg == "--scale") {
            options.scale = Number("--scale", value());
            if (options.scale <= 0.0)
                throw UsageError("--scale must be above 0");
        } else if (arg == "--tolerance") {
            options.tolerance = Number("--tolerance", value());
            if (options.tolerance <= 0.0)
                throw UsageError("--tolerance must be above 0");
        } else if (arg == "--up") {
            const std::string axis = value();
            if (axis != "y" && axis != "z")
                throw UsageError("--up takes y or z, not '" + axis + "'");
            options.up = axis[0];
        } else if (arg == "--prefix") {
            options.prefix = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else if (fileCount < 2) {
            files[fileCount++] = arg;
        } else {
            throw UsageError("too many files");
        }
    }
    if (fileCount != (options.list ? 1 : 2))
        throw UsageError(options.list ? "--list takes one file" : "IN and OUT are needed");
    options.input = files[0];
    options.output = files[1];
    return options;
}

} // namespace FsgConvert
