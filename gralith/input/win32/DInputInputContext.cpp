#include "gralith/input/win32/DInputInputContext.h"

#include "gralith/input/win32/DInputJoystick.h"
#include "gralith/input/win32/Win32Keyboard.h"
#include "gralith/input/win32/Win32Mouse.h"
#include "gralith/window/win32/Win32Window.h"

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

#include <utility>
#include <vector>

namespace Gralith::Input {

namespace {

// Living contexts in creation order; the newest one for a window is registered for it.
std::vector<std::pair<void*, DInputInputContext*>>& Living() {
    static std::vector<std::pair<void*, DInputInputContext*>> living;
    return living;
}

BOOL CALLBACK CollectController(const DIDEVICEINSTANCEW* instance, void* found) {
    static_cast<std::vector<GUID>*>(found)->push_back(instance->guidInstance);
    return DIENUM_CONTINUE;
}

} // namespace

DInputInputContext::DInputInputContext(Window* window)
    : keyboard(new Win32Keyboard), mouse(new Win32Mouse(window->GetHandle())), window(window),
      handle(window->GetHandle()) {
    window->AddRef();
    try {
        OpenControllers();
    } catch (...) {
        for (Joystick* joystick : joysticks)
            joystick->Release();
        if (directInput)
            static_cast<IDirectInput8W*>(directInput)->Release();
        keyboard->Release();
        mouse->Release();
        window->Release();
        throw;
    }
    Living().emplace_back(handle, this);
    Win32Window::SetInputContext(handle, this);
}

void DInputInputContext::OpenControllers() {
    IDirectInput8W* input = nullptr;
    HRESULT result = DirectInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W,
                                        reinterpret_cast<void**>(&input), nullptr);
    if (FAILED(result) || !input)
        return;
    directInput = input;
    // Collected first: a device opened inside the enumeration callback could not report a
    // failure through DirectInput's C interface.
    std::vector<GUID> found;
    input->EnumDevices(DI8DEVCLASS_GAMECTRL, &CollectController, &found, DIEDFL_ATTACHEDONLY);
    for (const GUID& guid : found)
        if (DInputJoystick* joystick = DInputJoystick::Open(input, &guid, handle))
            joysticks.Add(joystick);
}

DInputInputContext::~DInputInputContext() {
    auto& living = Living();
    Context* newest = nullptr;
    for (auto entry = living.begin(); entry != living.end();) {
        if (entry->second == this) {
            entry = living.erase(entry);
            continue;
        }
        if (entry->first == handle)
            newest = entry->second;
        ++entry;
    }
    if (Win32Window::GetInputContext(handle) == this)
        Win32Window::SetInputContext(handle, newest);
    for (Joystick* joystick : joysticks)
        joystick->Release();
    if (directInput)
        static_cast<IDirectInput8W*>(directInput)->Release();
    keyboard->Release();
    mouse->Release();
    window->Release();
}

void DInputInputContext::PushKeyboardEvent(uint32_t keyCode, uint32_t state) {
    keyboard->Push(KeyboardEvent{keyCode, state});
}

void DInputInputContext::PushMouseEvent(uint32_t buttons, uint32_t x, uint32_t y, uint32_t reserved0,
                                        uint32_t reserved1, int32_t wheel, uint32_t type) {
    mouse->Push(MouseEvent{buttons, x, y, reserved0, reserved1, wheel, type});
}

int DInputInputContext::GetJoystickCount() { return joysticks.Count(); }

Joystick* DInputInputContext::GetJoystick(int index) {
    return index >= 0 && index < joysticks.Count() ? joysticks[index] : nullptr;
}

Keyboard* DInputInputContext::GetKeyboard() { return keyboard; }

Mouse* DInputInputContext::GetMouse() { return mouse; }

} // namespace Gralith::Input
