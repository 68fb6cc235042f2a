#pragma once

#include "gralith/input/Joystick.h"

#include <cstdint>

struct _SDL_Joystick;

namespace Gralith::Input {

/// A game controller opened through SDL's joystick layer, read on Update.
class SDLJoystick : public Joystick {
public:
    /// Opens SDL joystick deviceIndex; null when it cannot be opened.
    static SDLJoystick* Open(int deviceIndex);
    ~SDLJoystick() override;

    int GetButtonCount() override;
    int GetAxisCount() override;
    bool GetButton(int index) override;
    float GetAxis(int index) override;
    void Update() override;

    /// An axis position 0...65535 as -1...1 (32768 is the centre).
    static float AxisFromRaw(uint32_t raw);

private:
    explicit SDLJoystick(_SDL_Joystick* device);

    static constexpr int ButtonSlots = 128;
    static constexpr int AxisSlots = 64;

    unsigned char buttons[ButtonSlots] = {};
    float axes[AxisSlots] = {};
    int buttonCount;
    int axisCount;
    _SDL_Joystick* device;
};

} // namespace Gralith::Input
