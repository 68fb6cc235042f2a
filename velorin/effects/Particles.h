#pragma once

#include "gralith/Ref.h"
#include "gralith/utils/Array.h"
#include "velorin/ResourceHandle.h"

namespace Gralith::Graphics {
class InputLayout;
class VertexBuffer;
class Texture;
} // namespace Gralith::Graphics

namespace Velorin {

/// A fixed cloud of camera-facing sprites scattered in a box around the origin. Each sprite is
/// two triangles whose six vertices share the centre; "shaders/particles.cg" expands the
/// corners, so the vertices are written once and drawn unchanged every frame.
class Particles {
public:
    /// 28 bytes: centre (slot 0), texture coordinate (slot 8), corner offset (slot 9).
    struct Vertex {
        float x, y, z;
        float u, v;
        float cornerX, cornerY;
    };
    static constexpr int VerticesPerSprite = 6;
    static constexpr int SpriteCount = 200;

    /// Reseeds ShowRandom with 1 and scatters the sprites in [-X, X] x [-Y, Y] x [-Z, Z]; creates
    /// the layout and the buffer on GraphicsDevice, uploads, and loads the program.
    Particles(float halfExtentX, float halfExtentY, float halfExtentZ);
    ~Particles();
    Particles(const Particles&) = delete;
    Particles& operator=(const Particles&) = delete;

    void SetCentre(int sprite, float x, float y, float z);
    /// Corner offsets (+-w, +-h) in the sprite's vertex order.
    void SetCorners(int sprite, float w, float h);
    /// The horizontal texture span u0..u1 (v runs 0..1) in the sprite's vertex order.
    void SetTexCoords(int sprite, float u0, float u1);
    /// Writes all vertices to the vertex buffer.
    void Upload();
    /// One draw of every sprite with texture as "DiffuseMap"; matrices from TransformStack.
    void Draw(Gralith::Graphics::Texture* texture);

    int GetCount() const { return count; }
    const Gralith::Utils::Array<Vertex>& GetVertices() const { return vertices; }

private:
    ResourceHandle<Gralith::Graphics::Program> program;
    Gralith::Ref<Gralith::Graphics::InputLayout> layout;
    Gralith::Ref<Gralith::Graphics::VertexBuffer> buffer;
    int count = 0;
    Gralith::Utils::Array<Vertex> vertices;
};

static_assert(sizeof(Particles::Vertex) == 28, "the input layout expects 28-byte vertices");

} // namespace Velorin
