// The parts of Proxy that need the types of other subsystems: the collaborators' references and
// the typed getters. Each subsystem's header is included only once it exists, so the asset
// system builds before (and without) the graphics, sound and scene code.
#include "gralith/utils/assets/Proxy.h"

#include "gralith/Exception.h"

#if __has_include("gralith/graphics/Device.h")
#include "gralith/graphics/Device.h"
#define GRALITH_PROXY_HAS_GRAPHICS_DEVICE 1
#endif
#if __has_include("gralith/sound/Device.h")
#include "gralith/sound/Device.h"
#define GRALITH_PROXY_HAS_SOUND_DEVICE 1
#endif
#if __has_include("gralith/utils/State.h")
#include "gralith/utils/State.h"
#define GRALITH_PROXY_HAS_STATE 1
#endif
#if __has_include("gralith/utils/assets/Scene.h")
#include "gralith/utils/assets/Scene.h"
#define GRALITH_PROXY_HAS_SCENE 1
#endif

namespace Gralith::Utils::Assets {

namespace {

// A wrapped value of the wanted wrapper type, or a clear failure when a loader produced some
// other asset under that type id.
template <class Wrapper>
auto Unwrap(Asset* asset, const String& descriptor, const char* what)
{
    auto* wrapper = dynamic_cast<Wrapper*>(asset);
    if (!wrapper)
        throw Exception((String("Asset is not a ") + what + ": " + descriptor).CStr());
    return wrapper->GetValue();
}

} // namespace

void Proxy::RetainCollaborators()
{
#ifdef GRALITH_PROXY_HAS_GRAPHICS_DEVICE
    if (device)
        device->AddRef();
#endif
#ifdef GRALITH_PROXY_HAS_STATE
    if (state)
        state->AddRef();
#endif
#ifdef GRALITH_PROXY_HAS_SOUND_DEVICE
    if (soundDevice)
        soundDevice->AddRef();
#endif
}

void Proxy::ReleaseCollaborators()
{
#ifdef GRALITH_PROXY_HAS_GRAPHICS_DEVICE
    if (device)
        device->Release();
#endif
#ifdef GRALITH_PROXY_HAS_STATE
    if (state)
        state->Release();
#endif
#ifdef GRALITH_PROXY_HAS_SOUND_DEVICE
    if (soundDevice)
        soundDevice->Release();
#endif
}

Graphics::Texture* Proxy::GetTexture(String descriptor, void* owner)
{
    return Unwrap<WrapperAsset<Graphics::Texture*, AssetTexture>>(Get(AssetTexture, descriptor, owner), descriptor,
                                                                   "texture");
}

Graphics::Program* Proxy::GetProgram(String descriptor, void* owner)
{
    return Unwrap<WrapperAsset<Graphics::Program*, AssetProgram>>(Get(AssetProgram, descriptor, owner), descriptor,
                                                                   "program");
}

Scene* Proxy::GetScene(String descriptor, void* owner)
{
    Asset* asset = Get(AssetScene, descriptor, owner);
#ifdef GRALITH_PROXY_HAS_SCENE
    if (auto* scene = dynamic_cast<Scene*>(asset))
        return scene;
#else
    (void)asset;
#endif
    throw Exception((String("Asset is not a scene: ") + descriptor).CStr());
}

} // namespace Gralith::Utils::Assets
