#include "gralith/graphics/DeviceImpl.h"

#include "gralith/Exception.h"
#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Surface.h"

namespace Gralith::Graphics {

DeviceImpl::~DeviceImpl() { ReleaseDefaultState(); }

void DeviceImpl::SetUpDefaultState() {
    BlendStateDesc blend = {false, BlendSrcAlpha, BlendInvSrcAlpha, BlendSrcAlpha, BlendInvSrcAlpha,
                            true,  true,          true,             true};
    DepthStencilStateDesc depth = {true,       Less,        true,        false,       Always,     0,
                                   0xFFFFFFFF, 0xFFFFFFFF, StencilKeep, StencilKeep, StencilKeep};
    RasterizerStateDesc rasterizer = {1.0f, 1.0f, 1, CullBack, false};
    static const char* const semantics[SlotLimit] = {
        "POSITION",  nullptr,     "NORMAL",    "COLOR",     nullptr,     nullptr,     nullptr,     nullptr,
        "TEXCOORD0", "TEXCOORD1", "TEXCOORD2", "TEXCOORD3", "TEXCOORD4", "TEXCOORD5", "TEXCOORD6", "TEXCOORD7"};

    ReleaseDefaultState();
    defaultBlendState = CreateBlendState(blend);
    SetBlendState(defaultBlendState);
    defaultDepthStencilState = CreateDepthStencilState(depth);
    SetDepthStencilState(defaultDepthStencilState);
    defaultRasterizerState = CreateRasterizerState(rasterizer);
    SetRasterizerState(defaultRasterizerState);
    defaultSemanticMap = CreateSemanticMap(semantics);
    SetSemanticMap(defaultSemanticMap);
    SetPrimitiveType(Triangles);
}

void DeviceImpl::ReleaseDefaultState() {
    ForgetApplied(appliedBlendState);
    ForgetApplied(appliedDepthStencilState);
    ForgetApplied(appliedRasterizerState);
    ForgetApplied(appliedInputLayout);
    ForgetApplied(appliedSemanticMap);
    appliedProgram = 0;
    // Forget them wherever they are still recorded, so no dangling pointer survives.
    if (blendState == defaultBlendState)
        blendState = nullptr;
    if (depthStencilState == defaultDepthStencilState)
        depthStencilState = nullptr;
    if (rasterizerState == defaultRasterizerState)
        rasterizerState = nullptr;
    if (semanticMap == defaultSemanticMap)
        semanticMap = nullptr;
    if (defaultBlendState)
        defaultBlendState->Release();
    if (defaultDepthStencilState)
        defaultDepthStencilState->Release();
    if (defaultRasterizerState)
        defaultRasterizerState->Release();
    if (defaultSemanticMap)
        defaultSemanticMap->Release();
    defaultBlendState = nullptr;
    defaultDepthStencilState = nullptr;
    defaultRasterizerState = nullptr;
    defaultSemanticMap = nullptr;
}

void DeviceImpl::SetViewport(int x, int y, int width, int height) {
    viewport = {x, y, width, height};
    ApplyViewport();
}

void DeviceImpl::SetScissorRect(int x, int y, int width, int height) {
    scissor = {x, y, width, height};
    ApplyScissorRect();
}

void DeviceImpl::SetVertexBuffer(int stream, VertexBuffer* buffer) {
    if (stream < 0 || stream >= SlotLimit)
        throw Exception(Messages::InvalidStream, 4);
    if (vertexBuffers[stream] == buffer)
        return;
    vertexBuffers[stream] = buffer;
    OnVertexBufferChanged(stream);
}

void DeviceImpl::SetPrimitiveType(PrimitiveType type) {
    if (type < Points || type > TriangleStrip)
        throw Exception(Messages::InvalidPrimitiveType, 4);
    primitiveType = type;
}

VertexBuffer* DeviceImpl::GetVertexBuffer(int stream) const {
    return stream >= 0 && stream < SlotLimit ? vertexBuffers[stream] : nullptr;
}

Surface* DeviceImpl::GetColorTarget(int index) const {
    return index >= 0 && index < SlotLimit ? colorTargets[index] : nullptr;
}

void DeviceImpl::SetRenderTargets(int count, Surface* const* colors, Surface* depthStencil) {
    if (count < 0 || count > SlotLimit || (count > 0 && !colors))
        throw Exception(Messages::TooManyColorTargets, 4);
    // One colour target that is the back buffer means the window with its own depth buffer.
    if (count == 1 && colors[0] == GetBackBuffer()) {
        count = 0;
        depthStencil = nullptr;
    }
    BindRenderTargets(count, colors, depthStencil);

    for (int i = count; i < colorTargetCount; ++i)
        colorTargets[i] = nullptr;
    for (int i = 0; i < count; ++i)
        colorTargets[i] = colors[i];
    colorTargetCount = count;
    depthStencilTarget = depthStencil;

    Surface* sized = count > 0 ? colors[count - 1] : depthStencil;
    if (!sized)
        sized = GetBackBuffer();
    if (sized)
        SetViewport(0, 0, sized->GetWidth(), sized->GetHeight());
}

void DeviceImpl::DrawUnindexed(int firstVertex, int vertexCount) {
    CheckDraw(false);
    RunDrawCallListeners();
    ApplyPendingState();
    IssueDraw(firstVertex, vertexCount);
    ++statistics.Draws;
}

void DeviceImpl::DrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) {
    CheckDraw(true);
    RunDrawCallListeners();
    ApplyPendingState();
    IssueDrawIndexed(firstIndex, indexCount, lowestVertex, highestVertex);
    ++statistics.Draws;
}

void DeviceImpl::RunDrawCallListeners() {
    // A listener may remove listeners while it runs: call each one of the list as it stood,
    // skipping those no longer registered.
    DrawCallListener* snapshot[SlotLimit];
    int count = listenerCount;
    for (int i = 0; i < count; ++i)
        snapshot[i] = listeners[i];
    for (int i = 0; i < count; ++i) {
        bool registered = false;
        for (int j = 0; j < listenerCount && !registered; ++j)
            registered = listeners[j] == snapshot[i];
        if (registered)
            snapshot[i]->OnDrawCall();
    }
}

int DeviceImpl::AddDrawCallListener(DrawCallListener* listener) {
    if (!listener)
        return -1;
    if (listenerCount == SlotLimit)
        throw Exception(Messages::TooManyListeners, 2);
    listeners[listenerCount] = listener;
    return listenerCount++;
}

void DeviceImpl::RemoveDrawCallListener(DrawCallListener* listener) {
    for (int i = 0; i < listenerCount; ++i) {
        if (listeners[i] != listener)
            continue;
        for (int j = i + 1; j < listenerCount; ++j)
            listeners[j - 1] = listeners[j];
        listeners[--listenerCount] = nullptr;
        return;
    }
}

} // namespace Gralith::Graphics
