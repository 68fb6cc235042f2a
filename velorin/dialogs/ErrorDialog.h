#pragma once

namespace Velorin {

/// The dialog that reports the failure which ended the presentation, whichever toolkit draws it
/// (the build's sibling folder of this one: gtk/ on Linux): a banner, a fixed sentence, the
/// message in a read-only scrolling text box, and "Close". These are the texts and sizes every
/// toolkit shows.
namespace ErrorDialogForm {

inline constexpr const char* Title = "Halcyra";
inline constexpr int ClientWidth = 400;
inline constexpr int ClientHeight = 328;
inline constexpr int BannerWidth = 400;
inline constexpr int BannerHeight = 107;
inline constexpr const char* Explanation = "An error has occured forcing Halcyra to close. Details:";
/// The details before a message is set.
inline constexpr const char* DefaultDetails = "No details available.";
inline constexpr const char* CloseText = "Close";

} // namespace ErrorDialogForm

/// Shows the error dialog modally with message (8-bit text, may be empty) as its details and
/// returns when it is closed. Where no dialog can be shown the message goes to the standard
/// error stream instead, so it is never lost.
void ShowErrorMessage(const char* message);

} // namespace Velorin
