#include "gralith/utils/scenegraph/Light.h"

#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/NamedSlots.h"

namespace Gralith::Utils::SceneGraph {

const char* const Light::SlotNames[SlotCount] = {
    "color",         "constant_attenuation", "linear_attenuation", "quadratic_attenuation",
    "falloff_angle", "falloff_exponent"};

Light::~Light() { ReleaseNamed(parameters); }

void Light::SetParameter(const String& n, Animation* animation) {
    SetNamedSlot(parameters, parameterNames, slots, SlotNames, SlotCount, n, animation);
}

Animation* Light::GetParameter(const String& n) const { return FindNamed(parameters, parameterNames, n); }

} // namespace Gralith::Utils::SceneGraph
