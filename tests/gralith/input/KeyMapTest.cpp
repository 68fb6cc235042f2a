#include "gralith/input/sdl/SDLKeyMap.h"

#include <SDL.h>

#include <gtest/gtest.h>

using namespace Gralith::Input;

// The engine codes of named keys are checked end to end (SDLInputContextTest); here what the
// X server cannot be made to send: symbols of other layouts.
TEST(KeyMap, UnlistedSymbolsFallBackToKeyPosition) {
    // A French layout's "1" key carries '&'; a Cyrillic layout's "Q" key a letter outside a-z.
    EXPECT_EQ(static_cast<uint32_t>('1'), TranslateSDLKey(SDLK_AMPERSAND, SDL_SCANCODE_1));
    EXPECT_EQ(static_cast<uint32_t>('0'), TranslateSDLKey(SDLK_RIGHTPAREN, SDL_SCANCODE_0));
    EXPECT_EQ(static_cast<uint32_t>('Q'), TranslateSDLKey(0x439, SDL_SCANCODE_Q));
    EXPECT_EQ(0u, TranslateSDLKey(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP));
}
