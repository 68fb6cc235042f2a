#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/Device.h"

namespace Gralith::Graphics {
class BlendState;
class DepthStencilState;
class RasterizerState;
} // namespace Gralith::Graphics

namespace Gralith::Utils {

/// The blend, depth-stencil and rasterizer settings wanted for the next draws, kept as plain
/// descriptions and turned into the device's immutable state objects only when something is
/// drawn. Registered as the device's draw-call listener, it sets the matching state objects
/// before every draw. The objects come from a cache shared by every State of the device, so
/// each distinct description is created on the device once.
///
/// One State is registered per device: a newer one displaces an older one. States are
/// destroyed before their device.
class State : public Graphics::Device::DrawCallListener {
public:
    /// Default descriptions, all dirty; registers with the device in place of any earlier State.
    explicit State(Graphics::Device* device);
    /// Unregisters when it is the device's registered State. The last State of a device also
    /// releases the cached state objects.
    ~State() override;

    void SetDefaults();
    /// Enables blending with these operands for colour and alpha.
    void SetBlend(Graphics::BlendOperand source, Graphics::BlendOperand destination);
    void DisableBlend();
    /// Enables the depth test with this function.
    void SetDepthTest(Graphics::CompareFunction function);
    void DisableDepthTest();
    void SetDepthWrite(bool enabled);

    /// Sets the state objects for the current descriptions on the device. On upper-left-origin
    /// backends drawing off-screen, the front-face winding is inverted for this draw only, to
    /// match the transform's vertical flip.
    void OnDrawCall() override;

    const Graphics::BlendStateDesc& GetBlendDesc() const { return blend; }
    const Graphics::DepthStencilStateDesc& GetDepthStencilDesc() const { return depthStencil; }
    const Graphics::RasterizerStateDesc& GetRasterizerDesc() const { return rasterizer; }

    /// The State receiving the device's draw calls, or null.
    static State* GetRegistered(Graphics::Device* device);

    /// Description rules: which descriptions share one state object.
    static bool Matches(const Graphics::BlendStateDesc& a, const Graphics::BlendStateDesc& b);
    static bool Matches(const Graphics::DepthStencilStateDesc& a, const Graphics::DepthStencilStateDesc& b);
    static bool Matches(const Graphics::RasterizerStateDesc& a, const Graphics::RasterizerStateDesc& b);

    static Graphics::BlendStateDesc DefaultBlend();
    static Graphics::DepthStencilStateDesc DefaultDepthStencil();
    static Graphics::RasterizerStateDesc DefaultRasterizer();

    /// The state objects shared by the States of one device (defined with State).
    struct Cache;

private:
    Ref<Graphics::Device> device; ///< held: used until this object goes
    Cache* cache;
    Graphics::BlendStateDesc blend;
    Graphics::DepthStencilStateDesc depthStencil;
    Graphics::RasterizerStateDesc rasterizer;
    Graphics::BlendState* blendState = nullptr;
    Graphics::DepthStencilState* depthStencilState = nullptr;
    Graphics::RasterizerState* rasterizerState = nullptr;
    bool blendDirty = true;
    bool depthStencilDirty = true;
    bool rasterizerDirty = true;
    bool flipWinding = true;
};

} // namespace Gralith::Utils
