#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Device.h"
#include "gralith/utils/scenegraph/Matrix4.h"

#include <map>

namespace Gralith::Graphics {
class Parameter;
class Program;
} // namespace Gralith::Graphics

namespace Gralith::Utils {

/// The world, view and projection stacks (64 matrices each) of one device. Registered as a
/// draw-call listener, it uploads before every draw the standard matrices that the bound
/// program declares: "World", "View", "Projection", "WorldView", "ViewProjection",
/// "WorldViewProjection", "ViewportConformFactor" and "NormalMatrix", recomputing products only
/// when an input changed. Destroyed before its device; every program it has seen keeps a
/// reference until then.
class Transform : public Graphics::Device::DrawCallListener {
public:
    static constexpr int StackDepth = 64;

    /// Identity everywhere, then registers with the device (which refuses a 17th listener).
    explicit Transform(Graphics::Device* device);
    ~Transform() override;

    /// World, view and projection tops back to identity.
    void Reset();
    /// Copies the world top one level up. At most 64 levels; pops must match pushes.
    void PushWorld();
    void PopWorld();
    void SetWorld(const Matrix4& matrix);
    const Matrix4& GetWorld() const { return *worldTop; }
    const Matrix4& GetView() const { return *viewTop; }
    const Matrix4& GetProjection() const { return *projectionTop; }
    void LookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX, float upY,
                float upZ);
    /// Builds the projection for the device's clip-space depth convention.
    void Perspective(float fovYDegrees, float aspect, float zNear, float zFar);

    void OnDrawCall() override;

private:
    enum ParameterSlot {
        SlotWorld,
        SlotView,
        SlotProjection,
        SlotWorldView,
        SlotViewProjection,
        SlotWorldViewProjection,
        SlotViewportConformFactor,
        SlotNormalMatrix,
        SlotCount
    };
    struct ProgramParameters {
        Graphics::Parameter* slots[SlotCount];
    };

    const ProgramParameters& FindParameters(Graphics::Program* program);

    Ref<Graphics::Device> device; ///< held: used until this object goes
    Matrix4 world[StackDepth];
    Matrix4 view[StackDepth];
    Matrix4 projection[StackDepth];
    Matrix4* worldTop = world;
    Matrix4* viewTop = view;
    Matrix4* projectionTop = projection;
    Graphics::Program* lastProgram = nullptr;
    bool worldDirty = true;
    bool viewDirty = true;
    bool projectionDirty = true;
    bool registered = false;
    // Every program seen, with the handles of the standard names. Each program holds one
    // reference here, so an address in this map never comes back as a different program.
    std::map<Graphics::Program*, ProgramParameters> parameters;
};

} // namespace Gralith::Utils
