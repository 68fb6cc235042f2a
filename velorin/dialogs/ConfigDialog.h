#pragma once

#include "velorin/dialogs/ConfigDialogFields.h"

namespace Velorin {

/// The configuration dialog shown before the presentation, whichever toolkit draws it (the
/// build's sibling folder of this one: gtk/ on Linux): a banner, the four lists of
/// ConfigChoices, the check boxes "Music" and "Fullscreen", and the buttons "Transform" (start)
/// and "Dissolve" (quit), the only way to close it. These are the texts and sizes every toolkit
/// shows.
namespace ConfigDialogForm {

inline constexpr const char* Title = "Halcyra - Brightmoot 08 Invitation";
inline constexpr int ClientWidth = 401;
inline constexpr int ClientHeight = 361;
inline constexpr int BannerWidth = 401;
inline constexpr int BannerHeight = 105;
/// The labels of the driver, resolution, anti-aliasing and aspect lists, in that order.
inline constexpr const char* ListLabels[] = {"Gralith Driver:", "Display Resolution:", "Anti-Aliasing:", "Aspect:"};
inline constexpr const char* MusicText = "Music";
inline constexpr const char* FullscreenText = "Fullscreen";
inline constexpr const char* StartText = "Transform";
inline constexpr const char* QuitText = "Dissolve";

} // namespace ConfigDialogForm

/// Shows the configuration dialog modally and writes the seven settings from its fields
/// (ApplyConfigDialogFields, whichever button closed it). True when the viewer pressed
/// "Transform". Throws Exception when no display can be opened for the dialog.
bool ShowConfigDialog();

} // namespace Velorin
