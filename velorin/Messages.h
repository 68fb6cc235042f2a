#pragma once

namespace Velorin {

/// The presentation's fixed message texts (and the fixed beginnings of composed ones), kept in
/// one place because the reader, the handles, the renderer and the tests all use them.
namespace Messages {

constexpr const char* ResourceNotSet = "Resource not set to a valid descriptor";
constexpr const char* NoInstanceElement = "Effect node lacks instance element";
constexpr const char* InvalidEffectClass = "Invalid effect class: ";
constexpr const char* ExpectedValuesOrController = "Expected values or controller";
constexpr const char* NoSuchEffect = "No such effect: ";
constexpr const char* NoSuchFramebuffer = "No such framebuffer: ";

/// "Failed to load effect '" + name + "': " + cause
constexpr const char* FailedToLoadEffectBegin = "Failed to load effect '";
constexpr const char* FailedToLoadEffectMiddle = "': ";
/// "Invalid parameter to '" + name + "': '" + tag + "'"
constexpr const char* InvalidParameterBegin = "Invalid parameter to '";
constexpr const char* InvalidParameterMiddle = "': '";
/// "Invalid controller type: '" + tag + "'"
constexpr const char* InvalidControllerTypeBegin = "Invalid controller type: '";
constexpr const char* QuoteEnd = "'";

/// Starting the music; caught at once and shown as MusicMessages::CannotPlay.
constexpr const char* NoMusicStream = "no stream";
/// The configuration dialog where there is no display to show it on.
constexpr const char* NoConfigDisplay = "Unable to open a display for the configuration dialog";

// The offline renderer: fixed beginnings, followed by a path or the system's reason.
constexpr const char* OutputFolderFailed = "Unable to create output folder: ";
constexpr const char* PngWriteFailed = "Unable to write PNG file: ";
constexpr const char* FfmpegStartFailed = "Unable to start ffmpeg: ";
constexpr const char* FfmpegStopped = "ffmpeg stopped taking frames";
/// FfmpegFailedBegin + exit status + FfmpegFailedEnd
constexpr const char* FfmpegFailedBegin = "ffmpeg failed (status ";
constexpr const char* FfmpegFailedEnd = ")";

} // namespace Messages

/// The music's failure notices: they are shown and the show goes on without music.
namespace MusicMessages {
constexpr const char* Caption = "BASS";
constexpr const char* InitFailed = "BASS error";
constexpr const char* FileNotFound = "BASS error, file not found?";
constexpr const char* CannotPlay = "BASS error, can not play stream?";
} // namespace MusicMessages

} // namespace Velorin
