#include "gralith/input/sdl/SDLInputContext.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/input/sdl/SDLMouse.h"
#include "gralith/window/sdl/SDLWindow.h"
#include "tests/support/XvfbEnvironment.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

GRALITH_TEST_WITH_XVFB();

using namespace Gralith::Input;
using Gralith::SDLWindow;
using GralithTest::Run;

namespace Gralith::Input {

bool operator==(const KeyboardEvent& a, const KeyboardEvent& b) { return a.keyCode == b.keyCode && a.state == b.state; }

std::ostream& operator<<(std::ostream& out, const KeyboardEvent& e) {
    return out << "(" << e.keyCode << ", " << e.state << ")";
}

std::ostream& operator<<(std::ostream& out, const MouseEvent& e) {
    return out << "{buttons " << e.buttons << ", " << e.x << "," << e.y << ", wheel " << e.wheel << ", type " << e.type
               << "}";
}

} // namespace Gralith::Input

namespace {

unsigned long XWindowOf(SDLWindow& window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window.GetSDLWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

void Xdotool(const std::string& arguments) { Run("xdotool " + arguments); }

void Settle() {
    for (int i = 0; i < 20; ++i) {
        SDLWindow::DispatchEvents();
        SDL_Delay(10);
    }
}

// Pumps SDL's queue until the condition holds or two seconds pass, then a little longer so
// that events which should not come would show up.
void PumpUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        SDLWindow::DispatchEvents();
        SDL_Delay(10);
    }
    for (int i = 0; i < 5; ++i) {
        SDLWindow::DispatchEvents();
        SDL_Delay(10);
    }
}

std::vector<KeyboardEvent> DrainKeys(Keyboard* keyboard) {
    std::vector<KeyboardEvent> events;
    KeyboardEvent e{};
    while (keyboard->HasNextEvent()) {
        keyboard->GetNextEvent(e);
        events.push_back(e);
    }
    return events;
}

std::vector<MouseEvent> DrainMouse(Mouse* mouse) {
    std::vector<MouseEvent> events;
    MouseEvent e{};
    while (mouse->HasNextEvent()) {
        mouse->GetNextEvent(e);
        events.push_back(e);
    }
    return events;
}

class SDLInputContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Generous, so a loaded machine still sees the two clicks of a double click as one.
        SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME, "500");
        window = new SDLWindow(320, 240, "Input", true);
        context = new SDLInputContext(window);
        id = XWindowOf(*window);
        ASSERT_NE(0u, id);
        // Let the window settle (map, focus, pointer enter) and forget what that produced.
        Settle();
        DrainKeys(context->GetKeyboard());
        DrainMouse(context->GetMouse());
    }
    void TearDown() override {
        context->Release();
        window->Release();
    }

    std::vector<KeyboardEvent> Type(const std::string& keys, size_t expected) {
        Xdotool("key --delay 20 " + keys);
        auto* keyboard = static_cast<SDLInputContext*>(context)->GetKeyboard();
        std::vector<KeyboardEvent> events;
        PumpUntil([&] {
            for (auto& e : DrainKeys(keyboard))
                events.push_back(e);
            return events.size() >= expected;
        });
        for (auto& e : DrainKeys(keyboard))
            events.push_back(e);
        return events;
    }

    std::vector<MouseEvent> MouseEvents(size_t expected) {
        std::vector<MouseEvent> events;
        PumpUntil([&] {
            for (auto& e : DrainMouse(context->GetMouse()))
                events.push_back(e);
            return events.size() >= expected;
        });
        for (auto& e : DrainMouse(context->GetMouse()))
            events.push_back(e);
        return events;
    }

    SDLWindow* window = nullptr;
    SDLInputContext* context = nullptr;
    unsigned long id = 0;
};

} // namespace

TEST_F(SDLInputContextTest, LettersGiveKeyCodeAndTypedCharacter) {
    // xdotool lets go of shift before b.
    auto events = Type("a shift+b", 8);
    std::vector<KeyboardEvent> expected = {{65, 0}, {'a', 2}, {65, 1}, {260, 0}, {66, 0}, {'B', 2}, {260, 1}, {66, 1}};
    EXPECT_EQ(expected, events);
}

TEST_F(SDLInputContextTest, NamedKeysGiveTheirEngineCodesAndControlCharacters) {
    // The engine's codes are a contract with the scripts: engine code and the control character
    // typed with it (0: none), keys pressed one after another on the X server.
    const struct {
        const char* key;
        uint32_t code;
        uint32_t character;
    } keys[] = {{"Return", KeyEnter, 13},
                {"KP_Enter", KeyEnter, 13},
                {"BackSpace", KeyBackspace, 8},
                {"Tab", KeyTab, 9},
                {"Escape", KeyEscape, 27},
                {"space", KeySpace, ' '},
                {"Prior", KeyPageUp, 0},
                {"Next", KeyPageDown, 0},
                {"Home", KeyHome, 0},
                {"End", KeyEnd, 0},
                {"Insert", KeyInsert, 0},
                {"Delete", KeyDelete, 0},
                {"Up", KeyUp, 0},
                {"Down", KeyDown, 0},
                {"Left", KeyLeft, 0},
                {"Right", KeyRight, 0},
                {"F1", KeyF1, 0},
                {"F6", KeyF6, 0},
                {"F7", KeyF7, 0},
                {"F12", KeyF7 + 5, 0},
                {"Shift_L", KeyShift, 0},
                {"Control_L", KeyControl, 0},
                {"Alt_L", KeyAlt, 0},

                {"semicolon", 0xBA, ';'},
                {"minus", 0xBD, '-'},
                {"9", '9', '9'}};
    for (const auto& k : keys) {
        auto events = Type(k.key, k.character ? 3u : 2u);
        std::vector<KeyboardEvent> expected = {{k.code, 0}};
        if (k.character)
            expected.push_back({k.character, 2});
        expected.push_back({k.code, 1});
        EXPECT_EQ(expected, events) << k.key;
    }
}

TEST_F(SDLInputContextTest, TextIsDecodedIntoCharacterCodes) {
    // Text of any origin (input methods, compose keys) comes as UTF-8; a stray byte that is not
    // UTF-8 stands for itself, as a Latin-1 lookup without an input method delivers it.
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(window->GetSDLWindow());
    SDL_strlcpy(event.text.text, "z\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xe9", sizeof event.text.text);
    SDL_PushEvent(&event);
    // Text for another window is not ours.
    event.text.windowID += 100;
    SDL_PushEvent(&event);
    SDLWindow::DispatchEvents();
    std::vector<KeyboardEvent> expected = {{'z', 2}, {0xE9, 2}, {0x20AC, 2}, {0x1F600, 2}, {0xE9, 2}};
    EXPECT_EQ(expected, DrainKeys(context->GetKeyboard()));
}

TEST_F(SDLInputContextTest, MouseMoveAndClickRecords) {
    Xdotool("mousemove --window " + std::to_string(id) + " 30 40");
    auto moves = MouseEvents(1);
    ASSERT_FALSE(moves.empty());
    const MouseEvent& last = moves.back();
    EXPECT_EQ(0u, last.type);
    EXPECT_EQ(0u, last.buttons);
    EXPECT_EQ(30u, last.x);
    EXPECT_EQ(40u, last.y);
    EXPECT_EQ(0u, last.reserved0);
    EXPECT_EQ(0u, last.reserved1);
    EXPECT_EQ(0, last.wheel);

    const struct {
        int xButton;
        uint32_t bit;
    } buttons[] = {{1, 1}, {3, 2}, {2, 4}, {8, 8}, {9, 16}};
    for (const auto& b : buttons) {
        Xdotool("click " + std::to_string(b.xButton));
        auto events = MouseEvents(2);
        ASSERT_EQ(2u, events.size()) << "X button " << b.xButton;
        EXPECT_EQ(1u, events[0].type) << events[0];
        EXPECT_EQ(b.bit, events[0].buttons) << events[0];
        EXPECT_EQ(30u, events[0].x);
        EXPECT_EQ(40u, events[0].y);
        EXPECT_EQ(2u, events[1].type) << events[1];
        EXPECT_EQ(b.bit, events[1].buttons) << events[1];
    }
}

TEST_F(SDLInputContextTest, DoubleClickWheelAndDrag) {
    Xdotool("mousemove --window " + std::to_string(id) + " 10 20");
    MouseEvents(1);
    Xdotool("click --repeat 2 --delay 40 1");
    auto clicks = MouseEvents(4);
    ASSERT_EQ(4u, clicks.size());
    const uint32_t types[] = {1, 2, 3, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(types[i], clicks[i].type) << clicks[i];
        EXPECT_EQ(1u, clicks[i].buttons) << clicks[i];
    }

    Xdotool("click 4");
    auto up = MouseEvents(1);
    ASSERT_EQ(1u, up.size());
    EXPECT_EQ(4u, up[0].type);
    EXPECT_EQ(120, up[0].wheel);
    EXPECT_EQ(10u, up[0].x);
    EXPECT_EQ(20u, up[0].y);
    Xdotool("click 5");
    auto down = MouseEvents(1);
    ASSERT_EQ(1u, down.size());
    EXPECT_EQ(-120, down[0].wheel);

    Xdotool("mousedown 3 mousemove --window " + std::to_string(id) + " 50 60 mouseup 3");
    auto drag = MouseEvents(3);
    ASSERT_GE(drag.size(), 3u);
    EXPECT_EQ(1u, drag.front().type);
    EXPECT_EQ(0u, drag[1].type);
    EXPECT_EQ(2u, drag[1].buttons) << drag[1];
    EXPECT_EQ(50u, drag[drag.size() - 2].x);
    EXPECT_EQ(60u, drag[drag.size() - 2].y);
    EXPECT_EQ(2u, drag.back().type);
}
