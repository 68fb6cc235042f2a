#include "velorin/dialogs/gtk/GtkToolkit.h"

#include <gtk/gtk.h>

namespace Velorin {

namespace {

// Both dialogs share one look; the configuration dialog adds its typeface.
const char* const styleSheet = "#ConfigDialog, #ConfigDialog * { font-family: Candara, \"DejaVu Sans\", sans-serif;"
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

bool GtkToolkit::Initialize() {
    static const bool started = Start();
    return started;
}

void GtkToolkit::RunModal(GtkWidget* window, GMainLoop* loop, const std::function<void()>& shown) {
    struct Watch {
        const std::function<void()>* shown;
        guint pending = 0;
    } watch{&shown};
    auto onMap = +[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
        auto* w = static_cast<Watch*>(data);
        if (*w->shown && !w->pending) {
            // Mapped is not yet drawn: let the first frame through before anyone looks.
            w->pending = g_timeout_add(
                50,
                +[](gpointer d) -> gboolean {
                    auto* w = static_cast<Watch*>(d);
                    w->pending = 0;
                    (*w->shown)();
                    return G_SOURCE_REMOVE;
                },
                w);
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

void GtkToolkit::ProcessPendingEvents() {
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

GtkWidget* GtkToolkit::CreateDialogWindow(const char* name, const char* title, int width, int height,
                                          GtkWidget** fixed) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_name(window, name);
    gtk_window_set_title(GTK_WINDOW(window), title);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_deletable(GTK_WINDOW(window), FALSE);
    gtk_window_set_modal(GTK_WINDOW(window), TRUE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
    g_signal_connect(window, "delete-event", G_CALLBACK(gtk_true), nullptr);

    *fixed = gtk_fixed_new();
    gtk_widget_set_size_request(*fixed, width, height);
    gtk_container_add(GTK_CONTAINER(window), *fixed);
    return window;
}

} // namespace Velorin
