#pragma once

#include <string>

namespace Velorin::Preview {

/// Reads the show's script again with a new asset proxy over dataDirectory, so every file it
/// uses (script, shaders, textures, scene) is read anew. On success the previous script's
/// objects and proxy are released and an empty text is answered. On failure whatever the new
/// reading made is deleted, the previous script and proxy are back in place untouched, and the
/// presentation's message is answered: the show goes on with its last good version.
std::string ReloadShow(const char* dataDirectory);

} // namespace Velorin::Preview
