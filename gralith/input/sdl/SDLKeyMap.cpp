#include "gralith/input/sdl/SDLKeyMap.h"

#include "gralith/input/KeyCodes.h"

#include <SDL.h>

namespace Gralith::Input {

uint32_t TranslateSDLKey(int32_t symbol, int scancode) {
    if (symbol >= SDLK_a && symbol <= SDLK_z)
        return static_cast<uint32_t>('A' + (symbol - SDLK_a));
    if (symbol >= SDLK_0 && symbol <= SDLK_9)
        return static_cast<uint32_t>(symbol);
    if (symbol >= SDLK_F1 && symbol <= SDLK_F6)
        return KeyF1 + static_cast<uint32_t>(symbol - SDLK_F1);
    if (symbol >= SDLK_F7 && symbol <= SDLK_F12)
        return KeyF7 + static_cast<uint32_t>(symbol - SDLK_F7);
    if (symbol >= SDLK_F13 && symbol <= SDLK_F16)
        return KeyF7 + 6 + static_cast<uint32_t>(symbol - SDLK_F13);
    // F17-F24 keep their virtual-key codes 0x80-0x87.
    if (symbol >= SDLK_F17 && symbol <= SDLK_F24)
        return 0x80 + static_cast<uint32_t>(symbol - SDLK_F17);
    if (symbol >= SDLK_KP_1 && symbol <= SDLK_KP_9)
        return 0x61 + static_cast<uint32_t>(symbol - SDLK_KP_1);

    switch (symbol) {
    case SDLK_BACKSPACE: return KeyBackspace;
    case SDLK_TAB: return KeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return KeyEnter;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return KeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return KeyControl;
    case SDLK_CAPSLOCK: return KeyCapsLock;
    case SDLK_ESCAPE: return KeyEscape;
    case SDLK_SPACE: return KeySpace;
    case SDLK_LALT:
    case SDLK_RALT: return KeyAlt;
    case SDLK_PAGEUP: return KeyPageUp;
    case SDLK_PAGEDOWN: return KeyPageDown;
    case SDLK_END: return KeyEnd;
    case SDLK_HOME: return KeyHome;
    case SDLK_INSERT: return KeyInsert;
    case SDLK_DELETE: return KeyDelete;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_UP: return KeyUp;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_DOWN: return KeyDown;
    // Keys without an engine code pass their virtual-key codes through.
    case SDLK_PAUSE: return 0x13;
    case SDLK_PRINTSCREEN: return 0x2C;
    case SDLK_LGUI: return 0x5B;
    case SDLK_RGUI: return 0x5C;
    case SDLK_APPLICATION: return 0x5D;
    case SDLK_KP_0: return 0x60;
    case SDLK_KP_MULTIPLY: return 0x6A;
    case SDLK_KP_PLUS: return 0x6B;
    case SDLK_KP_MINUS: return 0x6D;
    case SDLK_KP_PERIOD: return 0x6E;
    case SDLK_KP_DIVIDE: return 0x6F;
    case SDLK_NUMLOCKCLEAR: return 0x90;
    case SDLK_SCROLLLOCK: return 0x91;
    case SDLK_SEMICOLON: return 0xBA;
    case SDLK_EQUALS: return 0xBB;
    case SDLK_COMMA: return 0xBC;
    case SDLK_MINUS: return 0xBD;
    case SDLK_PERIOD: return 0xBE;
    case SDLK_SLASH: return 0xBF;
    case SDLK_BACKQUOTE: return 0xC0;
    case SDLK_LEFTBRACKET: return 0xDB;
    case SDLK_BACKSLASH: return 0xDC;
    case SDLK_RIGHTBRACKET: return 0xDD;
    case SDLK_QUOTE: return 0xDE;
    default: break;
    }

    // Layouts whose keys carry other symbols: letters and digits by position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<uint32_t>('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<uint32_t>('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0)
        return '0';
    if (scancode == SDL_SCANCODE_NONUSBACKSLASH)
        return 0xE2;
    return 0;
}

uint32_t ControlCharacterOfSDLKey(int32_t symbol) {
    switch (symbol) {
    case SDLK_ESCAPE: return 27;
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    default: return 0;
    }
}

} // namespace Gralith::Input
