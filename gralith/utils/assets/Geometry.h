#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Enums.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

namespace Gralith::Graphics {
class Device;
class VertexBuffer;
class IndexBuffer;
class InputLayout;
} // namespace Gralith::Graphics

namespace Gralith::Utils::Assets {

/// A static mesh on the device: one vertex buffer per attribute stream, one input layout, one
/// index buffer and the index ranges (sub-meshes) drawn from them. Per-stream scale and bias
/// of quantised streams are kept for whoever renders the mesh; Draw does not apply them.
class Geometry : public Asset {
public:
    /// One indexed draw: the arguments of Device::DrawIndexed and its primitive type.
    struct SubMesh {
        int firstIndex = 0;
        int indexCount = 0;
        int lowestVertex = 0;
        int vertexCount = 0;
        Graphics::PrimitiveType primitiveType = Graphics::Triangles;
    };

    /// The device is borrowed; it outlives its assets.
    explicit Geometry(Graphics::Device* device);
    ~Geometry() override;
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    int GetType() const override { return AssetGeometry; }

    /// Binds the index buffer, the input layout and every stream, then draws each sub-mesh.
    void Draw();

    /// Appends stream i's buffer (taking over the caller's reference) with its scale and bias
    /// and the semantic name it was stored under (kept for tools and messages).
    void AddStream(Graphics::VertexBuffer* buffer, float scale, float bias, const String& semantic = String());
    /// Take over the caller's reference, releasing the previous object.
    void SetInputLayout(Graphics::InputLayout* layout);
    void SetIndexBuffer(Graphics::IndexBuffer* buffer);
    void SetCounts(int vertices, int indices);
    void AddSubMesh(const SubMesh& subMesh) { subMeshes.Add(subMesh); }

    Graphics::Device* GetDevice() const { return device; }
    int GetStreamCount() const { return vertexBuffers.Count(); }
    Graphics::VertexBuffer* GetVertexBuffer(int stream) const { return vertexBuffers[stream]; }
    Graphics::InputLayout* GetInputLayout() const { return inputLayout.Get(); }
    Graphics::IndexBuffer* GetIndexBuffer() const { return indexBuffer.Get(); }
    const Array<SubMesh>& GetSubMeshes() const { return subMeshes; }
    int GetVertexCount() const { return vertexCount; }
    int GetIndexCount() const { return indexCount; }
    float GetScale(int stream) const { return scales[stream]; }
    float GetBias(int stream) const { return biases[stream]; }
    const String& GetSemanticName(int stream) const { return semantics[stream]; }

    /// The mesh's own name from its scene file (the asset name is the request descriptor).
    const String& GetGeometryName() const { return geometryName; }
    void SetGeometryName(const String& n) { geometryName = n; }

private:
    Graphics::Device* device;
    Array<Graphics::VertexBuffer*> vertexBuffers;
    Array<SubMesh> subMeshes;
    Ref<Graphics::InputLayout> inputLayout;
    Ref<Graphics::IndexBuffer> indexBuffer;
    int vertexCount = 0;
    int indexCount = 0;
    Array<float> scales;
    Array<float> biases;
    String geometryName;
    Array<String> semantics;
};

} // namespace Gralith::Utils::Assets
