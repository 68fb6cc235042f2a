#include "gralith/input/win32/Win32KeyMap.h"

#include "gralith/input/KeyCodes.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace Gralith::Input {

uint32_t TranslateVirtualKey(uint32_t virtualKey) {
    if (virtualKey >= VK_F1 && virtualKey <= VK_F6)
        return KeyF1 + (virtualKey - VK_F1);
    if (virtualKey >= VK_F7 && virtualKey <= VK_F16)
        return KeyF7 + (virtualKey - VK_F7);
    switch (virtualKey) {
    case VK_BACK: return KeyBackspace;
    case VK_TAB: return KeyTab;
    case VK_RETURN: return KeyEnter;
    // Key messages carry the side-less codes; the sided ones come from other sources.
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: return KeyShift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return KeyControl;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return KeyAlt;
    case VK_CAPITAL: return KeyCapsLock;
    case VK_ESCAPE: return KeyEscape;
    case VK_SPACE: return KeySpace;
    case VK_PRIOR: return KeyPageUp;
    case VK_NEXT: return KeyPageDown;
    case VK_END: return KeyEnd;
    case VK_HOME: return KeyHome;
    case VK_INSERT: return KeyInsert;
    case VK_DELETE: return KeyDelete;
    case VK_LEFT: return KeyLeft;
    case VK_UP: return KeyUp;
    case VK_RIGHT: return KeyRight;
    case VK_DOWN: return KeyDown;
    default: return virtualKey;
    }
}

} // namespace Gralith::Input
