#include "gralith/utils/assets/loaders/SoundBufferLoader.h"

#include "gralith/Exception.h"
#include "gralith/sound/Buffer.h"
#include "gralith/sound/Device.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/WaveData.h"

namespace Gralith::Utils::Assets::Loaders {

Asset* SoundBufferLoader::Load(int, String path, Proxy* proxy) {
    Sound::Device* device = proxy->GetSoundDevice();
    if (!device)
        throw Exception(Messages::NoSoundDevice);
    WaveData* wave = dynamic_cast<WaveData*>(proxy->Get(AssetWaveData, path, this));
    if (!wave)
        throw Exception(Messages::LoaderBehavedIncorrectly);
    Sound::Buffer* buffer =
        device->CreateBuffer(wave->GetSize(), wave->GetChannels(), wave->GetBitsPerSample(), wave->GetSampleRate());
    try {
        buffer->SetData(wave->GetData(), 0, wave->GetSize());
    } catch (...) {
        buffer->Release();
        throw;
    }
    Asset* asset = new WrapperAsset<Sound::Buffer*, AssetSoundBuffer>(buffer);
    asset->SetName(path);
    return asset;
}

} // namespace Gralith::Utils::Assets::Loaders
