// halcyra.exe of the distribution folder, started in a folder of the test's own making and
// driven from outside as a viewer would: the configuration dialog's lists, "Fullscreen" and
// "Transform", the show's window and what it draws, Escape, the error dialog and its "Close".

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/dialogs/win32/Win32ConfigDialog.h"
#include "velorin/dialogs/win32/Win32ErrorDialog.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/Win32Viewer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <psapi.h>
#include <string>

namespace {

using namespace GralithTest;
using Velorin::Win32ConfigDialog;
using Velorin::Win32ErrorDialog;

const wchar_t* const dialogClass = L"VelorinDialog";
const wchar_t* const configTitle = L"Halcyra - Brightmoot 08 Invitation";
const wchar_t* const showTitle = L"Halcyra - Brightmoot 2008 Invitation";

// Red from 0 to 100 s.
const char* const redScript = R"(<Demo>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Stage><Block Start="0" Length="100" Effect="red"/></Stage>
</Demo>)";

// The top-level window of this class (the show's is named after its title) and title once
// visible, or null after seconds.
HWND WaitFor(const wchar_t* className, const wchar_t* title, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        HWND window = FindWindowW(className, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

// A control's text in another process (GetWindowText reads only captions there), as UTF-8.
std::string ControlText(HWND control) {
    wchar_t text[512] = {};
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Gralith::Win32Text::Narrow(text);
}

// Whether the middle 64 x 64 pixels of the window's client area show pure red within seconds.
bool WaitForRed(HWND window, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        RECT box = ClientBox(window);
        int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
        if (Match(Capture({x - 32, y - 32, x + 32, y + 32}), std::vector<uint32_t>(64 * 64, 0xFF0000), 2) == 1.0)
            return true;
        Sleep(100);
    }
    return false;
}

// The program copied into a fresh folder with data/ beside it (and Wine 10's Direct3D DLLs,
// where the build has them, which the show's Direct3D would load), started there.
class Halcyra {
public:
    Halcyra(const char* script) {
        folder.Write("data/demo.xml", script);
        folder.Write("data/music/music.ogg", EncodeOgg(Sine(3 * 44100, 2, 220, 0.3f), 2, 44100, 0.1f));
        namespace fs = std::filesystem;
        fs::copy_file(HALCYRA_EXE, folder / "halcyra.exe");
        for (const char* dll : {"d3d9.dll", "wined3d.dll", "d3dx9_43.dll", "d3dcompiler_47.dll"})
            if (fs::exists(fs::path(WINE10_DLLS) / dll))
                fs::copy_file(fs::path(WINE10_DLLS) / dll, folder / dll);
        std::wstring program = fs::path(folder / "halcyra.exe").wstring();
        std::wstring directory = fs::path(folder.Path()).wstring();
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                                 &startup, &process);
    }
    ~Halcyra() {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // Whether the process has loaded a DLL of this name (lower case).
    bool HasLoaded(const std::wstring& name) {
        HMODULE modules[512];
        DWORD bytes = 0;
        if (!EnumProcessModules(process.hProcess, modules, sizeof modules, &bytes))
            return false;
        for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
            wchar_t path[MAX_PATH];
            if (GetModuleBaseNameW(process.hProcess, modules[i], path, MAX_PATH) && _wcsicmp(path, name.c_str()) == 0)
                return true;
        }
        return false;
    }

    // The exit code, or -1 while it runs after seconds.
    int WaitForExit(int seconds) {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, seconds * 1000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process.hProcess, &code))
            return -1;
        return static_cast<int>(code);
    }

    bool started = false;

private:
    TempDirectory folder;
    PROCESS_INFORMATION process = {};
};

// In the configuration dialog: the driver's row and the anti-aliasing row (-1 leaves the default,
// 2 samples), "Fullscreen" unticked with a click, then "Transform".
void ChooseWindowed(int driver, int antiAliasingRow) {
    using D = Win32ConfigDialog;
    HWND dialog = WaitFor(dialogClass, configTitle, 30);
    ASSERT_TRUE(dialog) << "no configuration dialog";
    std::wstring title = Gralith::Win32Text::Widen(Gralith::Graphics::FindDriver(driver)->Title);
    HWND drivers = GetDlgItem(dialog, D::DriverListId);
    LRESULT row = SendMessageW(drivers, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(title.c_str()));
    ASSERT_NE(CB_ERR, row) << "driver not offered: " << RowsOf(drivers);
    SendMessageW(drivers, CB_SETCURSEL, row, 0);
    if (antiAliasingRow >= 0)
        SendDlgItemMessageW(dialog, D::AntiAliasingListId, CB_SETCURSEL, antiAliasingRow, 0);
    ASSERT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, D::FullscreenCheckBoxId));
    Click(GetDlgItem(dialog, D::FullscreenCheckBoxId));
    for (int i = 0; i < 50 && IsDlgButtonChecked(dialog, D::FullscreenCheckBoxId) != BST_UNCHECKED; ++i)
        Sleep(50);
    ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, D::FullscreenCheckBoxId)) << "the click missed";
    Click(GetDlgItem(dialog, D::StartButtonId));
}

void PressEscape(HWND window) {
    Click(window); // the show's window takes the keys
    INPUT keys[2] = {};
    for (int i = 0; i < 2; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = VK_ESCAPE;
        keys[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(2, keys, sizeof(INPUT));
}

TEST(HalcyraUnderWine, TransformShowsTheWindowedShowOnEachDriverAndEscapeEndsIt) {
    using Gralith::Graphics::GraphicsDriverDirect3D9;
    using Gralith::Graphics::GraphicsDriverOpenGL;
    // Wine's Direct3D on llvmpipe offers 4 samples per pixel but not 2, the dialog's default:
    // its runs take "Off" and "4 Samples".
    const struct {
        int driver, antiAliasingRow;
    } cases[] = {{GraphicsDriverOpenGL, -1}, {GraphicsDriverDirect3D9, 0}, {GraphicsDriverDirect3D9, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("driver " + std::to_string(c.driver) + ", anti-aliasing row " + std::to_string(c.antiAliasingRow));
        Halcyra halcyra(redScript);
        ASSERT_TRUE(halcyra.started);
        ChooseWindowed(c.driver, c.antiAliasingRow);
        HWND show = WaitFor(showTitle, showTitle, 30);
        ASSERT_TRUE(show) << "no show window";
        RECT client = ClientBox(show);
        EXPECT_EQ(1024, client.right - client.left);
        EXPECT_EQ(768, client.bottom - client.top);
        EXPECT_TRUE(GetWindowLongW(show, GWL_STYLE) & WS_CAPTION) << "not windowed";
        // Direct3D is loaded at run time by its driver alone.
        EXPECT_EQ(c.driver == GraphicsDriverDirect3D9, halcyra.HasLoaded(L"d3d9.dll"));
        // The music plays, so the block at 0..100 s is active and paints the window red.
        EXPECT_TRUE(WaitForRed(show, 15));
        EXPECT_FALSE(FindWindowW(nullptr, L"BASS")) << "the music was refused";
        // The device may make the window again for its pixel format: take the one now shown.
        PressEscape(WaitFor(showTitle, showTitle, 5));
        EXPECT_EQ(0, halcyra.WaitForExit(15));
    }
}

TEST(HalcyraUnderWine, BrokenScriptShowsTheMessageAndCloseExitsOne) {
    Halcyra halcyra("<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>");
    ASSERT_TRUE(halcyra.started);
    ChooseWindowed(Gralith::Graphics::GraphicsDriverOpenGL, -1);
    HWND error = WaitFor(dialogClass, L"Halcyra", 30);
    ASSERT_TRUE(error) << "no error dialog";
    EXPECT_EQ("Failed to load effect 'odd': Invalid effect class: Sparkle",
              ControlText(GetDlgItem(error, Win32ErrorDialog::DetailsId)));
    EXPECT_TRUE(FindWindowW(showTitle, showTitle)) << "the show's window stays open behind the dialog";
    EXPECT_EQ(-1, halcyra.WaitForExit(0));
    Click(GetDlgItem(error, Win32ErrorDialog::CloseButtonId));
    EXPECT_EQ(1, halcyra.WaitForExit(15));
}

} // namespace
