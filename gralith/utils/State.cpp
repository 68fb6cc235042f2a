#include "gralith/utils/State.h"

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/RasterizerState.h"

#include <map>
#include <vector>

namespace Gralith::Utils {

using namespace Graphics;

namespace {

template <class Desc, class Object>
struct CacheList {
    std::vector<std::pair<Desc, Object*>> entries;

    template <class Create>
    Object* Find(const Desc& desc, Create create) {
        for (auto& entry : entries)
            if (State::Matches(entry.first, desc))
                return entry.second;
        Object* object = create(desc);
        entries.emplace_back(desc, object);
        return object;
    }

    bool Holds(Object* object) const {
        for (auto& entry : entries)
            if (entry.second == object)
                return true;
        return false;
    }

    void Release() {
        for (auto& entry : entries)
            entry.second->Release();
        entries.clear();
    }
};

} // namespace

// Shared by the States of one device. It lives as long as any of them: a device at the address
// of a destroyed one must not find the old device's state objects.
struct State::Cache {
    int users = 0;
    CacheList<BlendStateDesc, BlendState> blend;
    CacheList<DepthStencilStateDesc, DepthStencilState> depthStencil;
    CacheList<RasterizerStateDesc, RasterizerState> rasterizer;
    // What the device had set before the first State, restored when the cache goes so the
    // device never keeps a released object.
    BlendState* originalBlend = nullptr;
    DepthStencilState* originalDepthStencil = nullptr;
    RasterizerState* originalRasterizer = nullptr;
};

namespace {

std::map<Device*, State::Cache*>& Caches() {
    static std::map<Device*, State::Cache*> caches;
    return caches;
}

std::map<Device*, State*>& Registered() {
    static std::map<Device*, State*> registered;
    return registered;
}

} // namespace

BlendStateDesc State::DefaultBlend() {
    return BlendStateDesc{false, BlendSrcAlpha, BlendInvSrcAlpha, BlendSrcAlpha, BlendInvSrcAlpha, true, true,
                          true,  true};
}

DepthStencilStateDesc State::DefaultDepthStencil() {
    return DepthStencilStateDesc{true,        Less,        true,        false,       Always,     0u,
                                 0xFFFFFFFFu, 0xFFFFFFFFu, StencilKeep, StencilKeep, StencilKeep};
}

RasterizerStateDesc State::DefaultRasterizer() { return RasterizerStateDesc{1.0f, 1.0f, 1, CullBack, false}; }

State::State(Device* device) : device(device) {
    Cache*& shared = Caches()[device];
    if (!shared) {
        shared = new Cache;
        shared->originalBlend = device->GetBlendState();
        shared->originalDepthStencil = device->GetDepthStencilState();
        shared->originalRasterizer = device->GetRasterizerState();
    }
    cache = shared;
    ++cache->users;
    SetDefaults();

    try {
        State*& registered = Registered()[device];
        if (registered)
            device->RemoveDrawCallListener(registered);
        device->AddDrawCallListener(this);
        registered = this;
    } catch (...) {
        Registered().erase(device);
        if (--cache->users == 0) {
            Caches().erase(device);
            delete cache;
        }
        throw;
    }
}

State::~State() {
    auto found = Registered().find(device.Get());
    if (found != Registered().end() && found->second == this) {
        device->RemoveDrawCallListener(this);
        Registered().erase(found);
    }
    if (--cache->users > 0)
        return;
    // The last State of the device: put back the device's own objects where ours are set.
    if (cache->blend.Holds(device->GetBlendState()))
        device->SetBlendState(cache->originalBlend);
    if (cache->depthStencil.Holds(device->GetDepthStencilState()))
        device->SetDepthStencilState(cache->originalDepthStencil);
    if (cache->rasterizer.Holds(device->GetRasterizerState()))
        device->SetRasterizerState(cache->originalRasterizer);
    cache->blend.Release();
    cache->depthStencil.Release();
    cache->rasterizer.Release();
    Caches().erase(device.Get());
    delete cache;
}

State* State::GetRegistered(Device* device) {
    auto found = Registered().find(device);
    return found == Registered().end() ? nullptr : found->second;
}

void State::SetDefaults() {
    blend = DefaultBlend();
    depthStencil = DefaultDepthStencil();
    rasterizer = DefaultRasterizer();
    blendDirty = depthStencilDirty = rasterizerDirty = true;
}

void State::SetBlend(BlendOperand source, BlendOperand destination) {
    blend.BlendEnabled = true;
    blend.SourceColor = source;
    blend.DestinationColor = destination;
    blend.SourceAlpha = source;
    blend.DestinationAlpha = destination;
    blendDirty = true;
}

void State::DisableBlend() {
    blend.BlendEnabled = false;
    blendDirty = true;
}

void State::SetDepthTest(CompareFunction function) {
    depthStencil.DepthEnabled = true;
    depthStencil.DepthFunction = function;
    depthStencilDirty = true;
}

void State::DisableDepthTest() {
    depthStencil.DepthEnabled = false;
    depthStencilDirty = true;
}

void State::SetDepthWrite(bool enabled) {
    depthStencil.DepthWriteEnabled = enabled;
    depthStencilDirty = true;
}

void State::OnDrawCall() {
    // Upper-left-origin backends flip off-screen images vertically (see Transform), which turns
    // the winding around.
    bool flip = flipWinding && !device->HasLowerLeftOrigin() && device->GetColorTargetCount() > 0;
    std::int32_t callerWinding = rasterizer.FrontCounterClockwise;
    if (flip) {
        rasterizer.FrontCounterClockwise = callerWinding ? 0 : 1;
        rasterizerDirty = true;
    }

    if (blendDirty) {
        blendState = cache->blend.Find(blend, [this](const BlendStateDesc& d) { return device->CreateBlendState(d); });
        blendDirty = false;
    }
    device->SetBlendState(blendState);
    if (depthStencilDirty) {
        depthStencilState = cache->depthStencil.Find(
            depthStencil, [this](const DepthStencilStateDesc& d) { return device->CreateDepthStencilState(d); });
        depthStencilDirty = false;
    }
    device->SetDepthStencilState(depthStencilState);
    if (rasterizerDirty) {
        rasterizerState = cache->rasterizer.Find(
            rasterizer, [this](const RasterizerStateDesc& d) { return device->CreateRasterizerState(d); });
        rasterizerDirty = false;
    }
    device->SetRasterizerState(rasterizerState);

    if (flip) {
        rasterizer.FrontCounterClockwise = callerWinding;
        rasterizerDirty = true;
    }
}

bool State::Matches(const BlendStateDesc& a, const BlendStateDesc& b) {
    if (a.BlendEnabled != b.BlendEnabled)
        return false;
    if (a.BlendEnabled && (a.SourceColor != b.SourceColor || a.DestinationColor != b.DestinationColor ||
                           a.SourceAlpha != b.SourceAlpha || a.DestinationAlpha != b.DestinationAlpha))
        return false;
    return a.WriteRed == b.WriteRed && a.WriteGreen == b.WriteGreen && a.WriteBlue == b.WriteBlue &&
           a.WriteAlpha == b.WriteAlpha;
}

bool State::Matches(const DepthStencilStateDesc& a, const DepthStencilStateDesc& b) {
    if (a.DepthEnabled != b.DepthEnabled)
        return false;
    if (a.DepthEnabled && (a.DepthFunction != b.DepthFunction || a.DepthWriteEnabled != b.DepthWriteEnabled))
        return false;
    if (a.StencilEnabled != b.StencilEnabled)
        return false;
    if (a.StencilEnabled &&
        (a.StencilFunction != b.StencilFunction || a.StencilReference != b.StencilReference ||
         a.StencilReadMask != b.StencilReadMask || a.StencilWriteMask != b.StencilWriteMask ||
         a.StencilFail != b.StencilFail || a.StencilDepthFail != b.StencilDepthFail || a.StencilPass != b.StencilPass))
        return false;
    return true;
}

bool State::Matches(const RasterizerStateDesc& a, const RasterizerStateDesc& b) {
    return a.FrontCounterClockwise == b.FrontCounterClockwise && a.Cull == b.Cull && a.PointSize == b.PointSize &&
           a.LineWidth == b.LineWidth && a.ScissorEnabled == b.ScissorEnabled;
}

} // namespace Gralith::Utils
