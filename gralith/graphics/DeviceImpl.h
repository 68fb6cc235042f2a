#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/DeviceStatistics.h"

#include <cstdint>

namespace Gralith::Graphics {

/// What every backend shares: the recorded device state and its getters, the draw-call listener
/// list, the draw sequence (checks, listeners, pending state, draw), the pending-state application
/// (what differs from the state last applied, what is recorded as applied, the statistics), the
/// render-target binding rules and the default-state set-up. Backends supply the platform half
/// through the protected hooks.
class DeviceImpl : public Device {
public:
    ~DeviceImpl() override;

    /// Installs the default blend, depth-stencil and rasterizer states, the default semantic map
    /// and primitive type Triangles. Run once by the factory right after the backend device is
    /// created; the four objects belong to the device.
    void SetUpDefaultState();
    /// Creates and sets the default semantic map once the device can make one (see HasShading).
    void SetUpDefaultSemanticMap();

    int GetSlotLimit() const override { return SlotLimit; }

    void SetViewport(int x, int y, int width, int height) override;
    void SetScissorRect(int x, int y, int width, int height) override;
    void SetBlendState(BlendState* state) override { blendState = state; }
    void SetDepthStencilState(DepthStencilState* state) override { depthStencilState = state; }
    void SetRasterizerState(RasterizerState* state) override { rasterizerState = state; }
    void SetInputLayout(InputLayout* layout) override {
        inputLayout = layout;
        drawableVertices = -1;
    }
    void SetSemanticMap(SemanticMap* map) override { semanticMap = map; }
    void SetVertexBuffer(int stream, VertexBuffer* buffer) override;
    void SetIndexBuffer(IndexBuffer* buffer) override { indexBuffer = buffer; }
    void SetPrimitiveType(PrimitiveType type) override;
    void SetProgram(Program* program) override { this->program = program; }
    void SetRenderTargets(int count, Surface* const* colors, Surface* depthStencil) override;

    Rect GetViewport() const override { return viewport; }
    Rect GetScissorRect() const override { return scissor; }
    BlendState* GetBlendState() const override { return blendState; }
    DepthStencilState* GetDepthStencilState() const override { return depthStencilState; }
    RasterizerState* GetRasterizerState() const override { return rasterizerState; }
    InputLayout* GetInputLayout() const override { return inputLayout; }
    SemanticMap* GetSemanticMap() const override { return semanticMap; }
    VertexBuffer* GetVertexBuffer(int stream) const override;
    IndexBuffer* GetIndexBuffer() const override { return indexBuffer; }
    PrimitiveType GetPrimitiveType() const override { return primitiveType; }
    Program* GetProgram() const override { return program; }
    Surface* GetColorTarget(int index) const override;
    int GetColorTargetCount() const override { return colorTargetCount; }
    Surface* GetDepthStencilTarget() const override { return depthStencilTarget; }

    void DrawUnindexed(int firstVertex, int vertexCount) override;
    void DrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) override;

    int AddDrawCallListener(DrawCallListener* listener) override;
    void RemoveDrawCallListener(DrawCallListener* listener) override;

    /// Work that reached the platform since creation (or the last reset).
    const DeviceStatistics& GetStatistics() const { return statistics; }
    void ResetStatistics() { statistics = DeviceStatistics(); }
    /// For the backend's resources, which count their own uploads.
    DeviceStatistics& Statistics() { return statistics; }
    /// Scans count indices of the given type from index first of a buffer's bytes.
    static std::uint32_t LargestIndexIn(const unsigned char* bytes, IndexType type, int first, int count);

protected:
    DeviceImpl() = default;

    /// Whether the device can make semantic maps and programs yet.
    virtual bool HasShading() const { return true; }
    /// Step 1 of a draw: checks a backend makes before the listeners run.
    virtual void CheckDraw(bool indexed) = 0;
    /// Hooks of the pending-state application, called only for a state that differs from the one
    /// last applied, in this order. BeginApplyingState runs before any of them on every draw.
    virtual void BeginApplyingState() {}
    virtual void ApplyBlendState(BlendState* state) = 0;
    virtual void ApplyDepthStencilState(DepthStencilState* state) = 0;
    virtual void ApplyRasterizerState(RasterizerState* state) = 0;
    /// Replaces the applied layout; every stream the layout reads already has a buffer.
    virtual void ApplyInputLayout(InputLayout* layout, SemanticMap* map) = 0;
    virtual void BindProgram(Program* program) = 0;
    virtual void IssueDraw(int firstVertex, int vertexCount) = 0;
    virtual void IssueDrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) = 0;
    /// Binds the given targets on the platform (count 0 and no depth: the window). Throws,
    /// changing nothing recorded, when the combination cannot be bound.
    virtual void BindRenderTargets(int count, Surface* const* colors, Surface* depthStencil) = 0;
    /// Hook for the platform half of SetViewport / SetScissorRect (after recording).
    virtual void ApplyViewport() {}
    virtual void ApplyScissorRect() {}
    /// The largest vertex index among indexCount indices of the bound index buffer from
    /// firstIndex; the range is already checked against the buffer's size.
    virtual std::uint32_t LargestIndex(int firstIndex, int indexCount) = 0;

    /// Releases the default state objects and the references to applied objects; backends call
    /// it before tearing down their context.
    void ReleaseDefaultState();

    /// Records a state object, layout or semantic map as pushed to the platform. The device keeps
    /// a reference to it, so the identity test of later draws never meets a new object at a freed
    /// object's address, and the backend may still read what it last pushed. (Programs are
    /// remembered by serial number instead.)
    template <class T>
    static void SetApplied(T*& slot, T* value) {
        if (value == slot)
            return;
        if (value)
            value->AddRef();
        T* old = slot;
        slot = value;
        if (old)
            old->Release();
    }
    /// The state a draw uses: the one set, or the device's default when none is set (a null
    /// state means "no particular settings", not a crash).
    BlendState* DrawBlendState() const { return blendState ? blendState : defaultBlendState.Get(); }
    DepthStencilState* DrawDepthStencilState() const {
        return depthStencilState ? depthStencilState : defaultDepthStencilState.Get();
    }
    RasterizerState* DrawRasterizerState() const {
        return rasterizerState ? rasterizerState : defaultRasterizerState.Get();
    }

    /// Makes the next draw push this kind of state again.
    template <class T>
    static void ForgetApplied(T*& slot) {
        SetApplied(slot, static_cast<T*>(nullptr));
    }

    Rect viewport = {0, 0, 0, 0};
    Rect scissor = {0, 0, 0, 0};
    BlendState* blendState = nullptr;
    DepthStencilState* depthStencilState = nullptr;
    RasterizerState* rasterizerState = nullptr;
    InputLayout* inputLayout = nullptr;
    SemanticMap* semanticMap = nullptr;
    BlendState* appliedBlendState = nullptr;
    DepthStencilState* appliedDepthStencilState = nullptr;
    RasterizerState* appliedRasterizerState = nullptr;
    InputLayout* appliedInputLayout = nullptr;
    SemanticMap* appliedSemanticMap = nullptr;
    VertexBuffer* vertexBuffers[SlotLimit] = {};
    IndexBuffer* indexBuffer = nullptr;
    PrimitiveType primitiveType = Triangles;
    Program* program = nullptr;
    std::uint64_t appliedProgram = 0; ///< serial of the program last bound, 0 for none
    Surface* colorTargets[SlotLimit] = {};
    int colorTargetCount = 0;
    Surface* depthStencilTarget = nullptr;
    DeviceStatistics statistics;

private:
    void RunDrawCallListeners();
    /// Pushes every state object the draw uses that differs from the last applied one: blend,
    /// depth-stencil, rasterizer, input layout with semantic map, program.
    void ApplyPendingState();
    void CheckLayoutStreams();
    // A draw that reads past the bound buffers would make the driver read memory it does not
    // own: refused before it is issued.
    void CheckVertexRange(int firstVertex, int vertexCount);
    void CheckIndexRange(int firstIndex, int indexCount);
    /// How many vertices the bound layout can read from the bound buffers (cached until the
    /// layout or a buffer is set again).
    std::int64_t DrawableVertices();

    std::int64_t drawableVertices = -1;
    bool layoutStale = false; ///< a vertex buffer changed since the layout was applied

    DrawCallListener* listeners[SlotLimit] = {};
    int listenerCount = 0;
    Ref<BlendState> defaultBlendState;
    Ref<DepthStencilState> defaultDepthStencilState;
    Ref<RasterizerState> defaultRasterizerState;
    Ref<SemanticMap> defaultSemanticMap;
};

} // namespace Gralith::Graphics
