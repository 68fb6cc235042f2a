#pragma once

#include "gralith/Object.h"

namespace Gralith::Input {

/// A polled game controller. Update reads the device; the getters answer the state of the
/// last Update (all released and centred before the first).
class Joystick : public Object {
public:
    virtual int GetButtonCount() = 0;
    virtual int GetAxisCount() = 0;
    /// Button 0...127; false outside that range.
    virtual bool GetButton(int index) = 0;
    /// Axes 0...7 run from -1 to 1 (X, Y, Z, rotation X, Y, Z, two sliders); axes 8...11 are
    /// the point-of-view hats in hundredths of a degree, 4294967295 when centred. 0 outside 0...63.
    virtual float GetAxis(int index) = 0;
    virtual void Update() = 0;
};

} // namespace Gralith::Input
