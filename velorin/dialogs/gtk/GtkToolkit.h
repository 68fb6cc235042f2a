#pragma once

#include <functional>

struct _GtkWidget;
struct _GMainLoop;

namespace Velorin {

/// GTK 3 behind the two dialogs, started on first use.
class GtkToolkit {
public:
    /// Starts the toolkit once per process; false when no display can be opened. Later calls
    /// answer the first result.
    static bool Initialize();
    /// Handles every pending toolkit event without waiting (tests drive dialogs with it).
    static void ProcessPendingEvents();
    /// Shows the top-level window and runs loop until someone quits it; shown (if set) is
    /// called once from inside the loop after the window has reached the screen.
    static void RunModal(_GtkWidget* window, _GMainLoop* loop, const std::function<void()>& shown);
    /// A top-level dialog window of both dialogs' kind: named (style sheet and tests find it by
    /// name), titled, modal, centred, fixed in size, and closed only by its own buttons (the
    /// window manager's close request is refused). Its content is a fixed-position container of
    /// width x height, returned through fixed.
    static _GtkWidget* CreateDialogWindow(const char* name, const char* title, int width, int height,
                                          _GtkWidget** fixed);
};

} // namespace Velorin
