#include "gralith/input/sdl/SDLInputContext.h"
#include "gralith/input/sdl/SDLJoystick.h"
#include "gralith/window/Window.h"

#include <SDL.h>

#include <gtest/gtest.h>

using namespace Gralith::Input;

namespace {

// Joysticks need no window events, so a window that is only an address will do.
class AddressOnlyWindow : public Gralith::Window {
public:
    void SetPosition(int, int) override {}
    void SetTitle(const Gralith::Utils::String&) override {}
    void* GetHandle() override { return nullptr; }
    int GetWidth() override { return 1; }
    int GetHeight() override { return 1; }
};

} // namespace

TEST(Joystick, VirtualControllerReadsAfterUpdate) {
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_JOYSTICK)) << SDL_GetError();
    auto* window = new AddressOnlyWindow;
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 12, 1);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* raw = SDL_JoystickOpen(index);
    ASSERT_NE(nullptr, raw);

    auto* context = new SDLInputContext(window);
    ASSERT_EQ(SDL_NumJoysticks(), context->GetJoystickCount());
    Joystick* joystick = context->GetJoystick(index);
    ASSERT_NE(nullptr, joystick);
    EXPECT_EQ(6, joystick->GetAxisCount());
    EXPECT_EQ(12, joystick->GetButtonCount());
    // Nothing is read before the first Update.
    EXPECT_FLOAT_EQ(0.0f, joystick->GetAxis(0));
    EXPECT_FALSE(joystick->GetButton(3));

    SDL_JoystickSetVirtualAxis(raw, 0, -32768);
    SDL_JoystickSetVirtualAxis(raw, 1, 0);
    SDL_JoystickSetVirtualAxis(raw, 2, 32767);
    SDL_JoystickSetVirtualButton(raw, 3, SDL_PRESSED);
    SDL_JoystickSetVirtualHat(raw, 0, SDL_HAT_RIGHT);
    joystick->Update();

    EXPECT_FLOAT_EQ(-1.0f, joystick->GetAxis(0));
    EXPECT_FLOAT_EQ(0.0f, joystick->GetAxis(1));
    EXPECT_NEAR(0.99997f, joystick->GetAxis(2), 1e-5f);
    // Axes the controller lacks rest at the centre.
    EXPECT_FLOAT_EQ(0.0f, joystick->GetAxis(7));
    EXPECT_TRUE(joystick->GetButton(3));
    EXPECT_FALSE(joystick->GetButton(2));
    EXPECT_FALSE(joystick->GetButton(128));
    EXPECT_FLOAT_EQ(9000.0f, joystick->GetAxis(8));
    EXPECT_FLOAT_EQ(4294967295.0f, joystick->GetAxis(9));
    EXPECT_FLOAT_EQ(0.0f, joystick->GetAxis(64));

    SDL_JoystickSetVirtualHat(raw, 0, SDL_HAT_LEFTUP);
    SDL_JoystickSetVirtualButton(raw, 3, SDL_RELEASED);
    joystick->Update();
    EXPECT_FLOAT_EQ(31500.0f, joystick->GetAxis(8));
    EXPECT_FALSE(joystick->GetButton(3));

    context->Release();
    SDL_JoystickClose(raw);
    SDL_JoystickDetachVirtual(index);
    window->Release();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}
