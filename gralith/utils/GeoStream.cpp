#include "gralith/utils/GeoStream.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/utils/Messages.h"

#include <cstring>

namespace Gralith::Utils {

GeoStream::GeoStream(Graphics::Device* device, int capacity)
    : vertices(nullptr), capacity(capacity > 0 ? capacity : 0), device(device) {
    using namespace Graphics;
    const InputElementDesc elements[4] = {
        {0, 0, 4, 0, DataTypeFloat32, 0},
        {2, 0, 3, 16, DataTypeFloat32, 0},
        {3, 0, 4, 28, DataTypeFloat32, 0},
        {8, 0, 4, 44, DataTypeFloat32, 0},
    };
    inputLayout = device->CreateInputLayout(elements, 4);
    try {
        vertexBuffer = device->CreateVertexBuffer(BufferModeVolatile, this->capacity * VertexBytes, VertexBytes);
    } catch (...) {
        inputLayout->Release();
        throw;
    }
    vertices = new float[static_cast<size_t>(this->capacity) * VertexFloats + 1];
}

GeoStream::~GeoStream() {
    if (inputLayout)
        inputLayout->Release();
    if (vertexBuffer)
        vertexBuffer->Release();
    delete[] vertices;
}

void GeoStream::Begin(Graphics::PrimitiveType type) {
    primitiveType = type;
    vertexCount = 0;
}

void GeoStream::TexCoord(float s, float t, float r, float q) {
    texCoord[0] = s;
    texCoord[1] = t;
    texCoord[2] = r;
    texCoord[3] = q;
}

void GeoStream::Vertex(float x, float y, float z, float w) {
    if (vertexCount >= capacity)
        throw Exception(Messages::GeoStreamOverflow);
    float* v = vertices + static_cast<size_t>(vertexCount) * VertexFloats;
    v[0] = x;
    v[1] = y;
    v[2] = z;
    v[3] = w;
    std::memcpy(v + 4, normal, sizeof normal);
    std::memcpy(v + 7, color, sizeof color);
    std::memcpy(v + 11, texCoord, sizeof texCoord);
    ++vertexCount;
}

void GeoStream::End(bool draw) {
    // A size of 0 means "the whole buffer" to SetData, so an empty batch uploads nothing.
    if (vertexCount > 0)
        vertexBuffer->SetData(vertices, 0, vertexCount * VertexBytes);
    if (draw)
        Draw();
}

void GeoStream::Draw() {
    device->SetVertexBuffer(0, vertexBuffer);
    device->SetPrimitiveType(primitiveType);
    device->SetInputLayout(inputLayout);
    device->DrawUnindexed(0, vertexCount);
}

} // namespace Gralith::Utils
