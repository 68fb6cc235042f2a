// The Win32 configuration and error dialogs, read through their controls and clicked from a
// second thread as a viewer would.

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/Settings.h"
#include "velorin/dialogs/win32/Win32Banner.h"
#include "velorin/dialogs/win32/Win32ConfigDialog.h"
#include "velorin/dialogs/win32/Win32ErrorDialog.h"

#include "tests/support/Win32Viewer.h"
#include "tests/velorin/dialogs/SettingsLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace {

using Velorin::Win32ConfigDialog;
using Velorin::Win32ErrorDialog;
using namespace GralithTest;

const wchar_t* const dialogClass = L"VelorinDialog";
const wchar_t* const configTitle = L"Halcyra - Brightmoot 08 Invitation";

// The client size, whether the window is centred on the work area (to a pixel), and whether the
// banner on the screen matches its image, whose title's letters show (near-white pixels: the
// background has none), in one line.
std::string Frame(HWND window) {
    RECT area, outer, client = ClientBox(window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &outer);
    int off = std::abs(outer.left + outer.right - area.left - area.right) / 2 +
              std::abs(outer.top + outer.bottom - area.top - area.bottom) / 2;
    std::vector<uint32_t> banner = Velorin::Win32Banner::Draw(401, 105, "HALCYRA", "Brightmoot 2008 Invitation",
                                                              Velorin::BannerPixels::AccentInvitation);
    // Shown is not yet painted on a busy machine: look again for up to 5 s.
    double match = 0.0;
    for (int i = 0; i < 50 && (match = Match(Capture({client.left, client.top, client.left + 401, client.top + 105}),
                                             banner)) < 0.98;
         ++i)
        Sleep(100);
    auto white = std::count_if(banner.begin(), banner.end(), [](uint32_t p) {
        return std::min({p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF}) > 200;
    });
    return std::to_string(client.right - client.left) + "x" + std::to_string(client.bottom - client.top) +
           (off <= 1 ? " centred" : " off centre") + (match >= 0.98 ? " banner" : " banner differs") +
           (white > 500 ? " with title" : " without title");
}

TEST(Win32Dialogs, ConfigDialogShowsItsRowsAndDefaultsAndEndsOnlyByItsButtonsOrAQuitMessage) {
    using D = Win32ConfigDialog;
    std::string driver = std::to_string(Gralith::Graphics::BuiltDriver(0).Driver);
    DWORD thread = GetCurrentThreadId();
    bool closed = false;
    auto click = [](int id) { return [id](HWND window) { Click(GetDlgItem(window, id)); }; };
    // After "Dissolve" or a quit message the settings receive the fields' initial values.
    const std::string quit = "driver 0, 640x480, 0 samples, aspect 1.60000002, fullscreen 0, music 0";
    struct Case {
        std::function<void(HWND)> act;
        bool start;
        std::string settings;
        WPARAM quitLeft; // the quit message left for the caller's loop, 0 if none
    } cases[] = {
        {click(D::StartButtonId), true,
         "driver " + driver + ", 1024x768, 2 samples, aspect 1.60000002, fullscreen 1, music 1", 0},
        {[&](HWND window) {
             const int rows[] = {5, 4, 2}; // "1280 x 800 ", 8 samples, 4:3
             for (int i = 0; i < 3; ++i)
                 SendDlgItemMessageW(window, D::ResolutionListId + i, CB_SETCURSEL, rows[i], 0);
             Click(GetDlgItem(window, D::MusicCheckBoxId));
             Click(GetDlgItem(window, D::StartButtonId));
         },
         true, "driver " + driver + ", 1280x800, 8 samples, aspect 1.33333337, fullscreen 1, music 0", 0},
        {[&](HWND window) { // close requests are refused
             SendMessageW(window, WM_CLOSE, 0, 0);
             SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
             closed = !IsWindowVisible(window);
             Click(GetDlgItem(window, D::QuitButtonId));
         },
         false, quit, 0},
        {[&](HWND) { PostThreadMessageW(thread, WM_QUIT, 3, 0); }, false, quit, 3},
    };
    for (const Case& c : cases) {
        Velorin::GraphicsDriver = Velorin::ResolutionX = Velorin::ResolutionY = Velorin::Multisamples = -7;
        Velorin::Aspect = -7.0f;
        std::string controls, rows, frame;
        bool start = false;
        ASSERT_TRUE(View(
            dialogClass, configTitle,
            [&](HWND window) {
                controls = Controls(window);
                // The drivers' rows are looked up by title where halcyra.exe is driven.
                for (int i = 1; i < 4; ++i)
                    rows += (i > 1 ? "; " : "") + RowsOf(GetDlgItem(window, D::DriverListId + i));
                for (int box : {D::MusicCheckBoxId, D::FullscreenCheckBoxId})
                    controls += IsDlgButtonChecked(window, box) == BST_CHECKED ? " checked" : " unchecked";
                frame = Frame(window);
                c.act(window);
            },
            [&] { start = Velorin::ShowConfigDialog(); }));
        MSG left = {};
        EXPECT_EQ(c.quitLeft, PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? left.wParam : 0);
        EXPECT_EQ(c.start, start);
        EXPECT_EQ(c.settings, VelorinTest::SettingsLine());
        // A drop-down list's text is its selected row.
        EXPECT_EQ("Static: Static:Gralith Driver: ComboBox:" + std::string(Gralith::Graphics::BuiltDriver(0).Title) +
                      " Static:Display Resolution: ComboBox:1024 x 768 Static:Anti-Aliasing: ComboBox:2 Samples "
                      "Static:Aspect: ComboBox:16:10 Button:Music Button:Fullscreen Button:Transform "
                      "Button:Dissolve checked checked",
                  controls);
        EXPECT_EQ("640 x 480|800 x 480|800 x 600|1024 x 768|1280 x 720|1280 x 800 |1280 x 960|"
                  "1280 x 1024|1440 x 900|1400 x 1050|1680 x 1050|1600 x 1200|1920 x 1080|1920 x 1200; "
                  "Off|2 Samples|4 Samples|6 Samples|8 Samples; 16:10|16:9|4:3",
                  rows);
        EXPECT_EQ("401x361 centred banner with title", frame);
    }
    EXPECT_FALSE(closed);
}

TEST(Win32Dialogs, ErrorDialogShowsTheMessageOwnedByTheActiveWindowUntilClose) {
    const std::pair<const char*, const char*> cases[] = {
        // Not UTF-8 (a Latin-1 file name): read as Latin-1; line feeds become line breaks.
        {"Failed to load effect 'scene': File not found: caf\xe9.png\nsecond line",
         "Failed to load effect 'scene': File not found: caf\xc3\xa9.png\r\nsecond line"},
        {"", ""}, // the default text is replaced too
    };
    // The presentation's window stays behind the dialog, which it owns, taking no input meanwhile.
    HWND presentation = CreateWindowExW(0, L"STATIC", L"presentation", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(presentation);
    for (const auto& c : cases) {
        std::string controls, owner;
        auto look = [&](HWND window) {
            controls = Controls(window);
            owner = std::string(GetWindow(window, GW_OWNER) == presentation ? "owned" : "not owned") +
                    (IsWindowEnabled(presentation) ? ", owner enabled" : ", owner disabled");
            Click(GetDlgItem(window, Win32ErrorDialog::CloseButtonId));
        };
        ASSERT_TRUE(View(dialogClass, L"Halcyra", look, [&] { Velorin::ShowErrorMessage(c.first); }));
        owner += IsWindowEnabled(presentation) ? ", then enabled" : ", then disabled";
        EXPECT_EQ("Static: Static:An error has occured forcing Halcyra to close. Details: Edit:" +
                      std::string(c.second) + " Button:Close",
                  controls);
        EXPECT_EQ("owned, owner disabled, then enabled", owner);
    }
    DestroyWindow(presentation);
}

} // namespace
