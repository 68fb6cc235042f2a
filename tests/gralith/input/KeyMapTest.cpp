#include "gralith/input/KeyCodes.h"
#include "gralith/input/sdl/SDLKeyMap.h"

#include <SDL.h>

#include <gtest/gtest.h>

using namespace Gralith::Input;

namespace {
uint32_t Key(SDL_Keycode symbol) { return TranslateSDLKey(symbol, SDL_GetScancodeFromKey(symbol)); }
} // namespace

TEST(KeyMap, EngineCodesOfNamedKeys) {
    EXPECT_EQ(310u, Key(SDLK_BACKSPACE));
    EXPECT_EQ(9u, Key(SDLK_TAB));
    EXPECT_EQ(10u, Key(SDLK_RETURN));
    EXPECT_EQ(10u, Key(SDLK_KP_ENTER));
    EXPECT_EQ(260u, Key(SDLK_LSHIFT));
    EXPECT_EQ(260u, Key(SDLK_RSHIFT));
    EXPECT_EQ(262u, Key(SDLK_LCTRL));
    EXPECT_EQ(262u, Key(SDLK_RCTRL));
    EXPECT_EQ(264u, Key(SDLK_CAPSLOCK));
    EXPECT_EQ(257u, Key(SDLK_ESCAPE));
    EXPECT_EQ(32u, Key(SDLK_SPACE));
    EXPECT_EQ(259u, Key(SDLK_LALT));
    EXPECT_EQ(259u, Key(SDLK_RALT));
    EXPECT_EQ(304u, Key(SDLK_PAGEUP));
    EXPECT_EQ(305u, Key(SDLK_PAGEDOWN));
    EXPECT_EQ(307u, Key(SDLK_END));
    EXPECT_EQ(306u, Key(SDLK_HOME));
    EXPECT_EQ(308u, Key(SDLK_INSERT));
    EXPECT_EQ(309u, Key(SDLK_DELETE));
    EXPECT_EQ(274u, Key(SDLK_LEFT));
    EXPECT_EQ(272u, Key(SDLK_UP));
    EXPECT_EQ(275u, Key(SDLK_RIGHT));
    EXPECT_EQ(273u, Key(SDLK_DOWN));
}

TEST(KeyMap, FunctionKeysSkip282To287) {
    const SDL_Keycode keys[] = {SDLK_F1, SDLK_F2,  SDLK_F3,  SDLK_F4,  SDLK_F5,  SDLK_F6,  SDLK_F7,  SDLK_F8,
                                SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12, SDLK_F13, SDLK_F14, SDLK_F15, SDLK_F16};
    const uint32_t codes[] = {276, 277, 278, 279, 280, 281, 288, 289, 290, 291, 292, 293, 294, 295, 296, 297};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(codes[i], Key(keys[i])) << "F" << (i + 1);
    EXPECT_EQ(0x80u, Key(SDLK_F17));
    EXPECT_EQ(0x87u, Key(SDLK_F24));
}

TEST(KeyMap, LettersAndDigitsKeepTheirCharacterCodes) {
    for (SDL_Keycode k = SDLK_a; k <= SDLK_z; ++k)
        EXPECT_EQ(static_cast<uint32_t>('A' + (k - SDLK_a)), Key(k));
    for (SDL_Keycode k = SDLK_0; k <= SDLK_9; ++k)
        EXPECT_EQ(static_cast<uint32_t>(k), Key(k));
}

TEST(KeyMap, OtherKeysPassTheirVirtualKeyCodes) {
    EXPECT_EQ(0x60u, Key(SDLK_KP_0));
    EXPECT_EQ(0x69u, Key(SDLK_KP_9));
    EXPECT_EQ(0x6Bu, Key(SDLK_KP_PLUS));
    EXPECT_EQ(0xBAu, Key(SDLK_SEMICOLON));
    EXPECT_EQ(0xBDu, Key(SDLK_MINUS));
    EXPECT_EQ(0xDEu, Key(SDLK_QUOTE));
    EXPECT_EQ(0x13u, Key(SDLK_PAUSE));
}

TEST(KeyMap, UnlistedSymbolsFallBackToKeyPosition) {
    // A French layout's "1" key carries '&'; a Cyrillic layout's "Q" key a letter outside a-z.
    EXPECT_EQ(static_cast<uint32_t>('1'), TranslateSDLKey(SDLK_AMPERSAND, SDL_SCANCODE_1));
    EXPECT_EQ(static_cast<uint32_t>('0'), TranslateSDLKey(SDLK_RIGHTPAREN, SDL_SCANCODE_0));
    EXPECT_EQ(static_cast<uint32_t>('Q'), TranslateSDLKey(0x439, SDL_SCANCODE_Q));
    EXPECT_EQ(0u, TranslateSDLKey(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP));
}

TEST(KeyMap, ControlCharactersOfKeysWithoutText) {
    EXPECT_EQ(27u, ControlCharacterOfSDLKey(SDLK_ESCAPE));
    EXPECT_EQ(8u, ControlCharacterOfSDLKey(SDLK_BACKSPACE));
    EXPECT_EQ(9u, ControlCharacterOfSDLKey(SDLK_TAB));
    EXPECT_EQ(13u, ControlCharacterOfSDLKey(SDLK_RETURN));
    EXPECT_EQ(0u, ControlCharacterOfSDLKey(SDLK_a));
    EXPECT_EQ(0u, ControlCharacterOfSDLKey(SDLK_DELETE));
}
