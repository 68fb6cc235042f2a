#include "velorin/effects/Particles.h"

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/VertexBuffer.h"
#include "velorin/Globals.h"
#include "velorin/effects/Motion.h"

#include <cstddef>

namespace Velorin {

using namespace Gralith::Graphics;

namespace {

// Corner signs and texture sides of the two triangles, in drawing order.
const float cornerSigns[Particles::VerticesPerSprite][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
const int uSide[Particles::VerticesPerSprite] = {0, 1, 1, 0, 1, 0};
const float vCoord[Particles::VerticesPerSprite] = {0, 0, 1, 0, 1, 1};

} // namespace

Particles::Particles(float halfExtentX, float halfExtentY, float halfExtentZ) : count(SpriteCount) {
    vertices.Reserve(count * VerticesPerSprite);
    for (int i = 0; i < count * VerticesPerSprite; ++i)
        vertices.Add(Vertex{});

    SeedShowRandom(1);
    for (int i = 0; i < count; ++i) {
        float r1 = SignedRandom();
        float r2 = SignedRandom();
        float r3 = SignedRandom();
        SetCentre(i, halfExtentX * r3, halfExtentY * r2, halfExtentZ * r1);
        SetCorners(i, 8.0f, 6.0f);
        SetTexCoords(i, 0.0f, 1.0f);
    }

    const InputElementDesc elements[] = {
        {0, 0, 3, static_cast<int>(offsetof(Vertex, x)), DataTypeFloat32, 0},
        {8, 0, 2, static_cast<int>(offsetof(Vertex, u)), DataTypeFloat32, 0},
        {9, 0, 2, static_cast<int>(offsetof(Vertex, cornerX)), DataTypeFloat32, 0},
    };
    layout.Adopt(GraphicsDevice->CreateInputLayout(elements, 3));
    buffer.Adopt(GraphicsDevice->CreateVertexBuffer(BufferModeVolatile, count * VerticesPerSprite * sizeof(Vertex),
                                                    sizeof(Vertex)));
    Upload();
    program = ResourceHandle<Program>("shaders/particles.cg");
}

Particles::~Particles() = default;

void Particles::SetCentre(int sprite, float x, float y, float z) {
    for (int k = 0; k < VerticesPerSprite; ++k) {
        Vertex& v = vertices[sprite * VerticesPerSprite + k];
        v.x = x;
        v.y = y;
        v.z = z;
    }
}

void Particles::SetCorners(int sprite, float w, float h) {
    for (int k = 0; k < VerticesPerSprite; ++k) {
        Vertex& v = vertices[sprite * VerticesPerSprite + k];
        v.cornerX = cornerSigns[k][0] * w;
        v.cornerY = cornerSigns[k][1] * h;
    }
}

void Particles::SetTexCoords(int sprite, float u0, float u1) {
    for (int k = 0; k < VerticesPerSprite; ++k) {
        Vertex& v = vertices[sprite * VerticesPerSprite + k];
        v.u = uSide[k] ? u1 : u0;
        v.v = vCoord[k];
    }
}

void Particles::Upload() {
    buffer->SetData(vertices.Data(), 0, count * VerticesPerSprite * static_cast<int>(sizeof(Vertex)));
}

void Particles::Draw(Texture* texture) {
    Program* p = program.Get();
    GraphicsDevice->SetProgram(p);
    if (Parameter* map = p->GetParameter("DiffuseMap"))
        map->SetSampler(texture);
    GraphicsDevice->SetInputLayout(layout.Get());
    GraphicsDevice->SetVertexBuffer(0, buffer.Get());
    // The sprites are separate triangles whatever the previous draw used.
    GraphicsDevice->SetPrimitiveType(Triangles);
    GraphicsDevice->DrawUnindexed(0, VerticesPerSprite * count);
}

} // namespace Velorin
