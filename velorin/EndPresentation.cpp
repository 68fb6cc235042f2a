#include "velorin/Presentation.h"

namespace Velorin {

namespace {
void (*endHandler)() = nullptr;
bool endRequested = false;
} // namespace

void SetEndPresentationHandler(void (*handler)()) { endHandler = handler; }

void EndPresentation() {
    if (endHandler) {
        endHandler();
        return;
    }
    // Leaving the process from inside the frame would skip every destructor on the way out.
    endRequested = true;
}

bool EndOfPresentationRequested() { return endRequested; }

void ClearEndOfPresentation() { endRequested = false; }

} // namespace Velorin
