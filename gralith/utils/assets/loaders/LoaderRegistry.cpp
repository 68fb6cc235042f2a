#include "gralith/utils/assets/loaders/LoaderRegistry.h"

#include "gralith/utils/assets/Proxy.h"
// Keep the includes and the list below in the same order.
#include "gralith/utils/assets/loaders/FGMLoader.h"
#include "gralith/utils/assets/loaders/FSGLoader.h"
#include "gralith/utils/assets/loaders/JPEGLoader.h"
#include "gralith/utils/assets/loaders/OggLoader.h"
#include "gralith/utils/assets/loaders/PNGLoader.h"
#include "gralith/utils/assets/loaders/ProgramLoader.h"
#include "gralith/utils/assets/loaders/ShaderLoader.h"
#include "gralith/utils/assets/loaders/SoundBufferLoader.h"
#include "gralith/utils/assets/loaders/TextLoader.h"
#include "gralith/utils/assets/loaders/Texture2DLoader.h"
#include "gralith/utils/assets/loaders/TextureCubeLoader.h"
#include "gralith/utils/assets/loaders/TrueTypeFontLoader.h"
#include "gralith/utils/assets/loaders/WavLoader.h"
#include "gralith/utils/assets/loaders/XmlLoader.h"

namespace Gralith::Utils::Assets::Loaders {

// The one place that fixes the loader order: the first loader that produces an asset wins, so
// for example a plain image path asked for as a texture never reaches the cube map loader.
void RegisterLoaders(Proxy* proxy) {
    proxy->AddLoader(new PNGLoader());          // 1
    proxy->AddLoader(new JPEGLoader());         // 1
    proxy->AddLoader(new Texture2DLoader());    // 2
    proxy->AddLoader(new TextureCubeLoader());  // 2
    proxy->AddLoader(new TextLoader());         // 3
    proxy->AddLoader(new ShaderLoader());       // 4, 5
    proxy->AddLoader(new ProgramLoader());      // 7
    proxy->AddLoader(new TrueTypeFontLoader()); // 10
    proxy->AddLoader(new FGMLoader());          // 8
    proxy->AddLoader(new FSGLoader());          // 9
    proxy->AddLoader(new WavLoader());          // 12
    proxy->AddLoader(new SoundBufferLoader());  // 13
    proxy->AddLoader(new XmlLoader());          // 11
    proxy->AddLoader(new OggLoader());          // 14
}

} // namespace Gralith::Utils::Assets::Loaders
