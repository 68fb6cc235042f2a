#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/Texture3D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/VertexBuffer.h"

#include <vector>

namespace Gralith::Graphics {

class NullDevice;

/// Bytes in memory behind either buffer kind; uploads are recorded on the device.
class NullBufferStore {
public:
    NullBufferStore(NullDevice* device, const void* owner, BufferMode mode, int size);
    void SetData(const void* data, int offset, int size);
    void* Lock(LockMode mode, int offset, int size);
    void Unlock() { locked = false; }
    bool IsLocked() const { return locked; }
    int Size() const { return static_cast<int>(bytes.size()); }
    const unsigned char* Bytes() const { return bytes.data(); }

private:
    NullDevice* device;
    Ref<Device> deviceReference; ///< held: the device outlives what it made
    const void* owner;
    std::vector<unsigned char> bytes;
    bool locked = false;
};

class NullVertexBuffer : public VertexBuffer {
public:
    NullVertexBuffer(NullDevice* device, BufferMode mode, int size, int stride)
        : store(device, this, mode, size), stride(stride) {}
    void SetData(const void* data, int offset, int size) override { store.SetData(data, offset, size); }
    void* Lock(LockMode mode, int offset, int size) override { return store.Lock(mode, offset, size); }
    void Unlock() override { store.Unlock(); }
    int GetSize() const override { return store.Size(); }
    int GetStride() const override { return stride; }
    const unsigned char* GetBytes() const { return store.Bytes(); }

private:
    NullBufferStore store;
    int stride;
};

class NullIndexBuffer : public IndexBuffer {
public:
    NullIndexBuffer(NullDevice* device, BufferMode mode, int size, IndexType type)
        : store(device, this, mode, size), type(type == IndexType16 ? IndexType16 : IndexType32) {}
    void SetData(const void* data, int offset, int size) override { store.SetData(data, offset, size); }
    void* Lock(LockMode mode, int offset, int size) override { return store.Lock(mode, offset, size); }
    void Unlock() override { store.Unlock(); }
    int GetSize() const override { return store.Size(); }
    IndexType GetIndexType() const override { return type; }
    const unsigned char* GetBytes() const { return store.Bytes(); }

private:
    NullBufferStore store;
    IndexType type;
};

class NullSurface : public Surface {
public:
    /// A surface made for a caller holds its device; the device's own back buffer does not.
    NullSurface(NullDevice* device, int width, int height, PixelFormat format, bool renderable,
                Device* holdDevice = nullptr)
        : device(device), deviceReference(holdDevice), width(width), height(height), format(format),
          renderable(renderable) {}
    void Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY, int dstWidth,
              int dstHeight, FilterMode filter) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    PixelFormat GetPixelFormat() const { return format; }
    bool IsRenderable() const { return renderable; }

private:
    NullDevice* device;
    Ref<Device> deviceReference; ///< held: the device outlives what it made
    int width;
    int height;
    PixelFormat format;
    bool renderable;
};

/// Level surfaces handed out by a texture, created on first request and owned by it.
class NullSurfaceCache {
public:
    ~NullSurfaceCache();
    Surface* Get(NullDevice* device, int index, int width, int height, PixelFormat format, bool renderable);

private:
    std::vector<NullSurface*> surfaces;
};

class NullTexture2D : public Texture2D {
public:
    NullTexture2D(NullDevice* device, int width, int height, PixelFormat format, bool renderable);
    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::Texture2D; }
    void GenerateMipmaps() override;
    void SetData(int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(int level) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    /// Uploads received per level.
    int GetUploadCount(int level) const;

private:
    NullDevice* device;
    Ref<Device> deviceReference; ///< held: the device outlives what it made
    int width;
    int height;
    PixelFormat format;
    bool renderable;
    std::vector<int> uploads;
    NullSurfaceCache surfaces;
};

class NullTexture3D : public Texture3D {
public:
    NullTexture3D(int width, int height, int depth, PixelFormat format)
        : width(width), height(height), depth(depth), format(format) {}
    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::Texture3D; }
    void GenerateMipmaps() override {}
    void SetData(int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(int level) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    int GetDepth() const override { return depth; }

private:
    int width;
    int height;
    int depth;
    PixelFormat format;
};

class NullTextureCube : public TextureCube {
public:
    NullTextureCube(NullDevice* device, int size, PixelFormat format, bool renderable);
    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::TextureCube; }
    void GenerateMipmaps() override;
    void SetData(CubeFace face, int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(CubeFace face, int level) override;
    int GetSize() const override { return size; }
    int GetUploadCount(CubeFace face, int level) const;

private:
    NullDevice* device;
    Ref<Device> deviceReference; ///< held: the device outlives what it made
    int size;
    PixelFormat format;
    bool renderable;
    std::vector<int> uploads;
    NullSurfaceCache surfaces;
};

/// State objects keep their description for inspection by tests.
class NullBlendState : public BlendState {
public:
    explicit NullBlendState(const BlendStateDesc& desc) : Desc(desc) {}
    const BlendStateDesc Desc;
};

class NullDepthStencilState : public DepthStencilState {
public:
    explicit NullDepthStencilState(const DepthStencilStateDesc& desc) : Desc(desc) {}
    const DepthStencilStateDesc Desc;
};

class NullRasterizerState : public RasterizerState {
public:
    explicit NullRasterizerState(const RasterizerStateDesc& desc) : Desc(desc) {}
    const RasterizerStateDesc Desc;
};

class NullSamplerState : public SamplerState {
public:
    explicit NullSamplerState(const SamplerStateDesc& desc) : Desc(desc) {}
    const SamplerStateDesc Desc;
};

class NullInputLayout : public InputLayout {
public:
    NullInputLayout(const InputElementDesc* elements, int count) : elements(elements, elements + count) {}
    int GetElements(int maxCount, InputElementDesc* out) const override;
    int Count() const { return static_cast<int>(elements.size()); }
    const InputElementDesc& Element(int index) const { return elements[index]; }

private:
    std::vector<InputElementDesc> elements;
};

} // namespace Gralith::Graphics
