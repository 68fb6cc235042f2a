#include "gralith/graphics/DeviceImpl.h"

#include "gralith/Exception.h"
#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace Gralith::Graphics {

DeviceImpl::~DeviceImpl() { ReleaseDefaultState(); }

void DeviceImpl::SetUpDefaultState() {
    BlendStateDesc blend = {false, BlendSrcAlpha, BlendInvSrcAlpha, BlendSrcAlpha, BlendInvSrcAlpha, true, true,
                            true,  true};
    DepthStencilStateDesc depth = {true,       Less,       true,        false,       Always,     0,
                                   0xFFFFFFFF, 0xFFFFFFFF, StencilKeep, StencilKeep, StencilKeep};
    RasterizerStateDesc rasterizer = {1.0f, 1.0f, 1, CullBack, false};

    ReleaseDefaultState();
    defaultBlendState.Adopt(CreateBlendState(blend));
    SetBlendState(defaultBlendState.Get());
    defaultDepthStencilState.Adopt(CreateDepthStencilState(depth));
    SetDepthStencilState(defaultDepthStencilState.Get());
    defaultRasterizerState.Adopt(CreateRasterizerState(rasterizer));
    SetRasterizerState(defaultRasterizerState.Get());
    SetPrimitiveType(Triangles);
    SetUpDefaultSemanticMap();
}

void DeviceImpl::SetUpDefaultSemanticMap() {
    static const char* const semantics[SlotLimit] = {
        "POSITION",  nullptr,     "NORMAL",    "COLOR",     nullptr,     nullptr,     nullptr,     nullptr,
        "TEXCOORD0", "TEXCOORD1", "TEXCOORD2", "TEXCOORD3", "TEXCOORD4", "TEXCOORD5", "TEXCOORD6", "TEXCOORD7"};
    // Semantic maps belong to the shading layer: a device without one gets its map when the
    // layer is added.
    if (defaultSemanticMap || !HasShading())
        return;
    defaultSemanticMap.Adopt(CreateSemanticMap(semantics));
    if (!semanticMap)
        SetSemanticMap(defaultSemanticMap.Get());
}

void DeviceImpl::ReleaseDefaultState() {
    ForgetApplied(appliedBlendState);
    ForgetApplied(appliedDepthStencilState);
    ForgetApplied(appliedRasterizerState);
    ForgetApplied(appliedInputLayout);
    ForgetApplied(appliedSemanticMap);
    appliedProgram = 0;
    // Forget them wherever they are still recorded, so no dangling pointer survives.
    if (blendState == defaultBlendState.Get())
        blendState = nullptr;
    if (depthStencilState == defaultDepthStencilState.Get())
        depthStencilState = nullptr;
    if (rasterizerState == defaultRasterizerState.Get())
        rasterizerState = nullptr;
    if (semanticMap == defaultSemanticMap.Get())
        semanticMap = nullptr;
    defaultBlendState.Reset(nullptr);
    defaultDepthStencilState.Reset(nullptr);
    defaultRasterizerState.Reset(nullptr);
    defaultSemanticMap.Reset(nullptr);
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
        throw Exception(Messages::InvalidStream, ErrorInvalidArgument);
    drawableVertices = -1;
    if (vertexBuffers[stream] == buffer)
        return;
    vertexBuffers[stream] = buffer;
    layoutStale = true;
}

void DeviceImpl::SetPrimitiveType(PrimitiveType type) {
    if (type < Points || type > TriangleStrip)
        throw Exception(Messages::InvalidPrimitiveType, ErrorInvalidArgument);
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
        throw Exception(Messages::TooManyColorTargets, ErrorInvalidArgument);
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

void DeviceImpl::ApplyPendingState() {
    if (!program)
        throw Exception(Messages::NoProgram, ErrorInvalidState);
    if (!inputLayout)
        throw Exception(Messages::NoInputLayout, ErrorInvalidState);
    BeginApplyingState();
    if (DrawBlendState() != appliedBlendState) {
        ApplyBlendState(DrawBlendState());
        SetApplied(appliedBlendState, DrawBlendState());
        ++statistics.BlendApplies;
    }
    if (DrawDepthStencilState() != appliedDepthStencilState) {
        ApplyDepthStencilState(DrawDepthStencilState());
        SetApplied(appliedDepthStencilState, DrawDepthStencilState());
        ++statistics.DepthStencilApplies;
    }
    if (DrawRasterizerState() != appliedRasterizerState) {
        ApplyRasterizerState(DrawRasterizerState());
        SetApplied(appliedRasterizerState, DrawRasterizerState());
        ++statistics.RasterizerApplies;
    }
    if (inputLayout != appliedInputLayout || semanticMap != appliedSemanticMap || layoutStale) {
        CheckLayoutStreams();
        ApplyInputLayout(inputLayout, semanticMap);
        SetApplied(appliedInputLayout, inputLayout);
        SetApplied(appliedSemanticMap, semanticMap);
        layoutStale = false;
        ++statistics.InputLayoutApplies;
    }
    if (program->GetSerial() != appliedProgram) {
        BindProgram(program);
        appliedProgram = program->GetSerial();
        ++statistics.ProgramApplies;
    }
}

void DeviceImpl::CheckLayoutStreams() {
    InputElementDesc elements[SlotLimit];
    int count = inputLayout->GetElements(SlotLimit, elements);
    for (int i = 0; i < count; ++i)
        if (!vertexBuffers[elements[i].Stream])
            throw Exception(Messages::StreamWithoutBuffer, ErrorInvalidState);
}

void DeviceImpl::DrawUnindexed(int firstVertex, int vertexCount) {
    CheckDraw(false);
    RunDrawCallListeners();
    ApplyPendingState();
    CheckVertexRange(firstVertex, vertexCount);
    IssueDraw(firstVertex, vertexCount);
    ++statistics.Draws;
}

void DeviceImpl::DrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) {
    CheckDraw(true);
    RunDrawCallListeners();
    ApplyPendingState();
    CheckIndexRange(firstIndex, indexCount);
    IssueDrawIndexed(firstIndex, indexCount, lowestVertex, highestVertex);
    ++statistics.Draws;
}

namespace {

int DataTypeSize(DataType type) {
    switch (type) {
    case DataTypeInt8:
    case DataTypeUInt8: return 1;
    case DataTypeInt16:
    case DataTypeUInt16: return 2;
    default: return 4;
    }
}

} // namespace

std::int64_t DeviceImpl::DrawableVertices() {
    if (drawableVertices >= 0)
        return drawableVertices;
    InputElementDesc elements[SlotLimit];
    int count = inputLayout ? inputLayout->GetElements(SlotLimit, elements) : 0;
    std::int64_t limit = INT64_MAX;
    for (int i = 0; i < count; ++i) {
        const InputElementDesc& e = elements[i];
        VertexBuffer* buffer = e.Stream >= 0 && e.Stream < SlotLimit ? vertexBuffers[e.Stream] : nullptr;
        std::int64_t end = std::int64_t(e.Offset) + std::int64_t(e.ComponentCount) * DataTypeSize(e.Type);
        if (!buffer || e.Offset < 0 || end > buffer->GetSize()) {
            limit = 0;
            break;
        }
        // A stride of 0 reads the same element for every vertex.
        if (buffer->GetStride() > 0)
            limit = std::min(limit, (buffer->GetSize() - end) / buffer->GetStride() + 1);
    }
    drawableVertices = limit;
    return limit;
}

void DeviceImpl::CheckVertexRange(int firstVertex, int vertexCount) {
    if (firstVertex < 0 || vertexCount < 0)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    if (vertexCount > 0 && std::int64_t(firstVertex) + vertexCount > DrawableVertices())
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
}

void DeviceImpl::CheckIndexRange(int firstIndex, int indexCount) {
    int indexSize = indexBuffer->GetIndexType() == IndexType16 ? 2 : 4;
    if (firstIndex < 0 || indexCount < 0 || std::int64_t(firstIndex) + indexCount > indexBuffer->GetSize() / indexSize)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    if (indexCount > 0 && std::int64_t(LargestIndex(firstIndex, indexCount)) >= DrawableVertices())
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
}

std::uint32_t DeviceImpl::LargestIndexIn(const unsigned char* bytes, IndexType type, int first, int count) {
    std::uint32_t largest = 0;
    if (type == IndexType16) {
        for (int i = first; i < first + count; ++i) {
            std::uint16_t index;
            std::memcpy(&index, bytes + std::size_t(i) * 2, 2);
            largest = std::max<std::uint32_t>(largest, index);
        }
    } else {
        for (int i = first; i < first + count; ++i) {
            std::uint32_t index;
            std::memcpy(&index, bytes + std::size_t(i) * 4, 4);
            largest = std::max(largest, index);
        }
    }
    return largest;
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
        throw Exception(Messages::TooManyListeners, ErrorUnsupported);
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
