#pragma once

#include "gralith/Object.h"
#include "gralith/Ref.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {
class Device;
class VertexBuffer;
class InputLayout;
} // namespace Gralith::Graphics

namespace Gralith::Utils {

/// Immediate-mode geometry for what effects build every frame (quads, particles): vertices are
/// collected in a fixed CPU array and sent to one volatile device buffer. Both are sized once
/// at construction, so a frame allocates nothing.
///
/// Vertex layout (15 floats, 60 bytes, stream 0, all float32): position x, y, z, w at byte 0
/// (slot 0); normal at 16 (slot 2); colour r, g, b, a at 28 (slot 3); texture coordinate
/// s, t, r, q at 44 (slot 8).
class GeoStream : public Object {
public:
    static constexpr int VertexFloats = 15;
    static constexpr int VertexBytes = VertexFloats * 4;

    /// The device is borrowed; capacity is the most vertices one batch can hold.
    GeoStream(Graphics::Device* device, int capacity);
    ~GeoStream() override;
    GeoStream(const GeoStream&) = delete;
    GeoStream& operator=(const GeoStream&) = delete;

    /// Starts an empty batch of the given primitive type.
    void Begin(Graphics::PrimitiveType type);
    /// The texture coordinate of the following vertices.
    void TexCoord(float s, float t, float r = 0.0f, float q = 1.0f);
    /// Appends a vertex with the current normal (0, 0, 1), colour (1, 1, 1, 1) and texture
    /// coordinate. A full stream throws "GeoStream Vertex Overflow" and keeps its contents.
    void Vertex(float x, float y, float z, float w = 1.0f);
    /// Uploads the batch to the device buffer and, when draw is true, draws it.
    void End(bool draw);
    /// Binds the buffer, primitive type and layout, and draws the uploaded vertices.
    void Draw();

    int GetCapacity() const { return capacity; }
    int GetVertexCount() const { return vertexCount; }
    /// The collected vertices, VertexFloats floats each.
    const float* GetVertices() const { return vertices; }
    Graphics::VertexBuffer* GetVertexBuffer() const { return vertexBuffer; }
    Graphics::InputLayout* GetInputLayout() const { return inputLayout; }

private:
    float* vertices;
    int capacity;
    int vertexCount = 0;
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float texCoord[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    Ref<Graphics::Device> device; ///< held: used until this object goes
    Graphics::PrimitiveType primitiveType = Graphics::Triangles;
    Graphics::VertexBuffer* vertexBuffer = nullptr;
    Graphics::InputLayout* inputLayout = nullptr;
};

} // namespace Gralith::Utils
