#pragma once

#include "velorin/dialogs/ConfigDialog.h"
#include "velorin/dialogs/win32/Win32DialogWindow.h"

struct HBITMAP__;

namespace Velorin {

/// The configuration dialog on Win32: driver, resolution, anti-aliasing, aspect, music and full
/// screen, closed only by "Transform" (start) or "Dissolve" (quit), which fill its fields
/// (ConfigDialogFields) that ShowConfigDialog turns into the settings.
class Win32ConfigDialog : public Win32DialogWindow, public ConfigDialogFields {
public:
    /// The controls' identifiers (GetDlgItem finds them in the dialog's window).
    enum ControlId {
        BannerId = 100,
        DriverListId,
        ResolutionListId,
        AntiAliasingListId,
        AspectListId,
        MusicCheckBoxId,
        FullscreenCheckBoxId,
        StartButtonId,
        QuitButtonId,
    };

    /// Where the buttons sit in the client area.
    static constexpr Rect StartButtonRect = {190, 314, 95, 32};
    static constexpr Rect QuitButtonRect = {295, 314, 95, 32};

    /// Builds the controls (InitializeComponent).
    Win32ConfigDialog();
    ~Win32ConfigDialog() override;

    void InitializeComponent();
    /// Sets the initial selections: first driver offered, 1024 x 768, 2 samples, 16:10.
    void ConfigDialog_Load();
    /// Start: copies the selections into the fields and closes the dialog.
    void button1_Click();
    /// Quit: sets quitButtonPressed and closes the dialog; the other fields stay as they were.
    void button2_Click();
    /// Attached to the aspect list; nothing depends on the aspect until the show starts.
    void comboBox1_SelectedIndexChanged();

    /// Loads (on the first call), shows the dialog centred and returns when a button closed it.
    /// A quit message sent to the thread counts as "Dissolve".
    void ShowDialog();

private:
    void OnCommand(int id, int code) override;
    int GetSelectedRow(int listId) const;
    bool IsChecked(int boxId) const;

    HBITMAP__* bannerImage = nullptr;
    bool loaded = false;
};

} // namespace Velorin
