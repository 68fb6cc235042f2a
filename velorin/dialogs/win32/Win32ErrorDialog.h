#pragma once

#include "velorin/dialogs/ErrorDialog.h"
#include "velorin/dialogs/win32/Win32DialogWindow.h"

struct HBITMAP__;

namespace Velorin {

/// The dialog that reports the failure which ended the presentation, on Win32: a banner, a
/// fixed sentence, the message in a read-only scrolling text box, and "Close".
class Win32ErrorDialog : public Win32DialogWindow {
public:
    /// The controls' identifiers (GetDlgItem finds them in the dialog's window).
    enum ControlId { BannerId = 100, LabelId, DetailsId, CloseButtonId };

    static constexpr Rect CloseButtonRect = {298, 288, 90, 30};

    /// Builds the controls (InitializeComponent).
    Win32ErrorDialog();
    ~Win32ErrorDialog() override;

    void InitializeComponent();
    /// Replaces the details text. The text is UTF-8; anything else is read as Latin-1.
    void SetErrorMessage(const char* text);
    /// Closes the dialog.
    void button1_Click();
    /// Shows the dialog centred and returns when "Close" was pressed (or a quit message came).
    void ShowDialog();

private:
    void OnCommand(int id, int code) override;

    HBITMAP__* bannerImage = nullptr;
};

} // namespace Velorin
