// The Win32 configuration and error dialogs, read through their controls and clicked from a
// second thread as a viewer would.

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/Settings.h"
#include "velorin/dialogs/win32/Win32Banner.h"
#include "velorin/dialogs/win32/Win32ConfigDialog.h"
#include "velorin/dialogs/win32/Win32ErrorDialog.h"

#include "tests/support/Win32Viewer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

using Velorin::Win32ConfigDialog;
using Velorin::Win32ErrorDialog;
using namespace GralithTest;

const wchar_t* const dialogClass = L"VelorinDialog";
const wchar_t* const configTitle = L"Halcyra - Brightmoot 08 Invitation";

// The settings in one line, so a comparison shows every field.
std::string Settings() {
    char text[160];
    std::snprintf(text, sizeof text, "driver %d, %dx%d, %d samples, aspect %g, fullscreen %d, music %d",
                  Velorin::GraphicsDriver, Velorin::ResolutionX, Velorin::ResolutionY, Velorin::Multisamples,
                  Velorin::Aspect, Velorin::Fullscreen, Velorin::PlayMusic);
    return text;
}

// Every control of the window in creation order as "class:text", one line.
std::string Controls(HWND window) {
    std::string line;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[64];
            GetClassNameW(child, name, 64);
            auto& line = *reinterpret_cast<std::string*>(data);
            line += (line.empty() ? "" : " ") + Narrow(name) + ":" + TextOf(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&line));
    return line;
}

std::string Size(const RECT& r) { return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top); }

// How far the window's centre is from the work area's, in pixels along x plus y.
int OffCentre(HWND window) {
    RECT area, outer;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &outer);
    return std::abs((outer.left + outer.right) - (area.left + area.right)) / 2 +
           std::abs((outer.top + outer.bottom) - (area.top + area.bottom)) / 2;
}

// How much of the banner on the screen matches its image, and how many of its pixels are near
// white (the title's letters: the background has none).
struct BannerSeen {
    double match = 0.0;
    int white = 0;
};

BannerSeen SeeBanner(HWND window, int width, int height, Velorin::BannerPixels::Accent accent) {
    RECT box = ClientBox(window);
    box.right = box.left + width;
    box.bottom = box.top + height;
    std::vector<uint32_t> expected =
        Velorin::Win32Banner::Draw(width, height, "HALCYRA", "Brightmoot 2008 Invitation", accent);
    // Shown is not yet painted on a busy machine: look again for up to 5 s.
    std::vector<uint32_t> seen;
    BannerSeen result;
    for (int i = 0; i < 50; ++i) {
        result.match = Match(seen = Capture(box), expected);
        if (result.match >= 0.98)
            break;
        Sleep(100);
    }
    for (uint32_t p : seen)
        result.white += (p & 0xFF) > 200 && (p >> 8 & 0xFF) > 200 && (p >> 16 & 0xFF) > 200;
    return result;
}

class Win32Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Velorin::GraphicsDriver = Velorin::ResolutionX = Velorin::ResolutionY = Velorin::Multisamples = -7;
        Velorin::Aspect = -7.0f;
        Velorin::Fullscreen = Velorin::PlayMusic = false;
    }
    void TearDown() override {
        if (viewer.joinable())
            viewer.join();
    }

    // Runs look on a second thread once the dialog with this title is on the screen.
    void View(const wchar_t* title, std::function<void(HWND)> look) {
        viewer = std::thread([=] {
            HWND window = WaitForWindow(dialogClass, title);
            found = window != nullptr;
            if (window) {
                Sleep(100); // shown is not yet painted
                look(window);
            }
        });
    }
    void Join() {
        viewer.join();
        ASSERT_TRUE(found) << "the dialog did not appear";
    }

    std::thread viewer;
    bool found = false;
};

TEST_F(Win32Dialogs, ConfigDialogOpensCentredWithItsControlsAndTransformUntouchedGivesTheDefaults) {
    std::string drivers;
    for (int i = 0; i < Gralith::Graphics::BuiltDriverCount(); ++i)
        drivers += (i ? "|" : "") + std::string(Gralith::Graphics::BuiltDriver(i).Title);
    std::string controls, rows[4], checked, client, style;
    int offCentre = -1;
    BannerSeen banner;
    View(configTitle, [&](HWND window) {
        controls = Controls(window);
        for (int i = 0; i < 4; ++i) {
            HWND list = GetDlgItem(window, Win32ConfigDialog::DriverListId + i);
            rows[i] = RowsOf(list);
            style += (GetWindowLongW(list, GWL_STYLE) & 3) == CBS_DROPDOWNLIST ? "list " : "editable ";
        }
        checked = std::to_string(IsDlgButtonChecked(window, Win32ConfigDialog::MusicCheckBoxId)) +
                  std::to_string(IsDlgButtonChecked(window, Win32ConfigDialog::FullscreenCheckBoxId));
        client = Size(ClientBox(window));
        style += GetWindowLongW(window, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME) ? "box" : "fixed";
        offCentre = OffCentre(window);
        banner = SeeBanner(window, 401, 105, Velorin::BannerPixels::AccentInvitation);
        Click(GetDlgItem(window, Win32ConfigDialog::StartButtonId));
    });
    bool start = Velorin::ShowConfigDialog();
    Join();
    EXPECT_TRUE(start);
    EXPECT_EQ("driver " + std::to_string(Gralith::Graphics::BuiltDriver(0).Driver) +
                  ", 1024x768, 2 samples, aspect 1.6, fullscreen 1, music 1",
              Settings());
    // A drop-down list's text is its selected row.
    EXPECT_EQ("Static: Static:Gralith Driver: ComboBox:" + std::string(Gralith::Graphics::BuiltDriver(0).Title) +
                  " Static:Display Resolution: ComboBox:1024 x 768 Static:Anti-Aliasing: ComboBox:2 Samples "
                  "Static:Aspect: ComboBox:16:10 Button:Music Button:Fullscreen Button:Transform Button:Dissolve",
              controls);
    EXPECT_EQ(drivers, rows[0]);
    EXPECT_EQ("640 x 480|800 x 480|800 x 600|1024 x 768|1280 x 720|1280 x 800 |1280 x 960|1280 x 1024|1440 x 900|"
              "1400 x 1050|1680 x 1050|1600 x 1200|1920 x 1080|1920 x 1200",
              rows[1]);
    EXPECT_EQ("Off|2 Samples|4 Samples|6 Samples|8 Samples", rows[2]);
    EXPECT_EQ("16:10|16:9|4:3", rows[3]);
    EXPECT_EQ("11", checked);
    EXPECT_EQ("list list list list fixed", style);
    EXPECT_EQ("401x361", client);
    EXPECT_LE(offCentre, 1);
    EXPECT_GE(banner.match, 0.98) << "banner on the screen";
    EXPECT_GT(banner.white, 500) << "title letters";
}

TEST_F(Win32Dialogs, TransformCopiesTheViewersChoicesIntoTheSettings) {
    View(configTitle, [&](HWND window) {
        const int rows[] = {5, 4, 2}; // "1280 x 800 ", 8 samples, 4:3
        for (int i = 0; i < 3; ++i)
            SendDlgItemMessageW(window, Win32ConfigDialog::ResolutionListId + i, CB_SETCURSEL, rows[i], 0);
        Click(GetDlgItem(window, Win32ConfigDialog::MusicCheckBoxId));
        Click(GetDlgItem(window, Win32ConfigDialog::StartButtonId));
    });
    bool start = Velorin::ShowConfigDialog();
    Join();
    EXPECT_TRUE(start);
    EXPECT_EQ("driver " + std::to_string(Gralith::Graphics::BuiltDriver(0).Driver) +
                  ", 1280x800, 8 samples, aspect 1.33333, fullscreen 1, music 0",
              Settings());
}

TEST_F(Win32Dialogs, OnlyDissolveOrAQuitMessageEndsTheConfigDialogWithoutStarting) {
    // A close request is refused; "Dissolve" leaves the other fields at their initial values.
    bool visibleAfterClose = false;
    View(configTitle, [&](HWND window) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        visibleAfterClose = IsWindowVisible(window);
        Click(GetDlgItem(window, Win32ConfigDialog::QuitButtonId));
    });
    EXPECT_FALSE(Velorin::ShowConfigDialog());
    Join();
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_EQ("driver 0, 640x480, 0 samples, aspect 1.6, fullscreen 0, music 0", Settings());

    // A quit message ends it as "Dissolve" does and stays for the caller's own loop.
    DWORD thread = GetCurrentThreadId();
    View(configTitle, [&](HWND) { PostThreadMessageW(thread, WM_QUIT, 3, 0); });
    EXPECT_FALSE(Velorin::ShowConfigDialog());
    Join();
    MSG quit = {};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, quit.wParam);
}

TEST_F(Win32Dialogs, ErrorDialogShowsTheMessageReadOnlyUntilClose) {
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
        std::string controls, client, style, owner;
        BannerSeen banner;
        View(L"Halcyra", [&](HWND window) {
            controls = Controls(window);
            client = Size(ClientBox(window));
            LONG details = GetWindowLongW(GetDlgItem(window, Win32ErrorDialog::DetailsId), GWL_STYLE);
            style = (details & ES_READONLY ? "read-only " : "editable ") +
                    std::string(details & ES_MULTILINE && details & WS_VSCROLL ? "scrolling" : "single");
            banner = SeeBanner(window, 400, 107, Velorin::BannerPixels::AccentError);
            owner = GetWindow(window, GW_OWNER) == presentation ? "owned" : "not owned";
            owner += IsWindowEnabled(presentation) ? " enabled" : " disabled";
            Click(GetDlgItem(window, Win32ErrorDialog::CloseButtonId));
        });
        Velorin::ShowErrorMessage(c.message);
        Join();
        owner += IsWindowEnabled(presentation) ? ", enabled" : ", disabled";
        EXPECT_EQ("owned disabled, enabled", owner);
        EXPECT_EQ("Static: Static:An error has occured forcing Halcyra to close. Details: Edit:" +
                      std::string(c.details) + " Button:Close",
                  controls);
        EXPECT_EQ("400x328", client);
        EXPECT_EQ("read-only scrolling", style);
        EXPECT_GE(banner.match, 0.98);
        EXPECT_GT(banner.white, 500);
    }
    DestroyWindow(presentation);
}

TEST_F(Win32Dialogs, ErrorDialogGivesBackTheTextItWasGiven) {
    Win32ErrorDialog dialog;
    EXPECT_EQ("No details available.", dialog.GetErrorMessage());
    dialog.SetErrorMessage("one\ntwo\n");
    EXPECT_EQ("one\ntwo\n", dialog.GetErrorMessage());
}

} // namespace
