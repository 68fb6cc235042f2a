// The window procedure's translation of keyboard and mouse messages into input events.

#include "gralith/input/Context.h"
#include "gralith/input/Keyboard.h"
#include "gralith/input/Mouse.h"
#include "gralith/input/win32/Win32KeyMap.h"
#include "gralith/window/win32/Win32Window.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace Gralith {

namespace {

using namespace Input;

uint32_t HeldButtons(WPARAM flags) {
    uint32_t buttons = 0;
    if (flags & MK_LBUTTON)
        buttons |= MouseButtonLeft;
    if (flags & MK_RBUTTON)
        buttons |= MouseButtonRight;
    if (flags & MK_MBUTTON)
        buttons |= MouseButtonMiddle;
    return buttons;
}

// Positions travel as the low and high 16 bits of the message, unsigned.
uint32_t LowWord(LPARAM value) { return static_cast<uint32_t>(value) & 0xFFFFu; }
uint32_t HighWord(LPARAM value) { return (static_cast<uint32_t>(value) >> 16) & 0xFFFFu; }

void PushButton(Context* context, uint32_t button, LPARAM position, uint32_t type) {
    context->PushMouseEvent(button, LowWord(position), HighWord(position), 0, 0, 0, type);
}

// The first half of a character outside the basic plane, waiting for its second half.
wchar_t pendingHighSurrogate = 0;

// Character messages carry UTF-16 units; events carry code points, as on other platforms.
void PushCharacter(Context* context, WPARAM unit) {
    auto code = static_cast<uint32_t>(unit);
    if (code >= 0xD800 && code <= 0xDBFF) {
        pendingHighSurrogate = static_cast<wchar_t>(code);
        return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF && pendingHighSurrogate) {
        code = 0x10000 + ((static_cast<uint32_t>(pendingHighSurrogate) - 0xD800) << 10) + (code - 0xDC00);
    }
    pendingHighSurrogate = 0;
    context->PushKeyboardEvent(code, KeyCharacter);
}

} // namespace

bool Win32Window::PushInputEvents(Input::Context* context, void* handle, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    switch (message) {
    case WM_KEYDOWN: context->PushKeyboardEvent(TranslateVirtualKey(static_cast<uint32_t>(wParam)), KeyPressed); break;
    case WM_KEYUP: context->PushKeyboardEvent(TranslateVirtualKey(static_cast<uint32_t>(wParam)), KeyReleased); break;
    case WM_CHAR: PushCharacter(context, wParam); break;
    case WM_MOUSEMOVE:
        context->PushMouseEvent(HeldButtons(wParam), LowWord(lParam), HighWord(lParam), 0, 0, 0, MouseMove);
        break;
    case WM_LBUTTONDOWN: PushButton(context, MouseButtonLeft, lParam, MouseButtonDown); break;
    case WM_RBUTTONDOWN: PushButton(context, MouseButtonRight, lParam, MouseButtonDown); break;
    case WM_MBUTTONDOWN: PushButton(context, MouseButtonMiddle, lParam, MouseButtonDown); break;
    case WM_LBUTTONUP: PushButton(context, MouseButtonLeft, lParam, MouseButtonUp); break;
    case WM_RBUTTONUP: PushButton(context, MouseButtonRight, lParam, MouseButtonUp); break;
    case WM_MBUTTONUP: PushButton(context, MouseButtonMiddle, lParam, MouseButtonUp); break;
    case WM_LBUTTONDBLCLK: PushButton(context, MouseButtonLeft, lParam, MouseDoubleClick); break;
    case WM_RBUTTONDBLCLK: PushButton(context, MouseButtonRight, lParam, MouseDoubleClick); break;
    case WM_MBUTTONDBLCLK: PushButton(context, MouseButtonMiddle, lParam, MouseDoubleClick); break;
    // The extra buttons have no double clicks: the class's double-click style turns a quick
    // second press into a double-click message, which is a press like any other here.
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_XBUTTONUP: {
        uint32_t number = HighWord(static_cast<LPARAM>(wParam));
        uint32_t type = message == WM_XBUTTONUP ? MouseButtonUp : MouseButtonDown;
        if (number == XBUTTON1 || number == XBUTTON2)
            PushButton(context, MouseButtonMiddle << number, lParam, type);
        return true;
    }
    case WM_MOUSEWHEEL: {
        // The message gives the pointer in screen coordinates; events use client coordinates.
        POINT point = {static_cast<short>(LowWord(lParam)), static_cast<short>(HighWord(lParam))};
        ScreenToClient(static_cast<HWND>(handle), &point);
        auto delta = static_cast<int32_t>(static_cast<short>(HighWord(static_cast<LPARAM>(wParam))));
        context->PushMouseEvent(HeldButtons(wParam), static_cast<uint32_t>(point.x) & 0xFFFFu,
                                static_cast<uint32_t>(point.y) & 0xFFFFu, 0, 0, delta, MouseWheel);
        break;
    }
    default: break;
    }
    return false;
}

} // namespace Gralith
