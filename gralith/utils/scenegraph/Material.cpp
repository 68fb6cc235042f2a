#include "gralith/utils/scenegraph/Material.h"

#include "gralith/graphics/Program.h"
#include "gralith/graphics/Texture.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/NamedSlots.h"

namespace Gralith::Utils::SceneGraph {

const char* const Material::SlotNames[SlotCount] = {"emission",     "ambient",     "diffuse",
                                                    "specular",     "shininess",   "reflective",
                                                    "reflectivity", "transparent", "transparency"};

Material::Material() = default;

Material::~Material() {
    ReleaseNamed(animations);
    ReleaseNamed(textures);
}

void Material::SetAnimation(const String& n, Animation* animation) {
    SetNamedSlot(animations, animationNames, animationSlots, SlotNames, SlotCount, n, animation);
}

void Material::SetTexture(const String& n, Graphics::Texture* texture) {
    if (texture)
        texture->AddRef();
    SetNamedSlot(textures, textureNames, textureSlots, SlotNames, SlotCount, n, texture);
}

void Material::SetProgram(Graphics::Program* p) { program.Reset(p); }

Animation* Material::GetAnimation(const String& n) const { return FindNamed(animations, animationNames, n); }

Graphics::Texture* Material::GetTexture(const String& n) const { return FindNamed(textures, textureNames, n); }

} // namespace Gralith::Utils::SceneGraph
