#include "velorin/dialogs/ConfigDialog.h"

#include "gralith/Exception.h"
#include "gralith/graphics/DeviceFactory.h"
#include "velorin/Messages.h"
#include "velorin/Settings.h"
#include "velorin/dialogs/Banner.h"
#include "velorin/dialogs/Toolkit.h"

#include <gtk/gtk.h>

#include <vector>

namespace Velorin {

namespace {

struct Resolution {
    const char* text;
    int width;
    int height;
};

// The row texts are shown as they are, including the stray blank after "1280 x 800"; the sizes
// come from this table, never from parsing the text.
const Resolution resolutions[] = {
    {"640 x 480", 640, 480},     {"800 x 480", 800, 480},     {"800 x 600", 800, 600},     {"1024 x 768", 1024, 768},
    {"1280 x 720", 1280, 720},   {"1280 x 800 ", 1280, 800},  {"1280 x 960", 1280, 960},   {"1280 x 1024", 1280, 1024},
    {"1440 x 900", 1440, 900},   {"1400 x 1050", 1400, 1050}, {"1680 x 1050", 1680, 1050}, {"1600 x 1200", 1600, 1200},
    {"1920 x 1080", 1920, 1080}, {"1920 x 1200", 1920, 1200},
};
constexpr int resolutionCount = sizeof(resolutions) / sizeof(resolutions[0]);

const char* const antiAliasingRows[] = {"Off", "2 Samples", "4 Samples", "6 Samples", "8 Samples"};
const int antiAliasingSamples[] = {0, 2, 4, 6, 8};
constexpr int antiAliasingCount = sizeof(antiAliasingSamples) / sizeof(antiAliasingSamples[0]);

const char* const aspectRows[] = {"16:10", "16:9", "4:3"};
const float aspects[] = {1.6f, 16.0f / 9.0f, 4.0f / 3.0f};
constexpr int aspectCount = sizeof(aspects) / sizeof(aspects[0]);

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

ConfigDialog::ConfigDialog() { InitializeComponent(); }

ConfigDialog::~ConfigDialog() {
    if (window)
        gtk_widget_destroy(window);
    if (loop)
        g_main_loop_unref(loop);
}

void ConfigDialog::InitializeComponent() {
    GtkWidget* fixed = nullptr;
    window = Toolkit::CreateDialogWindow("ConfigDialog", Title, ClientWidth, ClientHeight, &fixed);

    cairo_surface_t* image =
        Banner::Draw(BannerWidth, BannerHeight, "HALCYRA", "Brightmoot 2008 Invitation", Banner::AccentInvitation);
    banner = gtk_image_new_from_surface(image);
    cairo_surface_destroy(image);
    gtk_fixed_put(GTK_FIXED(fixed), banner, 0, 0);

    std::vector<const char*> driverRows;
    for (int i = 0; i < Gralith::Graphics::BuiltDriverCount(); ++i)
        driverRows.push_back(Gralith::Graphics::BuiltDriver(i).Title);
    const char* resolutionRows[resolutionCount];
    for (int i = 0; i < resolutionCount; ++i)
        resolutionRows[i] = resolutions[i].text;

    gralithDriverListBox = MakeList(driverRows.data(), Gralith::Graphics::BuiltDriverCount());
    displayResolutionListBox = MakeList(resolutionRows, resolutionCount);
    antiAliasingListBox = MakeList(antiAliasingRows, antiAliasingCount);
    aspectComboBox = MakeList(aspectRows, aspectCount);
    g_signal_connect_swapped(aspectComboBox, "changed",
                             G_CALLBACK(+[](ConfigDialog* d) { d->comboBox1_SelectedIndexChanged(); }), this);

    const char* labels[] = {"Gralith Driver:", "Display Resolution:", "Anti-Aliasing:", "Aspect:"};
    GtkWidget* lists[] = {gralithDriverListBox, displayResolutionListBox, antiAliasingListBox, aspectComboBox};
    for (int i = 0; i < 4; ++i) {
        int y = 120 + 38 * i;
        Place(fixed, MakeLabel(labels[i]), 20, y, 150, 32);
        Place(fixed, lists[i], 175, y, 210, 32);
    }

    musicCheckBox = gtk_check_button_new_with_label("Music");
    fullscreenCheckBox = gtk_check_button_new_with_label("Fullscreen");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(musicCheckBox), TRUE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(fullscreenCheckBox), TRUE);
    Place(fixed, musicCheckBox, 20, 276, 100, 28);
    Place(fixed, fullscreenCheckBox, 130, 276, 120, 28);

    button1 = gtk_button_new_with_label("Transform");
    button2 = gtk_button_new_with_label("Dissolve");
    Place(fixed, button1, StartButtonRect.x, StartButtonRect.y, StartButtonRect.width, StartButtonRect.height);
    Place(fixed, button2, QuitButtonRect.x, QuitButtonRect.y, QuitButtonRect.width, QuitButtonRect.height);
    g_signal_connect_swapped(button1, "clicked", G_CALLBACK(+[](ConfigDialog* d) { d->button1_Click(); }), this);
    g_signal_connect_swapped(button2, "clicked", G_CALLBACK(+[](ConfigDialog* d) { d->button2_Click(); }), this);

    gtk_widget_show_all(fixed);
}

void ConfigDialog::ConfigDialog_Load() {
    gtk_combo_box_set_active(GTK_COMBO_BOX(gralithDriverListBox), 0);
    gtk_combo_box_set_active(GTK_COMBO_BOX(displayResolutionListBox), 3);
    gtk_combo_box_set_active(GTK_COMBO_BOX(antiAliasingListBox), 1);
    gtk_combo_box_set_active(GTK_COMBO_BOX(aspectComboBox), 0);
    loaded = true;
}

void ConfigDialog::button1_Click() {
    gralithDriverIndex = Gralith::Graphics::BuiltDriver(GetSelectedRow(DriverList)).Driver;
    displayResolutionIndex = GetSelectedRow(ResolutionList);
    antiAliasingIndex = GetSelectedRow(AntiAliasingList);
    aspectIndex = GetSelectedRow(AspectList);
    fullscreen = IsChecked(FullscreenCheckBox);
    music = IsChecked(MusicCheckBox);
    quitButtonPressed = false;
    Close();
}

void ConfigDialog::button2_Click() {
    quitButtonPressed = true;
    Close();
}

void ConfigDialog::comboBox1_SelectedIndexChanged() {}

void ConfigDialog::Close() {
    gtk_widget_hide(window);
    if (loop && g_main_loop_is_running(loop))
        g_main_loop_quit(loop);
}

void ConfigDialog::ShowDialog() {
    if (!loaded)
        ConfigDialog_Load();
    if (!loop)
        loop = g_main_loop_new(nullptr, FALSE);

    Toolkit::RunModal(window, loop, [this] {
        if (shown && IsVisible())
            shown(*this);
    });
}

bool ConfigDialog::IsVisible() const { return gtk_widget_get_visible(window); }

const char* ConfigDialog::GetTitle() const { return gtk_window_get_title(GTK_WINDOW(window)); }

GtkWidget* ConfigDialog::GetList(List list) const {
    switch (list) {
    case DriverList: return gralithDriverListBox;
    case ResolutionList: return displayResolutionListBox;
    case AntiAliasingList: return antiAliasingListBox;
    case AspectList: return aspectComboBox;
    }
    return aspectComboBox;
}

int ConfigDialog::GetRowCount(List list) const {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(GetList(list)));
    return gtk_tree_model_iter_n_children(model, nullptr);
}

std::string ConfigDialog::GetRowText(List list, int row) const {
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

int ConfigDialog::GetSelectedRow(List list) const { return gtk_combo_box_get_active(GTK_COMBO_BOX(GetList(list))); }

void ConfigDialog::SelectRow(List list, int row) { gtk_combo_box_set_active(GTK_COMBO_BOX(GetList(list)), row); }

bool ConfigDialog::IsChecked(CheckBox box) const {
    GtkWidget* widget = box == MusicCheckBox ? musicCheckBox : fullscreenCheckBox;
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
}

void ConfigDialog::SetChecked(CheckBox box, bool checked) {
    GtkWidget* widget = box == MusicCheckBox ? musicCheckBox : fullscreenCheckBox;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checked);
}

const char* ConfigDialog::GetButtonText(Control button) const {
    if (button == StartButton)
        return gtk_button_get_label(GTK_BUTTON(button1));
    if (button == QuitButton)
        return gtk_button_get_label(GTK_BUTTON(button2));
    return "";
}

ConfigDialog::Rect ConfigDialog::GetControlRect(Control control) const {
    GtkWidget* widget = control == StartButton ? button1 : control == QuitButton ? button2 : banner;
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    return {a.x, a.y, a.width, a.height};
}

void ConfigDialog::GetScreenOrigin(int& x, int& y) const {
    x = y = 0;
    GdkWindow* w = gtk_widget_get_window(window);
    if (w)
        gdk_window_get_origin(w, &x, &y);
}

void ConfigDialog::GetBannerImageSize(int& width, int& height) const {
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

bool ApplyConfigDialogFields(const ConfigDialog& dialog) {
    GraphicsDriver = dialog.gralithDriverIndex;

    int row = dialog.displayResolutionIndex;
    const Resolution& r = row >= 0 && row < resolutionCount ? resolutions[row] : resolutions[0];
    ResolutionX = r.width;
    ResolutionY = r.height;

    row = dialog.antiAliasingIndex;
    Multisamples = row >= 0 && row < antiAliasingCount ? antiAliasingSamples[row] : 0;

    row = dialog.aspectIndex;
    if (row >= 0 && row < aspectCount)
        Aspect = aspects[row];

    Fullscreen = dialog.fullscreen;
    PlayMusic = dialog.music;
    return !dialog.quitButtonPressed;
}

bool ShowConfigDialog() {
    if (!Toolkit::Initialize())
        throw Gralith::Exception(Messages::NoConfigDisplay);
    ConfigDialog dialog;
    dialog.ShowDialog();
    return ApplyConfigDialogFields(dialog);
}

} // namespace Velorin
