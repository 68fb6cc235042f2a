#include "gralith/window/win32/Win32Window.h"
#include "gralith/input/Context.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace Gralith::Input;
using Gralith::Win32Window;

namespace {

// An input context that records what the window procedure pushes, as text.
class RecordingContext : public Context {
public:
    void PushKeyboardEvent(uint32_t keyCode, uint32_t state) override {
        Add("key " + std::to_string(keyCode) + "," + std::to_string(state));
    }
    void PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t, uint32_t, int32_t wheel,
                        uint32_t type) override {
        Add("mouse " + std::to_string(buttons) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
            std::to_string(wheel) + " " + std::to_string(type));
    }
    int GetJoystickCount() override { return 0; }
    Joystick* GetJoystick(int) override { return nullptr; }
    Keyboard* GetKeyboard() override { return nullptr; }
    Mouse* GetMouse() override { return nullptr; }

    void Add(const std::string& event) { events += (events.empty() ? "" : "; ") + event; }

    std::string events; // "; " between two
};

HWND Hwnd(Win32Window& window) { return static_cast<HWND>(window.GetHandle()); }

std::wstring Caption(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

// The window's outer rectangle or its client area, as "left,top widthxheight".
std::string Box(HWND hwnd, bool client) {
    RECT r;
    (client ? GetClientRect : GetWindowRect)(hwnd, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

} // namespace

TEST(Win32Window, WindowedHasTheClientSizeTitleAndDoubleClicks) {
    Win32Window window(800, 600, "Halcyra - Brightmoot 2008 Invitation", true);
    HWND hwnd = Hwnd(window);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(&window, Win32Window::FromHandle(hwnd));
    EXPECT_EQ("0,0 800x600", Box(hwnd, true));
    EXPECT_EQ(L"Halcyra - Brightmoot 2008 Invitation", Caption(hwnd));
    const LONG_PTR style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    EXPECT_EQ(style, GetWindowLongPtrW(hwnd, GWL_STYLE) & style);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(ULONG_PTR(CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_DBLCLKS), GetClassLongPtrW(hwnd, GCL_STYLE));

    window.SetTitle("Renamed \xC3\xA9");
    EXPECT_EQ(L"Renamed \u00E9", Caption(hwnd));
    window.SetPosition(100, 50);
    EXPECT_EQ("100,50", Box(hwnd, false).substr(0, 6));
    EXPECT_EQ("0,0 800x600", Box(hwnd, true));

    // Fullscreen: a bare popup of the client size.
    Win32Window bare(320, 200, "Bare", false);
    EXPECT_FALSE(bare.IsWindowed());
    EXPECT_EQ(0, GetWindowLongPtrW(Hwnd(bare), GWL_STYLE) & WS_CAPTION);
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
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(window.ConsumeCloseRequest());
    EXPECT_EQ(nullptr, Win32Window::GetClosedWindow());
    EXPECT_FALSE(window.ConsumeCloseRequest());
    PostQuitMessage(0);
    EXPECT_FALSE(Win32Window::DispatchMessages());
}

TEST(Win32Window, PostedMessagesBecomeTheEngineEvents) {
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
        {"letter A", {M(WM_KEYDOWN, 'A', 0x001E0001), M(WM_KEYUP, 'A', 0xC01E0001)}, "key 65,0; key 97,2; key 65,1"},
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
    RecordingContext context;
    Win32Window::SetInputContext(hwnd, &context);
    for (const Case& c : cases) {
        context.events.clear();
        // One at a time, as typing delivers them: the character message of a key press is
        // queued behind whatever is already waiting.
        for (MSG message : c.messages) {
            PostMessageW(hwnd, message.message, message.wParam, message.lParam);
            Win32Window::DispatchMessages();
        }
        EXPECT_EQ(c.events, context.events) << c.name;
    }
    // The wheel's position comes in screen coordinates and leaves as client coordinates.
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    context.events.clear();
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, static_cast<WORD>(-120)),
                 MAKELPARAM(origin.x + 30, origin.y + 40));
    EXPECT_EQ("mouse 2 30,40 -120 4", context.events);

    Win32Window::SetInputContext(hwnd, nullptr);
    context.events.clear();
    PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Win32Window::DispatchMessages();
    EXPECT_EQ("", context.events);
}
