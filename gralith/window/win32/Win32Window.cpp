#include "gralith/window/win32/Win32Window.h"

#include "gralith/Exception.h"
#include "gralith/input/Context.h"
#include "gralith/window/win32/Win32Text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <unordered_map>

namespace Gralith {

namespace {

// Redraw on resize, an own device context for OpenGL, and double clicks for the mouse queue.
constexpr UINT ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_DBLCLKS;
constexpr DWORD WindowedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD FullscreenStyle = WS_POPUP;
// Shown in the task bar.
constexpr DWORD ExtendedStyle = WS_EX_APPWINDOW;

// Process-wide records of the window procedure; used only from the thread that dispatches.
std::unordered_map<HWND, Win32Window*>& Windows() {
    static std::unordered_map<HWND, Win32Window*> windows;
    return windows;
}

std::unordered_map<HWND, Input::Context*>& Contexts() {
    static std::unordered_map<HWND, Input::Context*> contexts;
    return contexts;
}

// The last window that received a close request; read and cleared by the device's Present.
HWND closedWindow = nullptr;

DWORD StyleOf(bool windowed) { return windowed ? WindowedStyle : FullscreenStyle; }

// The outer size of a window whose client area is width x height.
SIZE OuterSize(int width, int height, bool windowed) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, StyleOf(windowed), FALSE, ExtendedStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

struct Win32WindowProcedure {
    static LRESULT CALLBACK Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Input::Context* context = Win32Window::GetInputContext(hwnd);
        switch (message) {
        case WM_CLOSE: closedWindow = hwnd; break;
        case WM_NCDESTROY: {
            auto& windows = Windows();
            auto entry = windows.find(hwnd);
            if (entry != windows.end()) {
                entry->second->destroyed = true;
                windows.erase(entry);
            }
            Contexts().erase(hwnd);
            break;
        }
        default:
            if (context && Win32Window::PushInputEvents(context, hwnd, message, wParam, lParam))
                return TRUE;
            break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

Win32Window::Win32Window(int width, int height, const Utils::String& title, bool windowed)
    : width(width), height(height), windowed(windowed) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    std::wstring name = Win32Text::Widen(title.CStr());

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = ClassStyle;
    windowClass.lpfnWndProc = &Win32WindowProcedure::Run;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WINLOGO));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name.c_str();
    // A second window with the same title finds the class already there and reuses it.
    RegisterClassExW(&windowClass);

    SIZE outer = OuterSize(width, height, windowed);
    HWND hwnd = CreateWindowExW(ExtendedStyle, name.c_str(), name.c_str(),
                                StyleOf(windowed) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, outer.cx, outer.cy,
                                nullptr, nullptr, module, nullptr);
    if (!hwnd) {
        std::string message = "Unable to create window: " + Win32Text::ErrorText(GetLastError());
        throw Exception(message.c_str());
    }
    handle = hwnd;
    Windows()[hwnd] = this;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
}

Win32Window::~Win32Window() {
    HWND hwnd = static_cast<HWND>(handle);
    if (closedWindow == hwnd)
        closedWindow = nullptr;
    if (destroyed)
        return;
    Windows().erase(hwnd);
    DestroyWindow(hwnd);
}

void Win32Window::SetPosition(int x, int y) {
    SIZE outer = OuterSize(width, height, windowed);
    SetWindowPos(static_cast<HWND>(handle), nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetTitle(const Utils::String& text) {
    SetWindowTextW(static_cast<HWND>(handle), Win32Text::Widen(text.CStr()).c_str());
}

void* Win32Window::GetHandle() { return handle; }

int Win32Window::GetWidth() { return width; }

int Win32Window::GetHeight() { return height; }

bool Win32Window::ConsumeCloseRequest() {
    bool named = closedWindow != nullptr && closedWindow == handle;
    closedWindow = nullptr;
    return named;
}

void* Win32Window::GetClosedWindow() { return closedWindow; }

void Win32Window::ClearClosedWindow() { closedWindow = nullptr; }

bool Win32Window::DispatchMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        // Key presses become character messages here, right after their key-down message.
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return !quit;
}

Win32Window* Win32Window::FromHandle(void* handle) {
    auto& windows = Windows();
    auto entry = windows.find(static_cast<HWND>(handle));
    return entry == windows.end() ? nullptr : entry->second;
}

void Win32Window::SetInputContext(void* handle, Input::Context* context) {
    if (context)
        Contexts()[static_cast<HWND>(handle)] = context;
    else
        Contexts().erase(static_cast<HWND>(handle));
}

Input::Context* Win32Window::GetInputContext(void* handle) {
    auto& contexts = Contexts();
    auto entry = contexts.find(static_cast<HWND>(handle));
    return entry == contexts.end() ? nullptr : entry->second;
}

} // namespace Gralith
