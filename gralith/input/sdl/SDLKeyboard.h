#pragma once

#include "gralith/input/EventRing.h"
#include "gralith/input/Keyboard.h"

namespace Gralith::Input {

/// The keyboard queue of an SDL input context.
class SDLKeyboard : public Keyboard {
public:
    bool HasNextEvent() override;
    void GetNextEvent(KeyboardEvent& event) override;

    void Push(const KeyboardEvent& event) { ring.Push(event); }
    const EventRing<KeyboardEvent>& GetRing() const { return ring; }

private:
    EventRing<KeyboardEvent> ring;
};

} // namespace Gralith::Input
