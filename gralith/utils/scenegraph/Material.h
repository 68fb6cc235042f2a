#pragma once

#include "gralith/Object.h"
#include "gralith/Ref.h"
#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

#include <string>
#include <unordered_map>

namespace Gralith::Graphics {
class Texture;
class Program;
} // namespace Gralith::Graphics

namespace Gralith::Utils::SceneGraph {

class Animation;

/// Surface description of a batch: animated parameters and textures by parameter name, the
/// nine common parameters also in fixed slots, and an optional shader program.
class Material : public Object {
public:
    /// Slot indexes of the known parameter names, in the order of SlotNames.
    enum Slot { Emission, Ambient, Diffuse, Specular, Shininess, Reflective, Reflectivity, Transparent, Transparency };
    static constexpr int SlotCount = 9;
    /// "emission", "ambient", "diffuse", "specular", "shininess", "reflective", "reflectivity",
    /// "transparent", "transparency" (case-sensitive).
    static const char* const SlotNames[SlotCount];

    Material();
    ~Material() override;
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    /// Takes over the caller's reference; replaces (and releases) an animation of that name.
    void SetAnimation(const String& name, Animation* animation);
    /// Takes its own reference on texture (textures come borrowed from the asset proxy).
    void SetTexture(const String& name, Graphics::Texture* texture);
    /// Takes its own reference on program; null clears it.
    void SetProgram(Graphics::Program* program);

    Animation* GetAnimation(int slot) const { return slot >= 0 && slot < SlotCount ? animationSlots[slot] : nullptr; }
    Graphics::Texture* GetTexture(int slot) const {
        return slot >= 0 && slot < SlotCount ? textureSlots[slot] : nullptr;
    }
    Animation* GetAnimation(const String& name) const;
    Graphics::Texture* GetTexture(const String& name) const;
    const Map<String, Animation*>& GetAnimations() const { return animations; }
    const Map<String, Graphics::Texture*>& GetTextures() const { return textures; }
    Graphics::Program* GetProgram() const { return program.Get(); }

    const String& GetName() const { return name; }
    const String& GetId() const { return id; }
    void SetName(const String& n) { name = n; }
    void SetId(const String& i) { id = i; }

private:
    Map<String, Animation*> animations;
    Map<String, Graphics::Texture*> textures;
    std::unordered_map<std::string, int> animationNames;
    std::unordered_map<std::string, int> textureNames;
    Animation* animationSlots[SlotCount] = {};
    Graphics::Texture* textureSlots[SlotCount] = {};
    Ref<Graphics::Program> program;
    String name;
    String id;
};

} // namespace Gralith::Utils::SceneGraph
