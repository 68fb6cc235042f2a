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

#include <functional>
#include <string>
#include <thread>

namespace {

using Velorin::Win32ConfigDialog;
using Velorin::Win32ErrorDialog;
using namespace GralithTest;

const wchar_t* const dialogClass = L"VelorinDialog";
const wchar_t* const configTitle = L"Halcyra - Brightmoot 08 Invitation";

// Every control of the window in creation order as "class:text", one line.
std::string Controls(HWND window) {
    std::string line;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64];
        GetClassNameW(child, name, 64);
        line += (line.empty() ? "" : " ") + Gralith::Win32Text::Narrow(name) + ":" + TextOf(child);
    }
    return line;
}

// The client size, whether the frame is fixed without a control box, and whether the window is
// centred on the work area (to a pixel), in one line.
std::string Frame(HWND window) {
    RECT area, outer, client = ClientBox(window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &outer);
    int off = std::abs(outer.left + outer.right - area.left - area.right) / 2 +
              std::abs(outer.top + outer.bottom - area.top - area.bottom) / 2;
    return std::to_string(client.right - client.left) + "x" + std::to_string(client.bottom - client.top) +
           (GetWindowLongW(window, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME) ? " resizable or closable" : " fixed") +
           (off <= 1 ? " centred" : " off centre");
}

// Whether the banner on the screen matches its image, and whether its title's letters show
// (near-white pixels: the background has none).
std::string SeeBanner(HWND window, int width, int height, Velorin::BannerPixels::Accent accent) {
    RECT box = ClientBox(window);
    box.right = box.left + width;
    box.bottom = box.top + height;
    std::vector<uint32_t> expected =
        Velorin::Win32Banner::Draw(width, height, "HALCYRA", "Brightmoot 2008 Invitation", accent);
    // Shown is not yet painted on a busy machine: look again for up to 5 s.
    std::vector<uint32_t> seen;
    double match = 0.0;
    for (int i = 0; i < 50 && match < 0.98; ++i) {
        Sleep(i ? 100 : 0);
        match = Match(seen = Capture(box), expected);
    }
    int white = 0;
    for (uint32_t p : seen)
        white += (p & 0xFF) > 200 && (p >> 8 & 0xFF) > 200 && (p >> 16 & 0xFF) > 200;
    return (match >= 0.98 ? " banner" : " banner differs in " + std::to_string(1.0 - match)) +
           (white > 500 ? " with title" : " without title");
}

// Runs look on a second thread once the dialog with this title is on the screen, then show on
// this one; false when the dialog never appeared.
template <class Show>
bool View(const wchar_t* title, const std::function<void(HWND)>& look, Show show) {
    bool found = false;
    std::thread viewer([&] {
        HWND window = WaitForWindow(dialogClass, title);
        found = window != nullptr;
        if (window) {
            Sleep(100); // shown, but the dialog's thread may still be finishing ShowWindow
            look(window);
        }
    });
    show();
    viewer.join();
    return found;
}

TEST(Win32Dialogs, ConfigDialogShowsItsRowsAndDefaultsAndEndsOnlyByItsButtonsOrAQuitMessage) {
    using D = Win32ConfigDialog;
    std::string drivers, driver = std::to_string(Gralith::Graphics::BuiltDriver(0).Driver);
    for (int i = 0; i < Gralith::Graphics::BuiltDriverCount(); ++i)
        drivers += (i ? "|" : "") + std::string(Gralith::Graphics::BuiltDriver(i).Title);
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
            configTitle,
            [&](HWND window) {
                controls = Controls(window);
                for (int i = 0; i < 4; ++i) {
                    HWND list = GetDlgItem(window, D::DriverListId + i);
                    bool dropDownList = (GetWindowLongW(list, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
                    rows += (i ? "; " : "") + RowsOf(list) + (dropDownList ? "" : " (editable)");
                }
                for (int box : {D::MusicCheckBoxId, D::FullscreenCheckBoxId})
                    controls += IsDlgButtonChecked(window, box) == BST_CHECKED ? " checked" : " unchecked";
                frame = Frame(window) + SeeBanner(window, 401, 105, Velorin::BannerPixels::AccentInvitation);
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
        EXPECT_EQ(drivers + "; 640 x 480|800 x 480|800 x 600|1024 x 768|1280 x 720|1280 x 800 |1280 x 960|"
                            "1280 x 1024|1440 x 900|1400 x 1050|1680 x 1050|1600 x 1200|1920 x 1080|1920 x 1200; "
                            "Off|2 Samples|4 Samples|6 Samples|8 Samples; 16:10|16:9|4:3",
                  rows);
        EXPECT_EQ("401x361 fixed centred banner with title", frame);
    }
    EXPECT_FALSE(closed);
}

TEST(Win32Dialogs, ErrorDialogShowsTheMessageReadOnlyOwnedByTheActiveWindowUntilClose) {
    struct Case {
        const char* message;
        const char* details;
    } cases[] = {
        // Not UTF-8 (a Latin-1 file name): read as Latin-1; line feeds become line breaks.
        {"Failed to load effect 'scene': File not found: caf\xe9.png\nsecond line",
         "Failed to load effect 'scene': File not found: caf\xc3\xa9.png\r\nsecond line"},
        {"already UTF-8: \xc3\xa9", "already UTF-8: \xc3\xa9"},
        {"", ""}, // the default text is replaced too
    };
    // The presentation's window stays behind the dialog, which it owns, taking no input meanwhile.
    HWND presentation = CreateWindowExW(0, L"STATIC", L"presentation", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(presentation);
    for (const Case& c : cases) {
        std::string controls, frame;
        auto look = [&](HWND window) {
            controls = Controls(window);
            LONG details = GetWindowLongW(GetDlgItem(window, Win32ErrorDialog::DetailsId), GWL_STYLE);
            frame = Frame(window) + (details & ES_READONLY ? " read-only" : " editable") +
                    (details & ES_MULTILINE && details & WS_VSCROLL ? " scrolling" : " single line") +
                    (GetWindow(window, GW_OWNER) == presentation ? " owned" : " not owned") +
                    (IsWindowEnabled(presentation) ? " owner enabled" : " owner disabled") +
                    SeeBanner(window, 400, 107, Velorin::BannerPixels::AccentError);
            Click(GetDlgItem(window, Win32ErrorDialog::CloseButtonId));
        };
        ASSERT_TRUE(View(L"Halcyra", look, [&] { Velorin::ShowErrorMessage(c.message); }));
        frame += IsWindowEnabled(presentation) ? ", then enabled" : ", then disabled";
        EXPECT_EQ("Static: Static:An error has occured forcing Halcyra to close. Details: Edit:" +
                      std::string(c.details) + " Button:Close",
                  controls);
        EXPECT_EQ("400x328 fixed centred read-only scrolling owned owner disabled banner with title, then enabled",
                  frame);
    }
    DestroyWindow(presentation);
}

} // namespace
