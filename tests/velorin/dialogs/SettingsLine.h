#pragma once

#include "velorin/Settings.h"

#include <cstdio>
#include <string>

namespace VelorinTest {

/// The seven settings in one line, so a comparison shows every field; the aspect with every
/// digit a float has.
inline std::string SettingsLine() {
    char text[160];
    std::snprintf(text, sizeof text, "driver %d, %dx%d, %d samples, aspect %.9g, fullscreen %d, music %d",
                  Velorin::GraphicsDriver, Velorin::ResolutionX, Velorin::ResolutionY, Velorin::Multisamples,
                  Velorin::Aspect, Velorin::Fullscreen, Velorin::PlayMusic);
    return text;
}

} // namespace VelorinTest
