#include "gralith/utils/assets/loaders/ShaderLoader.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/Shader.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/LoaderSupport.h"

namespace Gralith::Utils::Assets::Loaders {

Asset* ShaderLoader::Load(int type, String path, Proxy* proxy) {
    if (type != AssetVertexShader && type != AssetPixelShader)
        return nullptr;

    Array<String> parts;
    path.Split(':', parts);
    String source = proxy->GetText(parts[0], nullptr);
    if (parts.Count() == 1)
        parts.Add(type == AssetVertexShader ? DefaultVertexEntry : DefaultPixelEntry);

    Graphics::Shader* shader =
        DeviceOf(proxy)->CreateShader(type == AssetVertexShader ? Graphics::VertexShader : Graphics::PixelShader, 0,
                                      parts[1].CStr(), 0, source.CStr());
    Asset* asset;
    if (type == AssetVertexShader)
        asset = new WrapperAsset<Graphics::Shader*, AssetVertexShader>(shader);
    else
        asset = new WrapperAsset<Graphics::Shader*, AssetPixelShader>(shader);
    asset->SetName(path);
    return asset;
}

bool ShaderLoader::CanLoad(int type) { return type == AssetVertexShader || type == AssetPixelShader; }

String ShaderLoader::GetName() { return "ShaderLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
