#pragma once

#include "gralith/Object.h"
#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

#include <string>
#include <unordered_map>

namespace Gralith::Utils::SceneGraph {

class Animation;

/// A light's kind and animated parameters by name, the six common ones also in slots.
class Light : public Object {
public:
    enum Type { Ambient = 0, Omni = 1, Spot = 2, Directional = 3 };
    enum Slot { Color, ConstantAttenuation, LinearAttenuation, QuadraticAttenuation, FalloffAngle, FalloffExponent };
    static constexpr int SlotCount = 6;
    /// "color", "constant_attenuation", "linear_attenuation", "quadratic_attenuation",
    /// "falloff_angle", "falloff_exponent".
    static const char* const SlotNames[SlotCount];

    explicit Light(int type) : type(type) {}
    ~Light() override;
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    /// Takes over the caller's reference; replaces (and releases) a parameter of that name.
    void SetParameter(const String& name, Animation* animation);
    Animation* GetParameter(int slot) const { return slot >= 0 && slot < SlotCount ? slots[slot] : nullptr; }
    Animation* GetParameter(const String& name) const;
    const Map<String, Animation*>& GetParameters() const { return parameters; }

    int GetLightType() const { return type; }
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
    int type;
};

} // namespace Gralith::Utils::SceneGraph
