#pragma once

#include "gralith/input/Joystick.h"

namespace Gralith::Input {

/// A game controller opened through DirectInput 8 with the extended joystick data format,
/// acquired exclusively while its window is in the foreground and read on Update.
class DInputJoystick : public Joystick {
public:
    /// Size of the extended joystick state record that Update reads.
    static constexpr int StateSize = 272;

    /// Opens the controller instanceGuid (a GUID) of directInput (an IDirectInput8W) for window
    /// (an HWND). Null when the platform cannot create the device; throws "Unable to set data
    /// format for input device" or "Unable to set cooperative level for input device".
    static DInputJoystick* Open(void* directInput, const void* instanceGuid, void* window);
    ~DInputJoystick() override;

    int GetButtonCount() override;
    int GetAxisCount() override;
    bool GetButton(int index) override;
    float GetAxis(int index) override;
    /// Acquires, polls and reads the device, then releases it. While another application holds
    /// it (or this window is in the background) the previous state stays. Throws "Unable to
    /// acquire input device: Invalid parameter" / "...: Not initialized", or "Unable to poll
    /// input device".
    void Update() override;

    /// Decodes a state record of StateSize bytes: buttons 0...127 (1 pressed), axes 0...7 (X, Y,
    /// Z, rotations, two sliders) as -1...1 and axes 8...11 the point-of-view hats.
    static void Decode(const void* state, unsigned char* buttons, float* axes);
    /// An axis position 0...65535 as -1...1 (32768 is the centre), limited to that range.
    static float AxisFromRaw(long raw);

private:
    explicit DInputJoystick(void* device);

    static constexpr int ButtonSlots = 128;
    static constexpr int AxisSlots = 64;

    unsigned char buttons[ButtonSlots] = {};
    float axes[AxisSlots] = {};
    int buttonCount = 0;
    int axisCount = 0;
    void* device;
};

} // namespace Gralith::Input
