#include "SceneTestSupport.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Asset.h"
#include "gralith/utils/assets/Proxy.h"

namespace SceneTestSupport {

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;

InputStream* MemoryFileSystem::Open(String path) {
    auto it = files.find(path.CStr());
    if (it == files.end())
        throw Exception((String("File not found: ") + path).CStr(), 6);
    return new MemoryInputStream(it->second.data(), static_cast<int>(it->second.size()));
}

Asset* StandInLoader::Load(int type, String path, Proxy* proxy) {
    requests.push_back(path.CStr());
    Graphics::Device* device = proxy->GetDevice();
    if (type == 2)
        return new WrapperAsset<Graphics::Texture*, 2>(
            device->CreateTexture2D(1, 1, Graphics::PixelFormatR8G8B8A8, false));
    Graphics::Shader* vs = device->CreateShader(Graphics::VertexShader, 0, "main", 0, "vs");
    Graphics::Shader* ps = device->CreateShader(Graphics::PixelShader, 0, "main", 0, "ps");
    Graphics::Program* program = device->CreateProgram(vs, ps);
    vs->Release();
    ps->Release();
    return new WrapperAsset<Graphics::Program*, 7>(program);
}

} // namespace SceneTestSupport
