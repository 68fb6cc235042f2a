#include "velorin/dialogs/gtk/GtkErrorDialog.h"

#include "velorin/dialogs/gtk/GtkBanner.h"
#include "velorin/dialogs/gtk/GtkToolkit.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>

namespace Velorin {

namespace {

GtkTextBuffer* BufferOf(GtkWidget* scrolled) {
    GtkWidget* view = gtk_bin_get_child(GTK_BIN(scrolled));
    return gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
}

} // namespace

GtkErrorDialog::GtkErrorDialog() { InitializeComponent(); }

GtkErrorDialog::~GtkErrorDialog() {
    if (window)
        gtk_widget_destroy(window);
    if (loop)
        g_main_loop_unref(loop);
}

void GtkErrorDialog::InitializeComponent() {
    GtkWidget* fixed = nullptr;
    window = GtkToolkit::CreateDialogWindow("ErrorDialog", Title, ClientWidth, ClientHeight, &fixed);

    cairo_surface_t* image =
        GtkBanner::Draw(BannerWidth, BannerHeight, "HALCYRA", "Brightmoot 2008 Invitation", GtkBanner::AccentError);
    banner = gtk_image_new_from_surface(image);
    cairo_surface_destroy(image);
    gtk_fixed_put(GTK_FIXED(fixed), banner, 0, 0);

    label1 = gtk_label_new(Explanation);
    gtk_label_set_xalign(GTK_LABEL(label1), 0.0f);
    gtk_widget_set_size_request(label1, 376, 22);
    gtk_fixed_put(GTK_FIXED(fixed), label1, 12, 116);

    GtkWidget* view = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
    gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), FALSE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD_CHAR);
    gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view), 4);
    gtk_text_view_set_right_margin(GTK_TEXT_VIEW(view), 4);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), DefaultDetails, -1);
    textBox1 = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(textBox1), GTK_POLICY_NEVER, GTK_POLICY_ALWAYS);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(textBox1), GTK_SHADOW_IN);
    // A permanent scroll bar, not one that appears only under the pointer.
    gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(textBox1), FALSE);
    gtk_container_add(GTK_CONTAINER(textBox1), view);
    gtk_widget_set_size_request(textBox1, 376, 140);
    gtk_fixed_put(GTK_FIXED(fixed), textBox1, 12, 140);

    button1 = gtk_button_new_with_label(ErrorDialogForm::CloseText);
    gtk_widget_set_size_request(button1, CloseButtonRect.width, CloseButtonRect.height);
    gtk_fixed_put(GTK_FIXED(fixed), button1, CloseButtonRect.x, CloseButtonRect.y);
    g_signal_connect_swapped(button1, "clicked", G_CALLBACK(+[](GtkErrorDialog* d) { d->button1_Click(); }), this);

    gtk_widget_show_all(fixed);
}

void GtkErrorDialog::SetErrorMessage(const char* text) {
    if (!text)
        text = "";
    // Messages are 8-bit text: file names or parser output may not be UTF-8, and the toolkit
    // accepts nothing else.
    gchar* converted = nullptr;
    if (!g_utf8_validate(text, -1, nullptr))
        converted = g_convert(text, -1, "UTF-8", "ISO-8859-1", nullptr, nullptr, nullptr);
    gtk_text_buffer_set_text(BufferOf(textBox1), converted ? converted : text, -1);
    g_free(converted);
}

void GtkErrorDialog::button1_Click() { Close(); }

void GtkErrorDialog::Close() {
    gtk_widget_hide(window);
    if (loop && g_main_loop_is_running(loop))
        g_main_loop_quit(loop);
}

void GtkErrorDialog::ShowDialog() {
    if (!loop)
        loop = g_main_loop_new(nullptr, FALSE);
    GtkToolkit::RunModal(window, loop, [this] {
        if (shown && IsVisible())
            shown(*this);
    });
}

bool GtkErrorDialog::IsVisible() const { return gtk_widget_get_visible(window); }

const char* GtkErrorDialog::GetTitle() const { return gtk_window_get_title(GTK_WINDOW(window)); }

char* GtkErrorDialog::GetErrorMessage() const {
    GtkTextBuffer* buffer = BufferOf(textBox1);
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
    size_t n = std::strlen(text);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    g_free(text);
    return copy;
}

const char* GtkErrorDialog::GetLabelText() const { return gtk_label_get_text(GTK_LABEL(label1)); }

const char* GtkErrorDialog::GetButtonText() const { return gtk_button_get_label(GTK_BUTTON(button1)); }

bool GtkErrorDialog::IsDetailsEditable() const {
    return gtk_text_view_get_editable(GTK_TEXT_VIEW(gtk_bin_get_child(GTK_BIN(textBox1))));
}

void GtkErrorDialog::GetScreenOrigin(int& x, int& y) const {
    x = y = 0;
    GdkWindow* w = gtk_widget_get_window(window);
    if (w)
        gdk_window_get_origin(w, &x, &y);
}

void ShowErrorMessage(const char* message) {
    if (!GtkToolkit::Initialize()) {
        std::fprintf(stderr, "%s\n", message ? message : "");
        return;
    }
    GtkErrorDialog dialog;
    dialog.SetErrorMessage(message);
    dialog.ShowDialog();
}

} // namespace Velorin
