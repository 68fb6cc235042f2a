#pragma once

#include "gralith/Object.h"
#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

#include <string>
#include <unordered_map>

namespace Gralith::Utils::SceneGraph {

class Animation;
class Node;

/// A camera's animated parameters by name, the five common ones also in slots, and the node
/// it is attached to.
class Camera : public Object {
public:
    enum Slot { XFov, YFov, AspectRatio, ZNear, ZFar };
    static constexpr int SlotCount = 5;
    /// "xfov", "yfov", "aspect_ratio", "znear", "zfar".
    static const char* const SlotNames[SlotCount];

    Camera() = default;
    ~Camera() override;
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    /// Takes over the caller's reference; replaces (and releases) a parameter of that name.
    void SetParameter(const String& name, Animation* animation);
    Animation* GetParameter(int slot) const { return slot >= 0 && slot < SlotCount ? slots[slot] : nullptr; }
    Animation* GetParameter(const String& name) const;
    const Map<String, Animation*>& GetParameters() const { return parameters; }

    /// The node the camera hangs on (not owned; may be null).
    Node* GetTarget() const { return target; }
    void SetTarget(Node* node) { target = node; }

    const String& GetName() const { return name; }
    const String& GetId() const { return id; }
    void SetName(const String& n) { name = n; }
    void SetId(const String& i) { id = i; }

private:
    Map<String, Animation*> parameters;
    std::unordered_map<std::string, int> parameterNames;
    Animation* slots[SlotCount] = {};
    String name;
    String id;
    Node* target = nullptr;
};

} // namespace Gralith::Utils::SceneGraph
