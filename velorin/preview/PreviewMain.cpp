// The live preview: the show in a window with pause, seek, loop and reloading of changed files.

#include "gralith/Exception.h"
#include "velorin/Timeline.h"
#include "velorin/preview/Preview.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* Usage = "usage: halcyra-preview [--data DIR] [--size WxH] [--font FILE.ttf]\n"
                              "  --data DIR   the show's data folder (default: data)\n"
                              "  --size WxH   the window's client size (default: 1024x768)\n"
                              "  --font FILE  the status line's TrueType font\n"
                              "keys: Space pause/play, Left/Right 1 s, Shift+Left/Right 1 bar, Home start,\n"
                              "      [ and ] mark a range, L loop the range or the block under the cursor,\n"
                              "      H hide/show the status line, Escape quit\n";

bool ParseSize(const char* text, int& width, int& height) {
    char x = 0, rest = 0;
    return std::sscanf(text, "%d%c%d%c", &width, &x, &height, &rest) == 3 && (x == 'x' || x == 'X') && width > 0 &&
           height > 0 && width <= 16384 && height <= 16384;
}

} // namespace

int main(int argc, char** argv) {
    Velorin::Preview::PreviewOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--help" || argument == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (argument == "--data" && hasValue) {
            options.dataDirectory = argv[++i];
        } else if (argument == "--size" && hasValue) {
            if (!ParseSize(argv[++i], options.width, options.height)) {
                std::fprintf(stderr, "halcyra-preview: bad size '%s' (expected WxH)\n%s", argv[i], Usage);
                return 2;
            }
        } else if (argument == "--font" && hasValue) {
            options.fontPath = argv[++i];
        } else {
            std::fprintf(stderr, "halcyra-preview: unknown or incomplete option '%s'\n%s", argv[i], Usage);
            return 2;
        }
    }
    int code = 0;
    try {
        Velorin::Preview::RunPreview(options);
    } catch (const Gralith::Exception& e) {
        std::fprintf(stderr, "halcyra-preview: %s\n", e.GetMessage());
        code = 1;
    }
    Velorin::ResetTimeline();
    return code;
}
