// The Win32 window: creation, title, sizes, position, close requests and the input its window
// procedure queues in the window's input context; and the platform's message box, as the
// presentation's music notices use it, read and closed with a click on OK by a viewer.

#include "gralith/window/win32/Win32Window.h"
#include "gralith/Platform.h"
#include "gralith/input/win32/DInputInputContext.h"

#include "tests/support/Win32Viewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Gralith::Input;
using namespace GralithTest;
using Gralith::Win32Window;

namespace {

HWND Hwnd(Win32Window& window) { return static_cast<HWND>(window.GetHandle()); }

// The window's outer rectangle or its client area, as "left,top widthxheight".
std::string Box(HWND hwnd, bool client) {
    RECT r;
    (client ? GetClientRect : GetWindowRect)(hwnd, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

// The events queued in the context since the last call as text, the keyboard's first.
std::string Drain(Context& context) {
    std::string events;
    auto add = [&](const std::string& event) { events += (events.empty() ? "" : "; ") + event; };
    for (KeyboardEvent k; context.GetKeyboard()->HasNextEvent();) {
        context.GetKeyboard()->GetNextEvent(k);
        add("key " + std::to_string(k.keyCode) + "," + std::to_string(k.state));
    }
    for (MouseEvent m; context.GetMouse()->HasNextEvent();) {
        context.GetMouse()->GetNextEvent(m);
        add("mouse " + std::to_string(m.buttons) + " " + std::to_string(m.x) + "," + std::to_string(m.y) + " " +
            std::to_string(m.wheel) + " " + std::to_string(m.type));
    }
    return events;
}

} // namespace

TEST(Win32Window, WindowedKeepsItsClientSizeUnderTitleAndPositionChanges) {
    Win32Window window(800, 600, "Halcyra - Brightmoot 2008 Invitation", true);
    HWND hwnd = Hwnd(window);
    EXPECT_EQ(&window, Win32Window::FromHandle(hwnd));
    EXPECT_EQ("0,0 800x600", Box(hwnd, true));
    EXPECT_EQ("Halcyra - Brightmoot 2008 Invitation", TextOf(hwnd));
    window.SetTitle("Renamed \xC3\xA9");
    EXPECT_EQ("Renamed \xC3\xA9", TextOf(hwnd));
    window.SetPosition(100, 50);
    EXPECT_EQ("100,50", Box(hwnd, false).substr(0, 6));
    EXPECT_EQ("0,0 800x600", Box(hwnd, true));
    // Fullscreen: a bare popup of the client size.
    Win32Window bare(320, 200, "Bare", false);
    EXPECT_EQ("0,0 320x200", Box(Hwnd(bare), false));
}

TEST(Win32Window, CloseRequestIsRecordedUntilConsumedAndQuitEndsDispatch) {
    Win32Window window(320, 200, "Closable", true);
    HWND hwnd = Hwnd(window);
    EXPECT_TRUE(Win32Window::DispatchMessages());
    EXPECT_FALSE(window.ConsumeCloseRequest());
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Win32Window::DispatchMessages());
    EXPECT_EQ(static_cast<void*>(hwnd), Win32Window::GetClosedWindow());
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_TRUE(window.ConsumeCloseRequest());
    EXPECT_FALSE(window.ConsumeCloseRequest());
    PostQuitMessage(0);
    EXPECT_FALSE(Win32Window::DispatchMessages());
}

TEST(Win32Window, MessagesBecomeTheEngineEventsAndQuickClicksADoubleClick) {
    struct Case {
        const char* name;
        std::vector<MSG> messages; // only message, wParam and lParam are used
        const char* events;
    };
    auto M = [](UINT message, WPARAM w, LPARAM l) { return MSG{nullptr, message, w, l, 0, {0, 0}}; };
    const Case cases[] = {
        {"Escape",
         {M(WM_KEYDOWN, VK_ESCAPE, 0x00010001), M(WM_KEYUP, VK_ESCAPE, 0xC0010001)},
         "key 257,0; key 27,2; key 257,1"},
        {"F6, F7, F16 and Left",
         {M(WM_KEYDOWN, VK_F6, 0), M(WM_KEYDOWN, VK_F7, 0), M(WM_KEYUP, VK_F16, 0), M(WM_KEYDOWN, VK_LEFT, 0)},
         "key 281,0; key 288,0; key 297,1; key 274,0"},
        {"character outside the basic plane", {M(WM_CHAR, 0xD83D, 1), M(WM_CHAR, 0xDE00, 1)}, "key 128512,2"},
        {"buttons",
         {M(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20)), M(WM_RBUTTONUP, 0, MAKELPARAM(3, 4)),
          M(WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(5, 6))},
         "mouse 1 10,20 0 1; mouse 2 3,4 0 2; mouse 4 5,6 0 3"},
        {"extra buttons",
         {M(WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), MAKELPARAM(7, 8)),
          M(WM_XBUTTONDBLCLK, MAKEWPARAM(0, XBUTTON2), MAKELPARAM(7, 8)),
          M(WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON2), MAKELPARAM(7, 8))},
         "mouse 8 7,8 0 1; mouse 16 7,8 0 1; mouse 16 7,8 0 2"},
        {"move with held buttons, off the left edge",
         {M(WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(-1, 9))},
         "mouse 5 65535,9 0 0"},
    };
    Win32Window window(200, 100, "Keys", true);
    HWND hwnd = Hwnd(window);
    DInputInputContext context(&window);
    for (const Case& c : cases) {
        // One at a time, as typing delivers them: the character message of a key press is
        // queued behind whatever is already waiting.
        for (MSG message : c.messages) {
            PostMessageW(hwnd, message.message, message.wParam, message.lParam);
            Win32Window::DispatchMessages();
        }
        EXPECT_EQ(c.events, Drain(context)) << c.name;
    }
    // The wheel's position comes in screen coordinates and leaves as client coordinates.
    POINT at = {30, 40};
    ClientToScreen(hwnd, &at);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, static_cast<WORD>(-120)), MAKELPARAM(at.x, at.y));
    EXPECT_EQ("mouse 2 30,40 -120 4", Drain(context));

    // Two real clicks in quick succession: the window's class makes the second a double click.
    RECT outer;
    GetWindowRect(hwnd, &outer);
    at = {(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2};
    ScreenToClient(hwnd, &at);
    Click(hwnd);
    Click(hwnd);
    Win32Window::DispatchMessages();
    std::string clicks = Drain(context);
    EXPECT_NE(std::string::npos, clicks.find("mouse 1 " + std::to_string(at.x) + "," + std::to_string(at.y) + " 0 3"))
        << clicks;
}

TEST(Win32Window, MessageBoxShowsTheNoticeOwnedByTheWindowUntilOkIsClicked) {
    Win32Window owner(200, 100, "owner", true);
    HWND handle = Hwnd(owner);
    std::string seen;
    auto readAndClickOk = [&](HWND box) {
        seen = Controls(box) + (GetWindow(box, GW_OWNER) == handle ? " (owned)" : "");
        Click(GetDlgItem(box, IDOK));
    };
    ASSERT_TRUE(View(L"#32770", L"BASS", readAndClickOk,
                     [&] { Gralith::Platform::ShowMessageBox(&owner, "BASS error, file not found?", "BASS"); }));
    EXPECT_EQ("Static: Button:OK Static:BASS error, file not found? (owned)", seen);

    // Once the window's handle is gone the box stands alone; texts are UTF-8.
    DestroyWindow(handle);
    ASSERT_TRUE(View(L"#32770", L"BASS \u00e9", readAndClickOk,
                     [&] { Gralith::Platform::ShowMessageBox(&owner, "caf\xc3\xa9", "BASS \xc3\xa9"); }));
    EXPECT_EQ("Static: Button:OK Static:caf\xc3\xa9", seen);
}
