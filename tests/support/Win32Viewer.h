#pragma once

// Looking at and clicking on Win32 windows, as a viewer would: windows are found by title, read
// through their controls' own messages (which reach another thread's or process's windows too),
// and clicked with synthesised mouse input that goes through the system's hit testing like a
// real pointer.

#include "gralith/window/win32/Win32Text.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace GralithTest {

/// The visible top-level window of this class (null: any) and title, or null after seconds.
inline HWND WaitForTopWindow(const wchar_t* className, const wchar_t* title, int seconds) {
    for (int i = 0; i < seconds * 50; ++i) {
        HWND window = FindWindowW(className, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(20);
    }
    return nullptr;
}

/// Runs show here and look on a second thread once the window of this class and title is on the
/// screen; false when it never appeared.
template <class Look, class Show>
bool View(const wchar_t* className, const wchar_t* title, Look look, Show show) {
    bool found = false;
    std::thread viewer([&] {
        if (HWND window = WaitForTopWindow(className, title, 10)) {
            found = true;
            Sleep(100); // shown, but its thread may still be finishing ShowWindow
            look(window);
        }
    });
    show();
    viewer.join();
    return found;
}

/// The window's text, as UTF-8.
inline std::string TextOf(HWND window) {
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return Gralith::Win32Text::Narrow(text.c_str());
}

/// Every control of the window in creation order as "class:text", one line.
inline std::string Controls(HWND window) {
    std::string line;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64];
        GetClassNameW(child, name, 64);
        line += (line.empty() ? "" : " ") + Gralith::Win32Text::Narrow(name) + ":" + TextOf(child);
    }
    return line;
}

/// The rows of a combo box, as UTF-8, joined by "|".
inline std::string RowsOf(HWND combo) {
    std::string rows;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring row(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        row.resize(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(row.data())));
        rows += (i ? "|" : "") + Gralith::Win32Text::Narrow(row.c_str());
    }
    return rows;
}

/// Where the window's client area is on the screen and how big it is.
inline RECT ClientBox(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

/// Moves the pointer to the centre of the control and presses and releases the left button.
inline void Click(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    // Absolute pointer positions are in 1/65536ths of the primary screen.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    for (DWORD button : {DWORD(0), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = ((r.left + r.right) / 2 * 65536 + width / 2) / width;
        input.mi.dy = ((r.top + r.bottom) / 2 * 65536 + height / 2) / height;
        input.mi.dwFlags = button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    }
}

/// The screen's pixels in box, 0x00RRGGBB, rows top to bottom.
inline std::vector<uint32_t> Capture(const RECT& box) {
    int width = box.right - box.left, height = box.bottom - box.top;
    std::vector<uint32_t> pixels(size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // rows top down
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

/// The fraction of pixels whose channels all lie within tolerance of the expected ones (the
/// expected pixels' alpha byte is ignored).
inline double Match(const std::vector<uint32_t>& seen, const std::vector<uint32_t>& expected, int tolerance = 8) {
    if (seen.size() != expected.size() || seen.empty())
        return 0.0;
    size_t good = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
        bool close = true;
        for (int shift = 0; shift < 24; shift += 8)
            close = close && std::abs(int(seen[i] >> shift & 0xFF) - int(expected[i] >> shift & 0xFF)) <= tolerance;
        good += close;
    }
    return double(good) / seen.size();
}

} // namespace GralithTest
