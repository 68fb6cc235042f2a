#include "gralith/utils/scenegraph/Camera.h"

#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/NamedSlots.h"

namespace Gralith::Utils::SceneGraph {

const char* const Camera::SlotNames[SlotCount] = {"xfov", "yfov", "aspect_ratio", "znear", "zfar"};

Camera::~Camera() { ReleaseNamed(parameters); }

void Camera::SetParameter(const String& n, Animation* animation) {
    SetNamedSlot(parameters, parameterNames, slots, SlotNames, SlotCount, n, animation);
}

Animation* Camera::GetParameter(const String& n) const { return FindNamed(parameters, parameterNames, n); }

} // namespace Gralith::Utils::SceneGraph
