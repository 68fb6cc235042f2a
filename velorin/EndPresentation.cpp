#include "velorin/Presentation.h"

#include <cstdlib>

namespace Velorin {

namespace {
void (*endHandler)() = nullptr;
}

void SetEndPresentationHandler(void (*handler)()) { endHandler = handler; }

void EndPresentation() {
    if (endHandler) {
        endHandler();
        return;
    }
    // Nothing is torn down: the process exit releases the window, the devices and the files.
    std::exit(0);
}

} // namespace Velorin
