// The presentation executable: the configuration dialog, then the show.

#include "gralith/Exception.h"
#include "velorin/Presentation.h"
#include "velorin/Timeline.h"
#include "velorin/dialogs/ConfigDialog.h"
#include "velorin/dialogs/ErrorDialog.h"

#include <cstdio>

int main() {
    bool start = false;
    try {
        start = Velorin::ShowConfigDialog();
    } catch (const Gralith::Exception& e) {
        // No display: there is nowhere to show a dialog, so say why on the terminal.
        std::fprintf(stderr, "%s\n", e.GetMessage());
        return 1;
    }
    if (!start)
        return 0;
    int code = 0;
    try {
        Velorin::RunPresentation();
    } catch (const Gralith::Exception& e) {
        Velorin::ShowErrorMessage(e.GetMessage());
        code = 1;
    }
    // The lists themselves go with the process's static objects; what they point to goes first,
    // so leak checkers see a clean end.
    Velorin::ResetTimeline();
    return code;
}
