#pragma once

// halcyra.exe driven from another process as a viewer would: started in a folder holding its
// data/, the configuration dialog's choices made through its controls and clicks, Escape typed
// into the show's window.

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/dialogs/win32/Win32ConfigDialog.h"

#include "tests/support/Win32Viewer.h"

#include <windows.h>

#include <psapi.h>

#include <string>

namespace GralithTest {

inline const wchar_t* const HalcyraDialogClass = L"VelorinDialog";
/// The show's window; its class is named after its title.
inline const wchar_t* const HalcyraShowTitle = L"Halcyra - Brightmoot 2008 Invitation";

/// halcyra.exe of folder, started there; ended by force if still running when this goes away.
class HalcyraProcess {
public:
    explicit HalcyraProcess(const std::wstring& folder) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessW((folder + L"\\halcyra.exe").c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.c_str(), &startup, &process);
    }
    HalcyraProcess(const HalcyraProcess&) = delete;
    HalcyraProcess& operator=(const HalcyraProcess&) = delete;
    ~HalcyraProcess() {
        if (!started)
            return;
        if (TerminateProcess(process.hProcess, 99))
            WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    bool Started() const { return started; }

    /// Whether the process has loaded a DLL of this name (any case).
    bool HasLoaded(const wchar_t* name) const {
        HMODULE modules[512];
        DWORD bytes = 0;
        wchar_t base[MAX_PATH];
        EnumProcessModules(process.hProcess, modules, sizeof modules, &bytes);
        for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i)
            if (GetModuleBaseNameW(process.hProcess, modules[i], base, MAX_PATH) && _wcsicmp(base, name) == 0)
                return true;
        return false;
    }

    /// The exit code, or -1 while it still runs after seconds.
    int WaitForExit(int seconds) const {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, seconds * 1000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process.hProcess, &code))
            return -1;
        return static_cast<int>(code);
    }

private:
    bool started = false;
    PROCESS_INFORMATION process = {};
};

/// In the configuration dialog: the driver's row and the anti-aliasing row (-1 leaves the
/// default, 2 samples), "Fullscreen" unticked with a click, then "Transform". Answers what went
/// wrong, or "".
inline std::string ChooseWindowedShow(int driver, int antiAliasingRow) {
    using D = Velorin::Win32ConfigDialog;
    HWND dialog = WaitForTopWindow(HalcyraDialogClass, L"Halcyra - Brightmoot 08 Invitation", 30);
    if (!dialog)
        return "no configuration dialog";
    std::wstring title = Gralith::Win32Text::Widen(Gralith::Graphics::FindDriver(driver)->Title);
    HWND drivers = GetDlgItem(dialog, D::DriverListId);
    LRESULT row = SendMessageW(drivers, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(title.c_str()));
    if (row == CB_ERR)
        return "driver not offered: " + RowsOf(drivers);
    SendMessageW(drivers, CB_SETCURSEL, row, 0);
    if (antiAliasingRow >= 0)
        SendDlgItemMessageW(dialog, D::AntiAliasingListId, CB_SETCURSEL, antiAliasingRow, 0);
    // Ticked at first: one click unticks it.
    Click(GetDlgItem(dialog, D::FullscreenCheckBoxId));
    for (int i = 0; i < 50 && IsDlgButtonChecked(dialog, D::FullscreenCheckBoxId) != BST_UNCHECKED; ++i)
        Sleep(50);
    if (IsDlgButtonChecked(dialog, D::FullscreenCheckBoxId) != BST_UNCHECKED)
        return "Fullscreen still ticked after a click";
    Click(GetDlgItem(dialog, D::StartButtonId));
    return "";
}

/// A click into the window, which gives it the keys, then Escape pressed and released.
inline void PressEscape(HWND window) {
    Click(window);
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_ESCAPE;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

} // namespace GralithTest
