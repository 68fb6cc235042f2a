#include "velorin/dialogs/ConfigDialogFields.h"

#include "velorin/Settings.h"

namespace Velorin {

bool ApplyConfigDialogFields(const ConfigDialogFields& fields) {
    using namespace ConfigChoices;
    GraphicsDriver = fields.gralithDriverIndex;

    int row = fields.displayResolutionIndex;
    const Resolution& r = row >= 0 && row < ResolutionCount ? Resolutions[row] : Resolutions[0];
    ResolutionX = r.Width;
    ResolutionY = r.Height;

    row = fields.antiAliasingIndex;
    Multisamples = row >= 0 && row < AntiAliasingCount ? AntiAliasingSamples[row] : 0;

    row = fields.aspectIndex;
    if (row >= 0 && row < AspectCount)
        Aspect = Aspects[row];

    Fullscreen = fields.fullscreen;
    PlayMusic = fields.music;
    return !fields.quitButtonPressed;
}

} // namespace Velorin
