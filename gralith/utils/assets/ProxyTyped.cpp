// The typed getters: each checks that the loader really produced the wrapper it asks for.
#include "gralith/utils/assets/Proxy.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/assets/TextAsset.h"

namespace Gralith::Utils::Assets {

namespace {

// A wrapped value of the wanted wrapper type, or a clear failure when a loader produced some
// other asset under that type id.
template <class Wrapper>
auto Unwrap(Asset* asset, const String& descriptor, const char* what) {
    auto* wrapper = dynamic_cast<Wrapper*>(asset);
    if (!wrapper)
        throw Exception((String(Messages::NotATypeBegin) + what + ": " + descriptor).CStr());
    return wrapper->GetValue();
}

} // namespace

String Proxy::GetText(String descriptor, void* owner) {
    Asset* asset = Get(AssetText, descriptor, owner);
    auto* text = dynamic_cast<TextAsset*>(asset);
    if (!text)
        throw Exception((String(Messages::NotAText) + descriptor).CStr());
    return text->GetText();
}

Graphics::Texture* Proxy::GetTexture(String descriptor, void* owner) {
    return Unwrap<WrapperAsset<Graphics::Texture*, AssetTexture>>(Get(AssetTexture, descriptor, owner), descriptor,
                                                                  "texture");
}

Graphics::Program* Proxy::GetProgram(String descriptor, void* owner) {
    return Unwrap<WrapperAsset<Graphics::Program*, AssetProgram>>(Get(AssetProgram, descriptor, owner), descriptor,
                                                                  "program");
}

Scene* Proxy::GetScene(String descriptor, void* owner) {
    auto* scene = dynamic_cast<Scene*>(Get(AssetScene, descriptor, owner));
    if (!scene)
        throw Exception((String(Messages::NotAScene) + descriptor).CStr());
    return scene;
}

} // namespace Gralith::Utils::Assets
