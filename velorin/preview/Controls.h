#pragma once

#include <string>
#include <vector>

namespace Gralith::Input {
struct KeyboardEvent;
}

namespace Velorin::Preview {

class Transport;

/// What the live preview's keys ask for.
enum class Command {
    None,
    TogglePause,  ///< Space
    Back,         ///< Left: one second
    Forward,      ///< Right
    BackBar,      ///< Shift+Left: one bar
    ForwardBar,   ///< Shift+Right
    Home,         ///< Home: the start
    ToggleLoop,   ///< L: the block under the cursor, or the marked range
    MarkStart,    ///< [
    MarkEnd,      ///< ]
    ToggleStatus, ///< H: hides or shows the status line
    Quit,         ///< Escape
};

/// The command of one keyboard event; shift tells whether a Shift key is held. Keys act when
/// pressed; letters and brackets act on the character typed, so they work on any layout.
Command CommandFor(const Gralith::Input::KeyboardEvent& event, bool shift);

/// The status line: time, bar:beat, frames per second, the transport's state and the names of
/// the active blocks' effects, e.g. "12.50 s  7:3  60 fps  paused  loop 10.00-14.00  scene, card".
std::string StatusText(double time, double framesPerSecond, const Transport& transport,
                       const std::vector<std::string>& activeEffects);

} // namespace Velorin::Preview
