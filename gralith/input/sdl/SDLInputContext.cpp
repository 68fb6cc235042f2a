#include "gralith/input/sdl/SDLInputContext.h"

#include "gralith/input/sdl/SDLJoystick.h"
#include "gralith/input/sdl/SDLKeyMap.h"
#include "gralith/input/sdl/SDLKeyboard.h"
#include "gralith/input/sdl/SDLMouse.h"
#include "gralith/window/Window.h"

#include <SDL.h>

#include <cmath>
#include <utility>
#include <vector>

namespace Gralith::Input {

namespace {

// Contexts in creation order; the newest one for a window receives its events.
std::vector<std::pair<Window*, SDLInputContext*>>& Registry() {
    static std::vector<std::pair<Window*, SDLInputContext*>> registry;
    return registry;
}

int SDLCALL WatchEvents(void* userData, SDL_Event* event) {
    static_cast<SDLInputContext*>(userData)->HandleEvent(*event);
    return 1;
}

uint32_t HeldButtons(Uint32 state) {
    uint32_t buttons = 0;
    if (state & SDL_BUTTON_LMASK)
        buttons |= MouseButtonLeft;
    if (state & SDL_BUTTON_RMASK)
        buttons |= MouseButtonRight;
    if (state & SDL_BUTTON_MMASK)
        buttons |= MouseButtonMiddle;
    return buttons;
}

uint32_t ButtonBit(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButtonLeft;
    case SDL_BUTTON_RIGHT: return MouseButtonRight;
    case SDL_BUTTON_MIDDLE: return MouseButtonMiddle;
    case SDL_BUTTON_X1: return MouseButtonExtra1;
    case SDL_BUTTON_X2: return MouseButtonExtra2;
    default: return 0;
    }
}

// Positions travel as the low 16 bits, as in the platform's mouse messages.
uint32_t Coordinate(Sint32 value) { return static_cast<uint32_t>(value) & 0xFFFFu; }

// Decodes one UTF-8 sequence at text[i], advancing i; malformed bytes decode as themselves.
uint32_t NextCodePoint(const unsigned char* text, size_t& i) {
    unsigned char lead = text[i++];
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead < 0x80 || extra == 0)
        return lead;
    uint32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if ((text[i] & 0xC0) != 0x80)
            return lead;
        code = (code << 6) | (text[i++] & 0x3F);
    }
    return code;
}

} // namespace

SDLInputContext::SDLInputContext(Window* window)
    : keyboard(new SDLKeyboard), mouse(new SDLMouse(window)), window(window) {
    window->AddRef();
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    // Controllers are optional: without the joystick subsystem there are simply none.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {
        int count = SDL_NumJoysticks();
        for (int i = 0; i < count; ++i)
            if (SDLJoystick* joystick = SDLJoystick::Open(i))
                joysticks.Add(joystick);
    }
    SDL_StartTextInput();
    Registry().emplace_back(window, this);
    SDL_AddEventWatch(WatchEvents, this);
}

SDLInputContext::~SDLInputContext() {
    SDL_DelEventWatch(WatchEvents, this);
    auto& registry = Registry();
    for (auto entry = registry.begin(); entry != registry.end(); ++entry)
        if (entry->second == this) {
            registry.erase(entry);
            break;
        }
    for (Joystick* joystick : joysticks)
        joystick->Release();
    if (SDL_WasInit(SDL_INIT_JOYSTICK))
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    keyboard->Release();
    mouse->Release();
    window->Release();
}

SDLInputContext* SDLInputContext::GetRegistered(Window* window) {
    auto& registry = Registry();
    for (auto entry = registry.rbegin(); entry != registry.rend(); ++entry)
        if (entry->first == window)
            return entry->second;
    return nullptr;
}

void SDLInputContext::PushKeyboardEvent(uint32_t keyCode, uint32_t state) {
    keyboard->Push(KeyboardEvent{keyCode, state});
}

void SDLInputContext::PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t reserved0, uint32_t reserved1,
                                     int32_t wheel, uint32_t type) {
    mouse->Push(MouseEvent{buttons, x, y, reserved0, reserved1, wheel, type});
}

int SDLInputContext::GetJoystickCount() { return joysticks.Count(); }

Joystick* SDLInputContext::GetJoystick(int index) {
    return index >= 0 && index < joysticks.Count() ? joysticks[index] : nullptr;
}

Keyboard* SDLInputContext::GetKeyboard() { return keyboard; }

Mouse* SDLInputContext::GetMouse() { return mouse; }

bool SDLInputContext::IsForMyWindow(uint32_t windowID) const {
    if (GetRegistered(window) != this)
        return false;
    SDL_Window* target = SDL_GetWindowFromID(windowID);
    return target != nullptr && target == window->GetHandle();
}

void SDLInputContext::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (!IsForMyWindow(event.key.windowID))
            return;
        bool down = event.type == SDL_KEYDOWN;
        uint32_t code = TranslateSDLKey(event.key.keysym.sym, event.key.keysym.scancode);
        if (code != 0)
            PushKeyboardEvent(code, down ? KeyPressed : KeyReleased);
        // SDL sends no text for control characters; Windows does, right after the key press.
        if (down)
            if (uint32_t character = ControlCharacterOfSDLKey(event.key.keysym.sym))
                PushKeyboardEvent(character, KeyCharacter);
        break;
    }
    case SDL_TEXTINPUT: {
        if (!IsForMyWindow(event.text.windowID))
            return;
        const auto* text = reinterpret_cast<const unsigned char*>(event.text.text);
        size_t i = 0;
        while (i < sizeof event.text.text && text[i] != 0)
            PushKeyboardEvent(NextCodePoint(text, i), KeyCharacter);
        break;
    }
    case SDL_MOUSEMOTION:
        if (!IsForMyWindow(event.motion.windowID))
            return;
        PushMouseEvent(HeldButtons(event.motion.state), Coordinate(event.motion.x), Coordinate(event.motion.y), 0, 0, 0,
                       MouseMove);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (!IsForMyWindow(event.button.windowID))
            return;
        uint32_t bit = ButtonBit(event.button.button);
        if (bit == 0)
            return;
        uint32_t type = event.type == SDL_MOUSEBUTTONUP ? MouseButtonUp : MouseButtonDown;
        // Every second click of the left, right or middle button in quick succession is a
        // double click; the extra buttons have no double clicks.
        if (type == MouseButtonDown && bit <= MouseButtonMiddle && event.button.clicks >= 2 &&
            event.button.clicks % 2 == 0)
            type = MouseDoubleClick;
        PushMouseEvent(bit, Coordinate(event.button.x), Coordinate(event.button.y), 0, 0, 0, type);
        break;
    }
    case SDL_MOUSEWHEEL: {
        if (!IsForMyWindow(event.wheel.windowID))
            return;
        float notches = event.wheel.preciseY;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            notches = -notches;
        auto delta = static_cast<int32_t>(std::lround(notches * 120.0f));
        if (delta == 0)
            return;
        PushMouseEvent(HeldButtons(SDL_GetMouseState(nullptr, nullptr)), Coordinate(event.wheel.mouseX),
                       Coordinate(event.wheel.mouseY), 0, 0, delta, MouseWheel);
        break;
    }
    default: break;
    }
}

} // namespace Gralith::Input
