#include "velorin/dialogs/gtk/GtkConfigDialog.h"

#include "gralith/Exception.h"
#include "gralith/graphics/DeviceFactory.h"
#include "velorin/Messages.h"
#include "velorin/dialogs/gtk/GtkBanner.h"
#include "velorin/dialogs/gtk/GtkToolkit.h"

#include <gtk/gtk.h>

#include <vector>

namespace Velorin {

namespace {

GtkWidget* MakeList(const char* const* rows, int count) {
    // A plain text combo box is a drop-down list that accepts no typed text.
    GtkWidget* list = gtk_combo_box_text_new();
    for (int i = 0; i < count; ++i)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list), rows[i]);
    return list;
}

void Place(GtkWidget* fixed, GtkWidget* widget, int x, int y, int width, int height) {
    gtk_widget_set_size_request(widget, width, height);
    gtk_fixed_put(GTK_FIXED(fixed), widget, x, y);
}

GtkWidget* MakeLabel(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    return label;
}

} // namespace

GtkConfigDialog::GtkConfigDialog() { InitializeComponent(); }

GtkConfigDialog::~GtkConfigDialog() {
    if (window)
        gtk_widget_destroy(window);
    if (loop)
        g_main_loop_unref(loop);
}

void GtkConfigDialog::InitializeComponent() {
    GtkWidget* fixed = nullptr;
    window = GtkToolkit::CreateDialogWindow("ConfigDialog", Title, ClientWidth, ClientHeight, &fixed);

    cairo_surface_t* image = GtkBanner::Draw(BannerWidth, BannerHeight, "HALCYRA", "Brightmoot 2008 Invitation",
                                             GtkBanner::AccentInvitation);
    banner = gtk_image_new_from_surface(image);
    cairo_surface_destroy(image);
    gtk_fixed_put(GTK_FIXED(fixed), banner, 0, 0);

    std::vector<const char*> driverRows;
    for (int i = 0; i < Gralith::Graphics::BuiltDriverCount(); ++i)
        driverRows.push_back(Gralith::Graphics::BuiltDriver(i).Title);
    const char* resolutionRows[ConfigChoices::ResolutionCount];
    for (int i = 0; i < ConfigChoices::ResolutionCount; ++i)
        resolutionRows[i] = ConfigChoices::Resolutions[i].Text;

    gralithDriverListBox = MakeList(driverRows.data(), Gralith::Graphics::BuiltDriverCount());
    displayResolutionListBox = MakeList(resolutionRows, ConfigChoices::ResolutionCount);
    antiAliasingListBox = MakeList(ConfigChoices::AntiAliasingRows, ConfigChoices::AntiAliasingCount);
    aspectComboBox = MakeList(ConfigChoices::AspectRows, ConfigChoices::AspectCount);
    g_signal_connect_swapped(aspectComboBox, "changed",
                             G_CALLBACK(+[](GtkConfigDialog* d) { d->comboBox1_SelectedIndexChanged(); }), this);

    GtkWidget* lists[] = {gralithDriverListBox, displayResolutionListBox, antiAliasingListBox, aspectComboBox};
    for (int i = 0; i < 4; ++i) {
        int y = 120 + 38 * i;
        Place(fixed, MakeLabel(ConfigDialogForm::ListLabels[i]), 20, y, 150, 32);
        Place(fixed, lists[i], 175, y, 210, 32);
    }

    musicCheckBox = gtk_check_button_new_with_label(ConfigDialogForm::MusicText);
    fullscreenCheckBox = gtk_check_button_new_with_label(ConfigDialogForm::FullscreenText);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(musicCheckBox), TRUE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(fullscreenCheckBox), TRUE);
    Place(fixed, musicCheckBox, 20, 276, 100, 28);
    Place(fixed, fullscreenCheckBox, 130, 276, 120, 28);

    button1 = gtk_button_new_with_label(ConfigDialogForm::StartText);
    button2 = gtk_button_new_with_label(ConfigDialogForm::QuitText);
    Place(fixed, button1, StartButtonRect.x, StartButtonRect.y, StartButtonRect.width, StartButtonRect.height);
    Place(fixed, button2, QuitButtonRect.x, QuitButtonRect.y, QuitButtonRect.width, QuitButtonRect.height);
    g_signal_connect_swapped(button1, "clicked", G_CALLBACK(+[](GtkConfigDialog* d) { d->button1_Click(); }), this);
    g_signal_connect_swapped(button2, "clicked", G_CALLBACK(+[](GtkConfigDialog* d) { d->button2_Click(); }), this);

    gtk_widget_show_all(fixed);
}

void GtkConfigDialog::ConfigDialog_Load() {
    gtk_combo_box_set_active(GTK_COMBO_BOX(gralithDriverListBox), 0);
    gtk_combo_box_set_active(GTK_COMBO_BOX(displayResolutionListBox), ConfigChoices::DefaultResolutionRow);
    gtk_combo_box_set_active(GTK_COMBO_BOX(antiAliasingListBox), ConfigChoices::DefaultAntiAliasingRow);
    gtk_combo_box_set_active(GTK_COMBO_BOX(aspectComboBox), ConfigChoices::DefaultAspectRow);
    loaded = true;
}

void GtkConfigDialog::button1_Click() {
    gralithDriverIndex = Gralith::Graphics::BuiltDriver(GetSelectedRow(DriverList)).Driver;
    displayResolutionIndex = GetSelectedRow(ResolutionList);
    antiAliasingIndex = GetSelectedRow(AntiAliasingList);
    aspectIndex = GetSelectedRow(AspectList);
    fullscreen = IsChecked(FullscreenCheckBox);
    music = IsChecked(MusicCheckBox);
    quitButtonPressed = false;
    Close();
}

void GtkConfigDialog::button2_Click() {
    quitButtonPressed = true;
    Close();
}

void GtkConfigDialog::comboBox1_SelectedIndexChanged() {}

void GtkConfigDialog::Close() {
    gtk_widget_hide(window);
    if (loop && g_main_loop_is_running(loop))
        g_main_loop_quit(loop);
}

void GtkConfigDialog::ShowDialog() {
    if (!loaded)
        ConfigDialog_Load();
    if (!loop)
        loop = g_main_loop_new(nullptr, FALSE);

    GtkToolkit::RunModal(window, loop, [this] {
        if (shown && IsVisible())
            shown(*this);
    });
}

bool GtkConfigDialog::IsVisible() const { return gtk_widget_get_visible(window); }

const char* GtkConfigDialog::GetTitle() const { return gtk_window_get_title(GTK_WINDOW(window)); }

GtkWidget* GtkConfigDialog::GetList(List list) const {
    switch (list) {
    case DriverList: return gralithDriverListBox;
    case ResolutionList: return displayResolutionListBox;
    case AntiAliasingList: return antiAliasingListBox;
    case AspectList: return aspectComboBox;
    }
    return aspectComboBox;
}

int GtkConfigDialog::GetRowCount(List list) const {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(GetList(list)));
    return gtk_tree_model_iter_n_children(model, nullptr);
}

std::string GtkConfigDialog::GetRowText(List list, int row) const {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(GetList(list)));
    GtkTreeIter iter;
    if (row < 0 || !gtk_tree_model_iter_nth_child(model, &iter, nullptr, row))
        return "";
    // A text combo box keeps its row texts in column 0.
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

int GtkConfigDialog::GetSelectedRow(List list) const { return gtk_combo_box_get_active(GTK_COMBO_BOX(GetList(list))); }

void GtkConfigDialog::SelectRow(List list, int row) { gtk_combo_box_set_active(GTK_COMBO_BOX(GetList(list)), row); }

bool GtkConfigDialog::IsChecked(CheckBox box) const {
    GtkWidget* widget = box == MusicCheckBox ? musicCheckBox : fullscreenCheckBox;
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
}

void GtkConfigDialog::SetChecked(CheckBox box, bool checked) {
    GtkWidget* widget = box == MusicCheckBox ? musicCheckBox : fullscreenCheckBox;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checked);
}

const char* GtkConfigDialog::GetButtonText(Control button) const {
    if (button == StartButton)
        return gtk_button_get_label(GTK_BUTTON(button1));
    if (button == QuitButton)
        return gtk_button_get_label(GTK_BUTTON(button2));
    return "";
}

GtkConfigDialog::Rect GtkConfigDialog::GetControlRect(Control control) const {
    GtkWidget* widget = control == StartButton ? button1 : control == QuitButton ? button2 : banner;
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    return {a.x, a.y, a.width, a.height};
}

void GtkConfigDialog::GetScreenOrigin(int& x, int& y) const {
    x = y = 0;
    GdkWindow* w = gtk_widget_get_window(window);
    if (w)
        gdk_window_get_origin(w, &x, &y);
}

void GtkConfigDialog::GetBannerImageSize(int& width, int& height) const {
    width = height = 0;
    if (gtk_image_get_storage_type(GTK_IMAGE(banner)) != GTK_IMAGE_SURFACE)
        return;
    cairo_surface_t* surface = nullptr;
    g_object_get(banner, "surface", &surface, nullptr);
    if (!surface)
        return;
    width = cairo_image_surface_get_width(surface);
    height = cairo_image_surface_get_height(surface);
    cairo_surface_destroy(surface);
}

bool ShowConfigDialog() {
    if (!GtkToolkit::Initialize())
        throw Gralith::Exception(Messages::NoConfigDisplay);
    GtkConfigDialog dialog;
    dialog.ShowDialog();
    return ApplyConfigDialogFields(dialog);
}

} // namespace Velorin
