#include "gralith/utils/assets/loaders/ProgramLoader.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/LoaderSupport.h"

namespace Gralith::Utils::Assets::Loaders {

namespace {

template <int Type>
Graphics::Shader* GetShader(Proxy* proxy, const String& descriptor) {
    auto* asset = dynamic_cast<WrapperAsset<Graphics::Shader*, Type>*>(proxy->Get(Type, descriptor, nullptr));
    if (!asset)
        throw UtilsException(String(Messages::NotAShader) + descriptor);
    return asset->GetValue();
}

} // namespace

Asset* ProgramLoader::Load(int type, String path, Proxy* proxy) {
    if (type != AssetProgram)
        return nullptr;

    Array<String> parts;
    path.Split(';', parts);
    if (parts.Count() == 1)
        parts.Add(parts[0]);

    Graphics::Shader* vertex = GetShader<AssetVertexShader>(proxy, parts[0]);
    Graphics::Shader* pixel = GetShader<AssetPixelShader>(proxy, parts[1]);
    Graphics::Program* program;
    if (parts.Count() > 2) {
        Graphics::Shader* geometry = GetShader<AssetGeometryShader>(proxy, parts[2]);
        program = DeviceOf(proxy)->CreateProgram(vertex, pixel, geometry);
    } else {
        program = DeviceOf(proxy)->CreateProgram(vertex, pixel);
    }

    auto* asset = new WrapperAsset<Graphics::Program*, AssetProgram>(program);
    asset->SetName(path);
    return asset;
}

bool ProgramLoader::CanLoad(int type) { return type == AssetProgram; }

String ProgramLoader::GetName() { return "ProgramLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
