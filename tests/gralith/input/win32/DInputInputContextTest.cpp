#include "gralith/input/win32/DInputInputContext.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/win32/DInputJoystick.h"
#include "gralith/input/win32/Win32Mouse.h"
#include "gralith/window/win32/Win32Window.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <windows.h>
#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

#include <cstring>
#include <string>

using namespace Gralith::Input;
using Gralith::Win32Window;

namespace {

// The keyboard's next event as "code,state".
std::string Next(Keyboard* keyboard) {
    KeyboardEvent event{};
    keyboard->GetNextEvent(event);
    return std::to_string(event.keyCode) + "," + std::to_string(event.state);
}

void PostKey(Win32Window& window, UINT message, WPARAM key) {
    PostMessageW(static_cast<HWND>(window.GetHandle()), message, key, message == WM_KEYUP ? 0xC0010001 : 0x00010001);
    Win32Window::DispatchMessages();
}

} // namespace

TEST(DInputInputContext, NoControllersAndAWorkingDirectInputKeyboard) {
    Win32Window window(200, 100, "Input", true);
    DInputInputContext context(&window);
    EXPECT_EQ(0, context.GetJoystickCount());
    EXPECT_EQ(nullptr, context.GetJoystick(0));
    EXPECT_EQ(nullptr, context.GetJoystick(-1));
    auto* input = static_cast<IDirectInput8W*>(context.GetDirectInput());
    ASSERT_NE(nullptr, input);
    IDirectInputDevice8W* keyboard = nullptr;
    ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
    EXPECT_EQ(DI_OK, keyboard->SetCooperativeLevel(static_cast<HWND>(window.GetHandle()),
                                                   DISCL_NONEXCLUSIVE | DISCL_BACKGROUND));
    keyboard->Release();
}

TEST(DInputInputContext, NewestLivingContextOfAWindowGetsItsKeys) {
    Win32Window window(200, 100, "Input", true);
    DInputInputContext first(&window);
    {
        DInputInputContext second(&window);
        PostKey(window, WM_KEYDOWN, VK_ESCAPE);
        EXPECT_FALSE(first.GetKeyboard()->HasNextEvent());
        ASSERT_TRUE(second.GetKeyboard()->HasNextEvent());
        EXPECT_EQ(std::to_string(KeyEscape) + "," + std::to_string(KeyPressed), Next(second.GetKeyboard()));
    }
    PostKey(window, WM_KEYUP, VK_ESCAPE);
    ASSERT_TRUE(first.GetKeyboard()->HasNextEvent());
    EXPECT_EQ(std::to_string(KeyEscape) + "," + std::to_string(KeyReleased), Next(first.GetKeyboard()));
    EXPECT_FALSE(first.GetKeyboard()->HasNextEvent());
    EXPECT_GRALITH_THROW(Next(first.GetKeyboard()),
                         "GetNextEvent(): No events in queue for keyboard (Use HasNextEvent() to check if events "
                         "are available)",
                         0);
    MouseEvent mouseEvent{};
    EXPECT_GRALITH_THROW(first.GetMouse()->GetNextEvent(mouseEvent),
                         "GetNextEvent(): No events in queue for mouse (Use HasNextEvent() to check if events are "
                         "available)",
                         0);
}

TEST(DInputInputContext, MouseMovesThePointerInClientCoordinatesAndCountsTheCursor) {
    Win32Window window(200, 100, "Pointer", true);
    DInputInputContext context(&window);
    auto* mouse = static_cast<Win32Mouse*>(context.GetMouse());
    mouse->SetCursorPosition(30, 40);
    POINT expected = {30, 40};
    ClientToScreen(static_cast<HWND>(window.GetHandle()), &expected);
    POINT at;
    GetCursorPos(&at);
    EXPECT_EQ(expected.x, at.x);
    EXPECT_EQ(expected.y, at.y);
    mouse->HideCursor();
    EXPECT_EQ(-1, mouse->GetCursorCount());
    mouse->ShowCursor();
    EXPECT_EQ(0, mouse->GetCursorCount());
}

TEST(DInputJoystick, StateRecordDecodesToButtonsAxesAndHats) {
    DIJOYSTATE2 state = {};
    state.lX = 0;
    state.lY = 32768;
    state.lZ = 65535;
    state.lRx = 16384;
    state.lRy = -5;     // outside the platform's range: limited
    state.lRz = 200000; // likewise
    state.rglSlider[0] = 49152;
    state.rglSlider[1] = 32767;
    state.rgdwPOV[0] = 9000;
    state.rgdwPOV[1] = 0xFFFFFFFFu;
    state.rgbButtons[0] = 0x80;
    state.rgbButtons[127] = 1;
    unsigned char buttons[128];
    float axes[64] = {};
    std::memset(buttons, 7, sizeof buttons);
    DInputJoystick::Decode(&state, buttons, axes);
    const float expected[12] = {-1.0f, 0.0f, 65535.0f / 32768.0f - 1.0f, -0.5f,   -1.0f,
                                1.0f,  0.5f, 32767.0f / 32768.0f - 1.0f, 9000.0f, 4294967295.0f,
                                0.0f,  0.0f};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(expected[i], axes[i]) << "axis " << i;
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(i == 0 || i == 127 ? 1 : 0, buttons[i]) << "button " << i;
}
