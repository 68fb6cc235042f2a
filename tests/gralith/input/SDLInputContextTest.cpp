#include "gralith/input/sdl/SDLInputContext.h"
#include "gralith/input/KeyCodes.h"
#include "gralith/window/sdl/SDLWindow.h"
#include "tests/support/XvfbEnvironment.h"

#include <SDL.h>

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

} // namespace Gralith::Input

namespace {

void Xdotool(const std::string& arguments) { Run("xdotool " + arguments); }

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

// Takes what is queued, keyboard events as they are and mouse events as "type:buttons@x,y",
// the wheel's delta and any reserved field added when not 0.
void Drain(Keyboard* keyboard, std::vector<KeyboardEvent>& events) {
    for (KeyboardEvent e{}; keyboard->HasNextEvent(); events.push_back(e))
        keyboard->GetNextEvent(e);
}
void Drain(Mouse* mouse, std::vector<std::string>& events) {
    for (MouseEvent e{}; mouse->HasNextEvent();) {
        mouse->GetNextEvent(e);
        events.push_back(std::to_string(e.type) + ":" + std::to_string(e.buttons) + "@" + std::to_string(e.x) + "," +
                         std::to_string(e.y) + (e.wheel ? " wheel " + std::to_string(e.wheel) : "") +
                         (e.reserved0 || e.reserved1 ? " reserved" : ""));
    }
}

class SDLInputContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Generous, so a loaded machine still sees the two clicks of a double click as one.
        SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME, "500");
        window = new SDLWindow(320, 240, "Input", true);
        context = new SDLInputContext(window);
        // Let the window settle (map, focus, pointer enter) and forget what that produced.
        for (int i = 0; i < 20; ++i) {
            SDLWindow::DispatchEvents();
            SDL_Delay(10);
        }
        Collect<KeyboardEvent>(context->GetKeyboard(), 0);
        Collect<std::string>(context->GetMouse(), 0);
        // The X server's name for the window, which xdotool's pointer moves are relative to.
        id = GralithTest::Run("xdotool search --name '^Input$'");
        ASSERT_NE(0u, id.size());
        id.pop_back();
    }
    void TearDown() override {
        context->Release();
        window->Release();
    }

    // What the queue receives until it holds the expected number of events.
    template <class Event, class Queue>
    std::vector<Event> Collect(Queue* queue, size_t expected) {
        std::vector<Event> events;
        PumpUntil([&] {
            Drain(queue, events);
            return events.size() >= expected;
        });
        Drain(queue, events);
        return events;
    }
    std::vector<KeyboardEvent> Type(const std::string& keys, size_t expected) {
        Xdotool("key --delay 20 " + keys);
        return Collect<KeyboardEvent>(context->GetKeyboard(), expected);
    }
    std::vector<std::string> Pointer(const std::string& xdotool, size_t expected) {
        Xdotool(xdotool);
        return Collect<std::string>(context->GetMouse(), expected);
    }

    SDLWindow* window = nullptr;
    SDLInputContext* context = nullptr;
    std::string id;
};

} // namespace

TEST_F(SDLInputContextTest, LettersGiveKeyCodeAndTypedCharacter) {
    // xdotool lets go of shift before b.
    std::vector<KeyboardEvent> expected = {{65, 0}, {'a', 2}, {65, 1}, {260, 0}, {66, 0}, {'B', 2}, {260, 1}, {66, 1}};
    EXPECT_EQ(expected, Type("a shift+b", 8));
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
        std::vector<KeyboardEvent> expected = {{k.code, 0}, {k.character, 2}, {k.code, 1}};
        if (!k.character)
            expected.erase(expected.begin() + 1);
        EXPECT_EQ(expected, Type(k.key, expected.size())) << k.key;
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
    std::vector<KeyboardEvent> expected = {{'z', 2}, {0xE9, 2}, {0x20AC, 2}, {0x1F600, 2}, {0xE9, 2}}, events;
    Drain(context->GetKeyboard(), events);
    EXPECT_EQ(expected, events);
}

TEST_F(SDLInputContextTest, MouseMovesClicksWheelAndDragsInClientCoordinates) {
    using Events = std::vector<std::string>;
    const std::string window = " --window " + id;
    Events moves = Pointer("mousemove" + window + " 30 40", 1);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ("0:0@30,40", moves.back());
    // X buttons 1, 3 and 2 are left, right and middle; 8 and 9 the two extra ones.
    for (auto [xButton, bit] : {std::pair{1, 1}, {3, 2}, {2, 4}, {8, 8}, {9, 16}}) {
        const std::string at = std::to_string(bit) + "@30,40";
        EXPECT_EQ((Events{"1:" + at, "2:" + at}), Pointer("click " + std::to_string(xButton), 2)) << xButton;
    }
    Pointer("mousemove" + window + " 10 20", 1);
    EXPECT_EQ((Events{"1:1@10,20", "2:1@10,20", "3:1@10,20", "2:1@10,20"}),
              Pointer("click --repeat 2 --delay 40 1", 4));
    EXPECT_EQ((Events{"4:0@10,20 wheel 120"}), Pointer("click 4", 1));
    EXPECT_EQ((Events{"4:0@10,20 wheel -120"}), Pointer("click 5", 1));
    Events drag = Pointer("mousedown 3 mousemove" + window + " 50 60 mouseup 3", 3);
    ASSERT_GE(drag.size(), 3u);
    EXPECT_EQ("1:2@10,20", drag.front());
    EXPECT_EQ("0:2@50,60", drag.end()[-2]) << "moves carry the held button";
    EXPECT_EQ("2:2@50,60", drag.back());
}
