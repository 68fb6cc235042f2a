#include "gralith/utils/assets/Geometry.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/VertexBuffer.h"

namespace Gralith::Utils::Assets {

Geometry::Geometry(Graphics::Device* device) : device(device) {}

Geometry::~Geometry() {
    for (Graphics::VertexBuffer* buffer : vertexBuffers)
        if (buffer)
            buffer->Release();
}

void Geometry::AddStream(Graphics::VertexBuffer* buffer, float scale, float bias, const String& semantic) {
    semantics.Add(semantic);
    vertexBuffers.Add(buffer);
    scales.Add(scale);
    biases.Add(bias);
}

void Geometry::SetInputLayout(Graphics::InputLayout* layout) { inputLayout.Adopt(layout); }

void Geometry::SetIndexBuffer(Graphics::IndexBuffer* buffer) { indexBuffer.Adopt(buffer); }

void Geometry::SetCounts(int vertices, int indices) {
    vertexCount = vertices;
    indexCount = indices;
}

void Geometry::Draw() {
    device->SetIndexBuffer(indexBuffer.Get());
    device->SetInputLayout(inputLayout.Get());
    for (int i = 0; i < vertexBuffers.Count(); ++i)
        device->SetVertexBuffer(i, vertexBuffers[i]);
    for (const SubMesh& mesh : subMeshes) {
        device->SetPrimitiveType(mesh.primitiveType);
        device->DrawIndexed(mesh.firstIndex, mesh.indexCount, mesh.lowestVertex, mesh.vertexCount);
    }
}

} // namespace Gralith::Utils::Assets
