#pragma once

#include <cstdint>

namespace Gralith::Input {

/// Engine key codes of keyboard press and release events. Letters and digits keep their
/// upper-case character codes ('A' is 65, '0' is 48); keys not listed here carry the Windows
/// virtual-key code of the key. 282...287 are unused.
enum KeyCode : uint32_t {
    KeyTab = 9,
    KeyEnter = 10,
    KeySpace = 32,
    KeyEscape = 257,
    KeyAlt = 259,
    KeyShift = 260,
    KeyControl = 262,
    KeyCapsLock = 264,
    KeyUp = 272,
    KeyDown = 273,
    KeyLeft = 274,
    KeyRight = 275,
    KeyF1 = 276,
    KeyF6 = 281,
    KeyF7 = 288,
    KeyF16 = 297,
    KeyPageUp = 304,
    KeyPageDown = 305,
    KeyHome = 306,
    KeyEnd = 307,
    KeyInsert = 308,
    KeyDelete = 309,
    KeyBackspace = 310,
};

} // namespace Gralith::Input
