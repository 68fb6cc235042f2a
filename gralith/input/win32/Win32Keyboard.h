#pragma once

#include "gralith/input/EventRing.h"
#include "gralith/input/Keyboard.h"

namespace Gralith::Input {

/// The keyboard queue of a window, filled by the window procedure.
class Win32Keyboard : public Keyboard {
public:
    bool HasNextEvent() override;
    void GetNextEvent(KeyboardEvent& event) override;

    void Push(const KeyboardEvent& event) { ring.Push(event); }
    const EventRing<KeyboardEvent>& GetRing() const { return ring; }

private:
    EventRing<KeyboardEvent> ring;
};

} // namespace Gralith::Input
