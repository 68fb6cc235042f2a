#include "velorin/preview/Controls.h"

#include "gralith/input/KeyCodes.h"
#include "gralith/input/Keyboard.h"
#include "velorin/preview/Transport.h"

#include <cmath>
#include <cstdio>

namespace Velorin::Preview {

using namespace Gralith::Input;

namespace {
constexpr uint32_t Pressed = 0;
constexpr uint32_t Typed = 2;
} // namespace

Command CommandFor(const KeyboardEvent& event, bool shift) {
    if (event.state == Pressed) {
        switch (event.keyCode) {
        case KeySpace: return Command::TogglePause;
        case KeyLeft: return shift ? Command::BackBar : Command::Back;
        case KeyRight: return shift ? Command::ForwardBar : Command::Forward;
        case KeyHome: return Command::Home;
        case KeyEscape: return Command::Quit;
        default: return Command::None;
        }
    }
    if (event.state == Typed) {
        switch (event.keyCode) {
        case 'l':
        case 'L': return Command::ToggleLoop;
        case 'h':
        case 'H': return Command::ToggleStatus;
        case '[': return Command::MarkStart;
        case ']': return Command::MarkEnd;
        default: return Command::None;
        }
    }
    return Command::None;
}

std::string StatusText(double time, double framesPerSecond, const Transport& transport,
                       const std::vector<std::string>& activeEffects) {
    int bar = 0, beat = 0;
    BarAndBeat(time, bar, beat);
    char text[160];
    std::snprintf(text, sizeof text, "%.2f s  %d:%d  %.0f fps", time, bar, beat, std::round(framesPerSecond));
    std::string line = text;
    if (transport.IsPaused())
        line += "  paused";
    if (transport.IsLooping()) {
        std::snprintf(text, sizeof text, "  loop %.2f-%.2f", transport.GetLoop().start, transport.GetLoop().end);
        line += text;
    }
    for (size_t i = 0; i < activeEffects.size(); ++i)
        line += (i == 0 ? "  " : ", ") + activeEffects[i];
    return line;
}

} // namespace Velorin::Preview
