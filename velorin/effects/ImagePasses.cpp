#include "velorin/effects/ImagePasses.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/State.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "velorin/Globals.h"
#include "velorin/Messages.h"
#include "velorin/ResourceHandle.h"
#include "velorin/effects/ShowTimeline.h"

namespace Velorin {

using namespace Gralith::Graphics;

namespace {

enum class Blending { Off, Alpha, Additive };

// A program handle kept for the process, fetched again only when the asset proxy is another
// one (a second device in the same process, as tools and tests make).
struct CachedProgram {
    ResourceHandle<Program> handle;
    const void* proxy = nullptr;

    Program* Get(const char* descriptor) {
        if (!handle.IsSet() || proxy != AssetProxy) {
            handle = ResourceHandle<Program>(descriptor);
            proxy = AssetProxy;
        }
        return handle.Get();
    }
};

Program* TextureProgram(CachedProgram& cache) { return cache.Get("shaders/texture.cg"); }

void Require(const void* resource) {
    if (!resource)
        throw Gralith::Exception(Messages::ResourceNotSet);
}

void DrawTextureWith(Program* program, Texture* texture, const float colour[4], Blending blending) {
    GraphicsDevice->SetProgram(program);
    program->GetParameter("DiffuseMap")->SetSampler(texture, LinearClampSampler);
    program->GetParameter("Color")->SetFloat4(1, colour);
    TransformStack->Reset();
    RenderState->SetDefaults();
    if (blending == Blending::Alpha)
        RenderState->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    else if (blending == Blending::Additive)
        RenderState->SetBlend(BlendOne, BlendOne);
    RenderState->DisableDepthTest();
    DrawFullScreenQuad();
}

void BindTarget(Texture2D* destination) {
    Surface* surface = destination->GetSurface(0);
    GraphicsDevice->SetRenderTargets(1, &surface, nullptr);
}

void BindWindow() { GraphicsDevice->SetRenderTargets(0, nullptr, nullptr); }

} // namespace

void DrawFullScreenQuad() {
    Gralith::Utils::GeoStream* stream = GeometryStream;
    stream->Begin(Triangles);
    stream->TexCoord(0, 0, 0, 0);
    stream->Vertex(-1, -1, 0, 1);
    stream->TexCoord(1, 0, 0, 0);
    stream->Vertex(1, -1, 0, 1);
    stream->TexCoord(1, 1, 0, 0);
    stream->Vertex(1, 1, 0, 1);
    stream->TexCoord(0, 0, 0, 0);
    stream->Vertex(-1, -1, 0, 1);
    stream->TexCoord(1, 1, 0, 0);
    stream->Vertex(1, 1, 0, 1);
    stream->TexCoord(0, 1, 0, 0);
    stream->Vertex(-1, 1, 0, 1);
    stream->End(true);
}

void DrawTexture(Texture* texture, const float colour[4]) {
    static CachedProgram program;
    DrawTextureWith(TextureProgram(program), texture, colour, Blending::Off);
}

void DrawTextureBlended(Texture* texture, const float colour[4]) {
    static CachedProgram program;
    DrawTextureWith(TextureProgram(program), texture, colour, Blending::Alpha);
}

void DrawTextureAdditive(Texture* texture, const float colour[4]) {
    static CachedProgram program;
    DrawTextureWith(TextureProgram(program), texture, colour, Blending::Additive);
}

void CopyInto(Texture* source, Texture2D* destination) {
    Require(source);
    Require(destination);
    BindTarget(destination);
    const float white[4] = {1, 1, 1, 1};
    DrawTexture(source, white);
    BindWindow();
}

void BlurPass(float dx, float dy, Texture* source, Texture2D* destination) {
    static CachedProgram cache;
    Require(source);
    Require(destination);
    Program* program = cache.Get("shaders/blur.cg");
    GraphicsDevice->SetProgram(program);
    RenderState->SetDefaults();
    RenderState->DisableDepthTest();
    BindTarget(destination);
    const float direction[2] = {dx, dy};
    program->GetParameter("Direction")->SetFloat2(1, direction);
    program->GetParameter("DiffuseMap")->SetSampler(source, LinearClampSampler);
    DrawFullScreenQuad();
    BindWindow();
}

void Blur(int passes, float scale, Texture2D* a, Texture2D* b) {
    Require(a);
    Require(b);
    for (int i = 0; i < passes; ++i) {
        float r = static_cast<float>(1 << i);
        BlurPass(scale * r / static_cast<float>(a->GetWidth()), 0.0f, a, b);
        BlurPass(0.0f, scale * r / static_cast<float>(a->GetHeight()), b, a);
    }
}

void DrawIntroZoom(Texture* texture) {
    static CachedProgram cache;
    Program* program = TextureProgram(cache);
    float t = static_cast<float>(MusicTime);
    const float colour[4] = {1, 1, 1, ShowTimeline::IntroAlpha(t)};
    GraphicsDevice->SetProgram(program);
    program->GetParameter("DiffuseMap")->SetSampler(texture, LinearClampSampler);
    program->GetParameter("Color")->SetFloat4(1, colour);
    TransformStack->Reset();
    RenderState->SetDefaults();
    RenderState->SetBlend(BlendSrcAlpha, BlendOne);
    RenderState->DisableDepthTest();

    float s = 0.5f - 0.08f * t;
    float m = -s;
    float n = s + 1.0f;
    Gralith::Utils::GeoStream* stream = GeometryStream;
    stream->Begin(Triangles);
    stream->TexCoord(m, m, 0, 0);
    stream->Vertex(-1, -1, 0, 1);
    stream->TexCoord(n, m, 0, 0);
    stream->Vertex(1, -1, 0, 1);
    stream->TexCoord(n, n, 0, 0);
    stream->Vertex(1, 1, 0, 1);
    stream->TexCoord(m, m, 0, 0);
    stream->Vertex(-1, -1, 0, 1);
    stream->TexCoord(n, n, 0, 0);
    stream->Vertex(1, 1, 0, 1);
    stream->TexCoord(m, n, 0, 0);
    stream->Vertex(-1, 1, 0, 1);
    stream->End(true);
}

} // namespace Velorin
