#include "gralith/input/win32/DInputJoystick.h"

#include "gralith/Exception.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#include <dinput.h>

#include <algorithm>

namespace Gralith::Input {

static_assert(sizeof(DIJOYSTATE2) == DInputJoystick::StateSize, "the extended joystick state is 272 bytes");

namespace {

IDirectInputDevice8W* Device(void* device) { return static_cast<IDirectInputDevice8W*>(device); }

} // namespace

DInputJoystick* DInputJoystick::Open(void* directInput, const void* instanceGuid, void* window) {
    IDirectInputDevice8W* device = nullptr;
    HRESULT result = static_cast<IDirectInput8W*>(directInput)
                         ->CreateDevice(*static_cast<const GUID*>(instanceGuid), &device, nullptr);
    if (FAILED(result) || !device)
        return nullptr;
    // The joystick owns the device from here, and releases it when a step below throws.
    auto* joystick = new DInputJoystick(device);
    try {
        DIDEVCAPS caps = {};
        caps.dwSize = sizeof caps;
        if (SUCCEEDED(device->GetCapabilities(&caps))) {
            joystick->axisCount = static_cast<int>(caps.dwAxes);
            joystick->buttonCount = static_cast<int>(caps.dwButtons);
        }
        if (FAILED(device->SetDataFormat(&c_dfDIJoystick2)))
            throw Exception("Unable to set data format for input device");
        if (FAILED(device->SetCooperativeLevel(static_cast<HWND>(window), DISCL_EXCLUSIVE | DISCL_FOREGROUND)))
            throw Exception("Unable to set cooperative level for input device");
    } catch (...) {
        joystick->Release();
        throw;
    }
    return joystick;
}

DInputJoystick::DInputJoystick(void* device) : device(device) {}

DInputJoystick::~DInputJoystick() {
    Device(device)->Unacquire();
    Device(device)->Release();
}

int DInputJoystick::GetButtonCount() { return buttonCount; }

int DInputJoystick::GetAxisCount() { return axisCount; }

bool DInputJoystick::GetButton(int index) { return index >= 0 && index < ButtonSlots && buttons[index] != 0; }

float DInputJoystick::GetAxis(int index) { return index >= 0 && index < AxisSlots ? axes[index] : 0.0f; }

float DInputJoystick::AxisFromRaw(long raw) {
    float value = static_cast<float>(raw) * (1.0f / 32768.0f) - 1.0f;
    return std::clamp(value, -1.0f, 1.0f);
}

void DInputJoystick::Decode(const void* state, unsigned char* buttons, float* axes) {
    const auto* joystick = static_cast<const DIJOYSTATE2*>(state);
    for (int i = 0; i < 128; ++i)
        buttons[i] = joystick->rgbButtons[i] != 0 ? 1 : 0;
    const LONG positions[8] = {joystick->lX,  joystick->lY,  joystick->lZ,           joystick->lRx,
                               joystick->lRy, joystick->lRz, joystick->rglSlider[0], joystick->rglSlider[1]};
    for (int i = 0; i < 8; ++i)
        axes[i] = AxisFromRaw(positions[i]);
    for (int i = 0; i < 4; ++i)
        axes[8 + i] = static_cast<float>(joystick->rgdwPOV[i]);
}

void DInputJoystick::Update() {
    IDirectInputDevice8W* input = Device(device);
    HRESULT result = input->Acquire();
    if (result == DIERR_INVALIDPARAM)
        throw Exception("Unable to acquire input device: Invalid parameter");
    if (result == DIERR_NOTINITIALIZED)
        throw Exception("Unable to acquire input device: Not initialized");
    // Held by another application, this window in the background, or unplugged: keep the
    // last state.
    if (FAILED(result))
        return;
    result = input->Poll();
    if (result != DI_OK && result != DI_NOEFFECT) {
        input->Unacquire();
        throw Exception("Unable to poll input device");
    }
    DIJOYSTATE2 state;
    if (SUCCEEDED(input->GetDeviceState(sizeof state, &state)))
        Decode(&state, buttons, axes);
    input->Unacquire();
}

} // namespace Gralith::Input
