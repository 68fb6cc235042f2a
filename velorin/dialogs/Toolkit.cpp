#include "velorin/dialogs/Toolkit.h"

#include <gtk/gtk.h>

namespace Velorin {

namespace {

// Both dialogs share one look; the configuration dialog adds its typeface.
const char* const styleSheet =
    "#ConfigDialog, #ConfigDialog * { font-family: Candara, \"DejaVu Sans\", sans-serif;"
    " font-size: 9.75pt; }\n"
    "#ErrorDialog, #ErrorDialog * { font-size: 9.75pt; }\n"
    "#ErrorDialog label, #ErrorDialog button label, #ErrorDialog textview text"
    " { color: rgb(64, 64, 64); }\n"
    "#ErrorDialog textview, #ErrorDialog textview text { background-color: #ffffff; }\n";

bool Start() {
    if (!gtk_init_check(nullptr, nullptr))
        return false;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, styleSheet, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    return true;
}

} // namespace

bool Toolkit::Initialize() {
    static const bool started = Start();
    return started;
}

void Toolkit::RunModal(GtkWidget* window, GMainLoop* loop, const std::function<void()>& shown) {
    struct Watch {
        const std::function<void()>* shown;
        guint pending = 0;
    } watch{&shown};
    auto onMap = +[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
        auto* w = static_cast<Watch*>(data);
        if (*w->shown && !w->pending) {
            // Mapped is not yet drawn: let the first frame through before anyone looks.
            w->pending = g_timeout_add(50, +[](gpointer d) -> gboolean {
                auto* w = static_cast<Watch*>(d);
                w->pending = 0;
                (*w->shown)();
                return G_SOURCE_REMOVE;
            }, w);
        }
        return FALSE;
    };
    gulong handler = g_signal_connect(window, "map-event", G_CALLBACK(onMap), &watch);
    gtk_window_present(GTK_WINDOW(window));
    g_main_loop_run(loop);
    g_signal_handler_disconnect(window, handler);
    if (watch.pending)
        g_source_remove(watch.pending);
    ProcessPendingEvents();
}

void Toolkit::ProcessPendingEvents() {
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

} // namespace Velorin
