#include "gralith/window/sdl/SDLWindow.h"
#include "tests/support/Expect.h"
#include "tests/support/XvfbEnvironment.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

GRALITH_TEST_WITH_XVFB();

using Gralith::SDLWindow;
using GralithTest::Run;

namespace {

unsigned long XWindowOf(SDLWindow& window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window.GetSDLWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

// What xdotool prints for the window, its trailing newline included.
std::string WindowName(unsigned long id) { return Run("xdotool getwindowname " + std::to_string(id)); }

std::string Geometry(unsigned long id) { return Run("xdotool getwindowgeometry " + std::to_string(id)); }

// Pumps SDL's queue until the condition holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& condition, bool* quit = nullptr) {
    for (int i = 0; i < 200; ++i) {
        if (!SDLWindow::DispatchEvents() && quit)
            *quit = true;
        if (condition())
            return true;
        SDL_Delay(10);
    }
    return false;
}

// What a window manager sends when the user presses the close button.
void SendDeleteRequest(unsigned long id) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, id, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

} // namespace

TEST(SDLWindow, TitleAndClientSizeVisibleToX) {
    SDLWindow window(640, 480, "Halcyra - Brightmoot 2008 Invitation", true);
    SDLWindow::DispatchEvents();
    unsigned long id = XWindowOf(window);
    ASSERT_NE(0u, id);
    EXPECT_EQ("Halcyra - Brightmoot 2008 Invitation\n", WindowName(id));
    EXPECT_NE(std::string::npos, Geometry(id).find("Geometry: 640x480")) << Geometry(id);
    EXPECT_EQ(640, window.GetWidth());
    EXPECT_EQ(480, window.GetHeight());
    EXPECT_TRUE(SDL_GetWindowFlags(window.GetSDLWindow()) & SDL_WINDOW_OPENGL);

    window.SetTitle("Renamed");
    EXPECT_EQ("Renamed\n", WindowName(id));
}

TEST(SDLWindow, CloseRequestIsRecordedUntilConsumed) {
    SDLWindow window(320, 200, "Closable", true);
    unsigned long id = XWindowOf(window);
    ASSERT_NE(0u, id);
    SDLWindow::DispatchEvents();
    EXPECT_FALSE(window.ConsumeCloseRequest());

    SendDeleteRequest(id);
    bool quit = false;
    ASSERT_TRUE(PumpUntil([&] { return SDLWindow::GetClosedWindow() != nullptr; }, &quit));
    EXPECT_EQ(window.GetHandle(), SDLWindow::GetClosedWindow());
    // The last window closing also makes SDL post a quit request.
    PumpUntil([&] { return quit; }, &quit);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(window.ConsumeCloseRequest());
    EXPECT_EQ(nullptr, SDLWindow::GetClosedWindow());
    EXPECT_FALSE(window.ConsumeCloseRequest());
}

TEST(SDLWindow, CreationWithoutDisplayThrows) {
    std::string display = getenv("DISPLAY");
    setenv("DISPLAY", ":65000", 1);
    int code = -1;
    EXPECT_EQ(0, GralithTest::MessageOf([] { SDLWindow(100, 100, "Nowhere", true); }, &code)
                     .rfind("Unable to create window: ", 0));
    EXPECT_EQ(0, code);
    setenv("DISPLAY", display.c_str(), 1);
}
