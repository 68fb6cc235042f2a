#include "gralith/input/sdl/SDLJoystick.h"

#include <SDL.h>

#include <algorithm>

namespace Gralith::Input {

namespace {

constexpr int PositionAxes = 8;
constexpr int HatAxes = 4;

// Point-of-view values in hundredths of a degree, clockwise from up.
uint32_t HatAngle(Uint8 hat) {
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return 0xFFFFFFFFu;
    }
}

} // namespace

SDLJoystick* SDLJoystick::Open(int deviceIndex) {
    SDL_Joystick* device = SDL_JoystickOpen(deviceIndex);
    return device ? new SDLJoystick(device) : nullptr;
}

SDLJoystick::SDLJoystick(SDL_Joystick* device)
    : buttonCount(std::max(0, SDL_JoystickNumButtons(device))), axisCount(std::max(0, SDL_JoystickNumAxes(device))),
      device(device) {}

SDLJoystick::~SDLJoystick() { SDL_JoystickClose(device); }

int SDLJoystick::GetButtonCount() { return buttonCount; }

int SDLJoystick::GetAxisCount() { return axisCount; }

bool SDLJoystick::GetButton(int index) { return index >= 0 && index < ButtonSlots && buttons[index] != 0; }

float SDLJoystick::GetAxis(int index) { return index >= 0 && index < AxisSlots ? axes[index] : 0.0f; }

float SDLJoystick::AxisFromRaw(uint32_t raw) {
    float value = static_cast<float>(raw) * (1.0f / 32768.0f) - 1.0f;
    return std::clamp(value, -1.0f, 1.0f);
}

void SDLJoystick::Update() {
    SDL_JoystickUpdate();
    // A controller that went away keeps its last state, like one held by another program.
    if (!SDL_JoystickGetAttached(device))
        return;
    for (int i = 0; i < ButtonSlots; ++i)
        buttons[i] = i < buttonCount ? SDL_JoystickGetButton(device, i) : 0;
    for (int i = 0; i < PositionAxes; ++i) {
        // SDL reports -32768...32767; the engine's raw range is 0...65535.
        int32_t position = i < axisCount ? SDL_JoystickGetAxis(device, i) : 0;
        axes[i] = AxisFromRaw(static_cast<uint32_t>(position + 32768));
    }
    int hats = SDL_JoystickNumHats(device);
    for (int i = 0; i < HatAxes; ++i)
        axes[PositionAxes + i] =
            static_cast<float>(HatAngle(i < hats ? SDL_JoystickGetHat(device, i) : SDL_HAT_CENTERED));
}

} // namespace Gralith::Input
