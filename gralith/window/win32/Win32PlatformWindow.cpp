// The Win32 platform's window and message box (gralith/Platform.h).

#include "gralith/Platform.h"
#include "gralith/window/win32/Win32Text.h"
#include "gralith/window/win32/Win32Window.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>

namespace Gralith::Platform {

Window* OpenWindow(int width, int height, const Utils::String& title, bool windowed) {
    return new Win32Window(width, height, title, windowed);
}

void ShowMessageBox(Window* owner, const char* text, const char* caption) {
    HWND parent = owner ? static_cast<HWND>(owner->GetHandle()) : nullptr;
    if (parent && !IsWindow(parent))
        parent = nullptr;
    std::wstring wideText = Win32Text::Widen(text);
    std::wstring wideCaption = Win32Text::Widen(caption);
    if (MessageBoxW(parent, wideText.c_str(), wideCaption.c_str(), MB_OK | MB_ICONINFORMATION) == 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

} // namespace Gralith::Platform
