#pragma once

#include "gralith/Object.h"
#include "gralith/Ref.h"
#include "gralith/utils/String.h"

#include <type_traits>

namespace Gralith::Utils::Assets {

/// Asset type identifiers: what a proxy request asks for and what a loader can produce.
enum AssetType : int {
    AssetBitmap2D = 1,
    AssetTexture = 2,
    AssetText = 3,
    AssetVertexShader = 4,
    AssetPixelShader = 5,
    AssetGeometryShader = 6,
    AssetProgram = 7,
    AssetGeometry = 8,
    AssetScene = 9,
    AssetFont = 10,
    AssetXml = 11,
    AssetWaveData = 12,
    AssetSoundBuffer = 13,
    AssetAudioStream = 14,
};

/// Base of every cached asset. Loaders set the name to the path they read; the proxy then
/// replaces it with the full descriptor that was requested.
class Asset : public Object {
public:
    virtual int GetType() const = 0;

    const String& GetName() const { return name; }
    void SetName(const String& n) { name = n; }

private:
    String name;
};

/// An asset that only carries one engine object (a texture, shader, program, XML root, sound
/// buffer or audio stream). The wrapper owns the value's reference.
template <class T, int N>
class WrapperAsset : public Asset {
public:
    explicit WrapperAsset(T value) { this->value.Adopt(value); }
    int GetType() const override { return N; }
    T GetValue() const { return value.Get(); }

private:
    Ref<std::remove_pointer_t<T>> value;
};

} // namespace Gralith::Utils::Assets
