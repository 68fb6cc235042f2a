#include "gralith/input/sdl/SDLKeyboard.h"
#include "gralith/input/sdl/SDLMouse.h"

#include <gtest/gtest.h>

using namespace Gralith::Input;

// The order of events and their fields are seen end to end (SDLInputContextTest); here the ring's
// own limits.
TEST(InputQueue, IndexesWrapAfter65536Events) {
    SDLKeyboard keyboard;
    KeyboardEvent e{};
    for (uint32_t i = 0; i < 65536; ++i) {
        keyboard.Push({i & 0xFF, KeyPressed});
        ASSERT_TRUE(keyboard.HasNextEvent());
        keyboard.GetNextEvent(e);
        ASSERT_EQ(i & 0xFF, e.keyCode);
    }
    EXPECT_EQ(0u, keyboard.GetRing().ReadIndex());
    EXPECT_EQ(0u, keyboard.GetRing().WriteIndex());
    EXPECT_FALSE(keyboard.HasNextEvent());
    keyboard.Push({'A', KeyReleased});
    ASSERT_TRUE(keyboard.HasNextEvent());
    keyboard.GetNextEvent(e);
    EXPECT_EQ(65u, e.keyCode);
    EXPECT_EQ(1u, e.state);
}

TEST(InputQueue, FullRingDropsOldestInsteadOfEmptying) {
    SDLMouse mouse(nullptr);
    for (uint32_t i = 0; i < 65536; ++i)
        mouse.Push({0, i, 0, 0, 0, 0, MouseMove});
    // 65535 events fit; the first one made room for the last.
    ASSERT_TRUE(mouse.HasNextEvent());
    EXPECT_EQ(65535u, mouse.GetRing().Pending());
    MouseEvent e{};
    mouse.GetNextEvent(e);
    EXPECT_EQ(1u, e.x);
    uint32_t last = e.x;
    while (mouse.HasNextEvent()) {
        mouse.GetNextEvent(e);
        ASSERT_EQ(last + 1, e.x);
        last = e.x;
    }
    EXPECT_EQ(65535u, last);
}
