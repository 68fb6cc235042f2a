#include "velorin/dialogs/win32/Win32ConfigDialog.h"

#include "gralith/Exception.h"
#include "gralith/graphics/DeviceFactory.h"
#include "gralith/window/win32/Win32Text.h"
#include "velorin/Messages.h"
#include "velorin/dialogs/win32/Win32Banner.h"

#include <windows.h>

namespace Velorin {

namespace {

// Rows of the label and list pairs, and the height a drop-down may open to.
constexpr int firstRowY = 120;
constexpr int rowStep = 38;
constexpr int dropHeight = 240;

} // namespace

Win32ConfigDialog::Win32ConfigDialog() { InitializeComponent(); }

Win32ConfigDialog::~Win32ConfigDialog() {
    // The picture control does not own the image it shows.
    if (bannerImage)
        DeleteObject(bannerImage);
}

void Win32ConfigDialog::InitializeComponent() {
    using namespace ConfigChoices;
    using namespace ConfigDialogForm;
    CreateFrame(Title, ClientWidth, ClientHeight, L"Candara", 9.75);
    if (!GetHandle())
        return;

    std::vector<uint32_t> pixels = Win32Banner::Draw(BannerWidth, BannerHeight, BannerPixels::Title,
                                                     BannerPixels::Subtitle, BannerPixels::AccentInvitation);
    bannerImage = Win32Banner::CreateBitmap(pixels, BannerWidth, BannerHeight);
    HWND banner = AddControl(L"STATIC", "", SS_BITMAP, {0, 0, BannerWidth, BannerHeight}, BannerId);
    SendMessageW(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bannerImage));

    HWND lists[4];
    for (int i = 0; i < 4; ++i) {
        int y = firstRowY + rowStep * i;
        AddControl(L"STATIC", ListLabels[i], SS_LEFT | SS_CENTERIMAGE, {20, y, 150, 32});
        // A drop-down list accepts no typed text; its field is as tall as the font needs, set in
        // the middle of the row.
        lists[i] = AddControl(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                              {175, y + 5, 210, dropHeight}, DriverListId + i);
    }
    auto fill = [](HWND list, const char* text) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Gralith::Win32Text::Widen(text).c_str()));
    };
    for (int i = 0; i < Gralith::Graphics::BuiltDriverCount(); ++i)
        fill(lists[0], Gralith::Graphics::BuiltDriver(i).Title);
    for (const Resolution& r : Resolutions)
        fill(lists[1], r.Text);
    for (const char* row : AntiAliasingRows)
        fill(lists[2], row);
    for (const char* row : AspectRows)
        fill(lists[3], row);

    HWND musicCheckBox =
        AddControl(L"BUTTON", MusicText, BS_AUTOCHECKBOX | WS_TABSTOP, {20, 276, 100, 28}, MusicCheckBoxId);
    HWND fullscreenCheckBox =
        AddControl(L"BUTTON", FullscreenText, BS_AUTOCHECKBOX | WS_TABSTOP, {130, 276, 120, 28}, FullscreenCheckBoxId);
    SendMessageW(musicCheckBox, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(fullscreenCheckBox, BM_SETCHECK, BST_CHECKED, 0);

    AddControl(L"BUTTON", StartText, BS_PUSHBUTTON | WS_TABSTOP, StartButtonRect, StartButtonId);
    AddControl(L"BUTTON", QuitText, BS_PUSHBUTTON | WS_TABSTOP, QuitButtonRect, QuitButtonId);
}

void Win32ConfigDialog::ConfigDialog_Load() {
    const int rows[] = {0, ConfigChoices::DefaultResolutionRow, ConfigChoices::DefaultAntiAliasingRow,
                        ConfigChoices::DefaultAspectRow};
    for (int i = 0; i < 4; ++i)
        SendDlgItemMessageW(GetHandle(), DriverListId + i, CB_SETCURSEL, rows[i], 0);
    loaded = true;
}

int Win32ConfigDialog::GetSelectedRow(int listId) const {
    return static_cast<int>(SendDlgItemMessageW(GetHandle(), listId, CB_GETCURSEL, 0, 0));
}

bool Win32ConfigDialog::IsChecked(int boxId) const { return IsDlgButtonChecked(GetHandle(), boxId) == BST_CHECKED; }

void Win32ConfigDialog::button1_Click() {
    gralithDriverIndex = Gralith::Graphics::BuiltDriver(GetSelectedRow(DriverListId)).Driver;
    displayResolutionIndex = GetSelectedRow(ResolutionListId);
    antiAliasingIndex = GetSelectedRow(AntiAliasingListId);
    aspectIndex = GetSelectedRow(AspectListId);
    fullscreen = IsChecked(FullscreenCheckBoxId);
    music = IsChecked(MusicCheckBoxId);
    quitButtonPressed = false;
    EndModal();
}

void Win32ConfigDialog::button2_Click() {
    quitButtonPressed = true;
    EndModal();
}

void Win32ConfigDialog::comboBox1_SelectedIndexChanged() {}

void Win32ConfigDialog::OnCommand(int id, int code) {
    if (id == StartButtonId && code == BN_CLICKED)
        button1_Click();
    else if (id == QuitButtonId && code == BN_CLICKED)
        button2_Click();
    else if (id == AspectListId && code == CBN_SELCHANGE)
        comboBox1_SelectedIndexChanged();
}

void Win32ConfigDialog::ShowDialog() {
    if (!loaded)
        ConfigDialog_Load();
    if (!ShowModal())
        quitButtonPressed = true;
}

bool ShowConfigDialog() {
    Win32ConfigDialog dialog;
    if (!dialog.GetHandle())
        throw Gralith::Exception(Messages::NoConfigDisplay);
    dialog.ShowDialog();
    return ApplyConfigDialogFields(dialog);
}

} // namespace Velorin
