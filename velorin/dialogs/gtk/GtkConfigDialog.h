#pragma once

#include "velorin/dialogs/ConfigDialog.h"

#include <functional>
#include <string>

struct _GtkWidget;
struct _GMainLoop;

namespace Velorin {

/// The configuration dialog on GTK 3 (ConfigDialogForm's texts and sizes). Its two buttons fill
/// the fields it inherits, which ShowConfigDialog turns into the settings.
class GtkConfigDialog : public ConfigDialogFields {
public:
    /// The four drop-down lists.
    enum List { DriverList, ResolutionList, AntiAliasingList, AspectList };
    /// The two check boxes.
    enum CheckBox { MusicCheckBox, FullscreenCheckBox };
    /// Controls whose place tests and tools may ask for.
    enum Control { Banner, StartButton, QuitButton };

    struct Rect {
        int x, y, width, height;
    };

    static constexpr int ClientWidth = ConfigDialogForm::ClientWidth;
    static constexpr int ClientHeight = ConfigDialogForm::ClientHeight;
    static constexpr int BannerWidth = ConfigDialogForm::BannerWidth;
    static constexpr int BannerHeight = ConfigDialogForm::BannerHeight;
    static constexpr const char* Title = ConfigDialogForm::Title;
    /// Where the buttons sit in the client area.
    static constexpr Rect StartButtonRect = {190, 314, 95, 32};
    static constexpr Rect QuitButtonRect = {295, 314, 95, 32};

    /// Builds the controls (InitializeComponent); the toolkit must be initialised.
    GtkConfigDialog();
    ~GtkConfigDialog();
    GtkConfigDialog(const GtkConfigDialog&) = delete;
    GtkConfigDialog& operator=(const GtkConfigDialog&) = delete;

    void InitializeComponent();
    /// Sets the initial selections: first driver offered, 1024 x 768, 2 samples, 16:10.
    void ConfigDialog_Load();
    /// Start: copies the selections into the fields and closes the dialog.
    void button1_Click();
    /// Quit: sets quitButtonPressed and closes the dialog; the other fields stay as they were.
    void button2_Click();
    /// Attached to the aspect list; nothing depends on the aspect until the show starts.
    void comboBox1_SelectedIndexChanged();

    /// Loads (on the first call), shows the dialog centred on the screen and returns when one
    /// of the buttons has closed it.
    void ShowDialog();
    /// Called once each time ShowDialog has put the dialog on the screen, from inside its event
    /// loop (tests inspect the visible dialog from here).
    std::function<void(GtkConfigDialog&)> shown;

    bool IsVisible() const;
    const char* GetTitle() const;
    int GetRowCount(List list) const;
    /// The row's text exactly as shown (empty for a row that does not exist).
    std::string GetRowText(List list, int row) const;
    int GetSelectedRow(List list) const;
    /// Selects a row as the viewer would.
    void SelectRow(List list, int row);
    bool IsChecked(CheckBox box) const;
    void SetChecked(CheckBox box, bool checked);
    const char* GetButtonText(Control button) const;
    /// The control's place in the client area, as laid out by the toolkit.
    Rect GetControlRect(Control control) const;
    /// The client area's top-left corner on the screen (valid while shown).
    void GetScreenOrigin(int& x, int& y) const;
    /// The banner image's size in pixels.
    void GetBannerImageSize(int& width, int& height) const;

private:
    _GtkWidget* GetList(List list) const;
    void Close();

    _GtkWidget* window = nullptr;
    _GtkWidget* banner = nullptr;
    _GtkWidget* gralithDriverListBox = nullptr;
    _GtkWidget* displayResolutionListBox = nullptr;
    _GtkWidget* antiAliasingListBox = nullptr;
    _GtkWidget* aspectComboBox = nullptr;
    _GtkWidget* musicCheckBox = nullptr;
    _GtkWidget* fullscreenCheckBox = nullptr;
    _GtkWidget* button1 = nullptr;
    _GtkWidget* button2 = nullptr;
    _GMainLoop* loop = nullptr;
    bool loaded = false;
};

} // namespace Velorin
