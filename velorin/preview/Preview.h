#pragma once

#include <string>

namespace Velorin::Preview {

struct PreviewOptions {
    /// The show's data folder: demo.xml, shaders, textures, scenes, music/music.ogg.
    std::string dataDirectory = "data";
    int width = 1024;
    int height = 768;
    /// The status line's TrueType font file; empty picks the platform's usual one.
    std::string fontPath;
};

/// The live preview: the show's runtime in a window with a transport (see Controls.h for the
/// keys), a status line, and reloading of the files it uses when they change on disk. A file
/// that fails to load shows the presentation's message on screen while the last good version
/// keeps running. Returns when Escape is pressed or the window is closed. Each transport action
/// and reload is also reported on the standard output, one line each.
void RunPreview(const PreviewOptions& options);

} // namespace Velorin::Preview
