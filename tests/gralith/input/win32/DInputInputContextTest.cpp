#include "gralith/input/win32/DInputInputContext.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/win32/DInputJoystick.h"
#include "gralith/window/win32/Win32Window.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <windows.h>
#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

#include <cstring>

using namespace Gralith::Input;
using Gralith::Win32Window;

namespace {

HWND Hwnd(Win32Window& window) { return static_cast<HWND>(window.GetHandle()); }

// Posts an Escape key message to the window and dispatches it.
void PostEscape(Win32Window& window, UINT message) {
    PostMessageW(Hwnd(window), message, VK_ESCAPE, message == WM_KEYUP ? 0xC0010001 : 0x00010001);
    Win32Window::DispatchMessages();
}

} // namespace

TEST(DInputInputContext, NoControllersAndAWorkingDirectInputKeyboard) {
    Win32Window window(200, 100, "Input", true);
    DInputInputContext context(&window);
    EXPECT_EQ(0, context.GetJoystickCount());
    EXPECT_EQ(nullptr, context.GetJoystick(0));
    auto* input = static_cast<IDirectInput8W*>(context.GetDirectInput());
    ASSERT_NE(nullptr, input);
    IDirectInputDevice8W* keyboard = nullptr;
    ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
    EXPECT_EQ(DI_OK, keyboard->SetCooperativeLevel(Hwnd(window), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND));
    keyboard->Release();
}

TEST(DInputInputContext, NewestLivingContextOfAWindowGetsItsKeys) {
    Win32Window window(200, 100, "Input", true);
    DInputInputContext first(&window);
    KeyboardEvent event{};
    {
        DInputInputContext second(&window);
        PostEscape(window, WM_KEYDOWN);
        EXPECT_FALSE(first.GetKeyboard()->HasNextEvent());
        second.GetKeyboard()->GetNextEvent(event);
        EXPECT_EQ(KeyEscape, event.keyCode);
    }
    PostEscape(window, WM_KEYUP);
    first.GetKeyboard()->GetNextEvent(event);
    EXPECT_EQ(KeyReleased, event.state);
    EXPECT_GRALITH_THROW(first.GetKeyboard()->GetNextEvent(event),
                         "GetNextEvent(): No events in queue for keyboard (Use HasNextEvent() to check if events "
                         "are available)",
                         0);
    MouseEvent mouseEvent{};
    EXPECT_GRALITH_THROW(first.GetMouse()->GetNextEvent(mouseEvent),
                         "GetNextEvent(): No events in queue for mouse (Use HasNextEvent() to check if events are "
                         "available)",
                         0);
}

TEST(DInputJoystick, StateRecordDecodesToButtonsAxesAndHats) {
    DIJOYSTATE2 state = {};
    state.lY = 32768;
    state.lZ = 65535;
    state.lRy = -5;     // outside the platform's range: limited
    state.lRz = 200000; // likewise
    state.rglSlider[0] = 49152;
    state.rgdwPOV[0] = 9000;
    state.rgdwPOV[1] = 0xFFFFFFFFu;
    state.rgbButtons[0] = 0x80;
    state.rgbButtons[127] = 1;
    unsigned char buttons[128];
    float axes[64] = {};
    std::memset(buttons, 7, sizeof buttons);
    DInputJoystick::Decode(&state, buttons, axes);
    const float expected[12] = {
        -1.0f, 0.0f, 65535.0f / 32768.0f - 1.0f, -1.0f, -1.0f, 1.0f, 0.5f, -1.0f, 9000.0f, 4294967295.0f, 0.0f, 0.0f};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(expected[i], axes[i]) << "axis " << i;
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(i == 0 || i == 127 ? 1 : 0, buttons[i]) << "button " << i;
}
