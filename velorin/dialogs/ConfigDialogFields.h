#pragma once

namespace Velorin {

/// What the configuration dialog offers, whatever toolkit shows it: the rows of its lists, in
/// order, and what each row means. The driver list comes from Gralith::Graphics::Drivers.
namespace ConfigChoices {

struct Resolution {
    const char* Text; ///< the row exactly as shown
    int Width;
    int Height;
};

// The row texts are shown as they are, including the stray blank after "1280 x 800"; the sizes
// come from this table, never from parsing the text.
inline constexpr Resolution Resolutions[] = {
    {"640 x 480", 640, 480},     {"800 x 480", 800, 480},     {"800 x 600", 800, 600},     {"1024 x 768", 1024, 768},
    {"1280 x 720", 1280, 720},   {"1280 x 800 ", 1280, 800},  {"1280 x 960", 1280, 960},   {"1280 x 1024", 1280, 1024},
    {"1440 x 900", 1440, 900},   {"1400 x 1050", 1400, 1050}, {"1680 x 1050", 1680, 1050}, {"1600 x 1200", 1600, 1200},
    {"1920 x 1080", 1920, 1080}, {"1920 x 1200", 1920, 1200},
};
inline constexpr int ResolutionCount = sizeof(Resolutions) / sizeof(Resolutions[0]);

inline constexpr const char* AntiAliasingRows[] = {"Off", "2 Samples", "4 Samples", "6 Samples", "8 Samples"};
inline constexpr int AntiAliasingSamples[] = {0, 2, 4, 6, 8};
inline constexpr int AntiAliasingCount = sizeof(AntiAliasingSamples) / sizeof(AntiAliasingSamples[0]);

inline constexpr const char* AspectRows[] = {"16:10", "16:9", "4:3"};
inline constexpr float Aspects[] = {1.6f, 16.0f / 9.0f, 4.0f / 3.0f};
inline constexpr int AspectCount = sizeof(Aspects) / sizeof(Aspects[0]);

/// The selections when the dialog opens (the driver list starts at its first row).
inline constexpr int DefaultResolutionRow = 3;   // 1024 x 768
inline constexpr int DefaultAntiAliasingRow = 1; // 2 samples
inline constexpr int DefaultAspectRow = 0;       // 16:10

} // namespace ConfigChoices

/// The configuration dialog's fields, filled by its buttons. gralithDriverIndex holds the chosen
/// driver's GraphicsDriver value (the row index differs from it where a build offers fewer
/// drivers).
struct ConfigDialogFields {
    int gralithDriverIndex = 0;
    int displayResolutionIndex = 0;
    int antiAliasingIndex = 0;
    int aspectIndex = 0;
    bool fullscreen = false;
    bool music = false;
    bool quitButtonPressed = false;
};

/// The settings conversion of ShowConfigDialog: writes GraphicsDriver, ResolutionX/Y (640 x 480
/// for an unknown row), Multisamples (0 for an unknown row), Aspect (unchanged for an unknown
/// row), Fullscreen and PlayMusic from the fields, and answers not quitButtonPressed.
bool ApplyConfigDialogFields(const ConfigDialogFields& fields);

} // namespace Velorin
