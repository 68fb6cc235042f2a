#pragma once

struct _cairo_surface;

namespace Velorin {

/// The header images of the two GTK dialogs, painted at run time so the build needs no art
/// files: a dark gradient with soft light streaks and the title text.
class GtkBanner {
public:
    /// Accent colours: the configuration dialog is blue-violet, the error dialog red.
    enum Accent { AccentInvitation, AccentError };

    /// A new image surface of exactly width x height pixels (ARGB32); the caller destroys it.
    static _cairo_surface* Draw(int width, int height, const char* title, const char* subtitle, Accent accent);
};

} // namespace Velorin
