#include "velorin/dialogs/win32/Win32ErrorDialog.h"

#include "gralith/window/win32/Win32Text.h"
#include "velorin/dialogs/win32/Win32Banner.h"

#include <windows.h>

#include <cstdio>

namespace Velorin {

namespace {

// A multi-line edit control breaks lines only at CR LF; the portable text has lone line feeds.
std::wstring WithCarriageReturns(const std::wstring& text) {
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            result += L'\r';
        result += text[i];
    }
    return result;
}

} // namespace

Win32ErrorDialog::Win32ErrorDialog() { InitializeComponent(); }

Win32ErrorDialog::~Win32ErrorDialog() {
    if (bannerImage)
        DeleteObject(bannerImage);
}

void Win32ErrorDialog::InitializeComponent() {
    using namespace ErrorDialogForm;
    // No face is named for this dialog: the system's dialog typeface at the given size.
    CreateFrame(Title, ClientWidth, ClientHeight, L"MS Shell Dlg 2", 9.75);
    if (!GetHandle())
        return;
    textColour = RGB(64, 64, 64);

    std::vector<uint32_t> pixels = Win32Banner::Draw(BannerWidth, BannerHeight, BannerPixels::Title,
                                                     BannerPixels::Subtitle, BannerPixels::AccentError);
    bannerImage = Win32Banner::CreateBitmap(pixels, BannerWidth, BannerHeight);
    HWND banner = AddControl(L"STATIC", "", SS_BITMAP, {0, 0, BannerWidth, BannerHeight}, BannerId);
    SendMessageW(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bannerImage));

    AddControl(L"STATIC", Explanation, SS_LEFT | SS_CENTERIMAGE, {12, 116, 376, 22}, LabelId);
    whiteControl =
        AddControl(L"EDIT", DefaultDetails, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                   {12, 140, 376, 140}, DetailsId, WS_EX_CLIENTEDGE);
    AddControl(L"BUTTON", CloseText, BS_PUSHBUTTON | WS_TABSTOP, CloseButtonRect, CloseButtonId);
}

void Win32ErrorDialog::SetErrorMessage(const char* text) {
    std::wstring wide = WithCarriageReturns(Gralith::Win32Text::Widen(text));
    SetDlgItemTextW(GetHandle(), DetailsId, wide.c_str());
}

void Win32ErrorDialog::button1_Click() { EndModal(); }

void Win32ErrorDialog::OnCommand(int id, int code) {
    if (id == CloseButtonId && code == BN_CLICKED)
        button1_Click();
}

void Win32ErrorDialog::ShowDialog() { ShowModal(); }

void ShowErrorMessage(const char* message) {
    Win32ErrorDialog dialog;
    if (!dialog.GetHandle()) {
        // Never lose the message, even where no window can be made.
        std::fprintf(stderr, "%s\n", message ? message : "");
        return;
    }
    dialog.SetErrorMessage(message);
    dialog.ShowDialog();
}

} // namespace Velorin
