#include "gralith/utils/scenegraph/Transform.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"

namespace Gralith::Utils {

namespace {

const char* const ParameterNames[] = {
    "World",       "View", "Projection", "WorldView", "ViewProjection", "WorldViewProjection", "ViewportConformFactor",
    "NormalMatrix"};

void Upload(Graphics::Parameter* parameter, const Matrix4& matrix) {
    if (parameter)
        parameter->SetMatrix4x4(1, matrix.Data());
}

} // namespace

Transform::Transform(Graphics::Device* device) : device(device) {
    device->AddDrawCallListener(this);
    registered = true;
}

Transform::~Transform() {
    if (registered)
        device->RemoveDrawCallListener(this);
    for (auto& entry : parameters)
        entry.first->Release();
}

void Transform::Reset() {
    *worldTop = Matrix4();
    *viewTop = Matrix4();
    *projectionTop = Matrix4();
    worldDirty = viewDirty = projectionDirty = true;
}

void Transform::PushWorld() {
    worldTop[1] = *worldTop;
    ++worldTop;
}

void Transform::PopWorld() {
    --worldTop;
    worldDirty = true;
}

void Transform::SetWorld(const Matrix4& matrix) {
    *worldTop = matrix;
    worldDirty = true;
}

void Transform::LookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX,
                       float upY, float upZ) {
    *viewTop = Matrix4::LookAt(eyeX, eyeY, eyeZ, targetX, targetY, targetZ, upX, upY, upZ);
    viewDirty = true;
}

void Transform::Perspective(float fovYDegrees, float aspect, float zNear, float zFar) {
    *projectionTop = Matrix4::Perspective(device->IsDepthRangeMinusOneToOne(), fovYDegrees, aspect, zNear, zFar);
    projectionDirty = true;
}

const Transform::ProgramParameters& Transform::FindParameters(Graphics::Program* program) {
    auto found = parameters.find(program);
    if (found != parameters.end())
        return found->second;
    ProgramParameters record;
    for (int i = 0; i < SlotCount; ++i) {
        Graphics::Parameter* parameter = program->GetParameter(ParameterNames[i]);
        record.slots[i] = parameter && parameter->IsValid() ? parameter : nullptr;
    }
    program->AddRef();
    return parameters.emplace(program, record).first->second;
}

void Transform::OnDrawCall() {
    Graphics::Program* program = device->GetProgram();
    if (!program)
        return;
    const ProgramParameters& record = FindParameters(program);
    Graphics::Parameter* const* slot = record.slots;

    float conform[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    Matrix4 savedProjection = *projectionTop;
    // Upper-left-origin backends render off-screen images upside down: flip clip-space y so the
    // image comes out as OpenGL's would, and tell the shaders.
    bool flipped = !device->HasLowerLeftOrigin() && device->GetColorTargetCount() > 0;
    if (flipped) {
        conform[1] = -1.0f;
        *projectionTop = Matrix4::Scaling(1.0f, -1.0f, 1.0f) * *projectionTop;
        projectionDirty = true;
    }

    const Matrix4& w = *worldTop;
    const Matrix4& v = *viewTop;
    const Matrix4& p = *projectionTop;

    if (program == lastProgram) {
        if (worldDirty || viewDirty || projectionDirty) {
            if (worldDirty)
                Upload(slot[SlotWorld], w);
            if (viewDirty)
                Upload(slot[SlotView], v);
            if (projectionDirty)
                Upload(slot[SlotProjection], p);
            Matrix4 worldView = v * w;
            if (worldDirty || viewDirty)
                Upload(slot[SlotWorldView], worldView);
            if (viewDirty || projectionDirty)
                Upload(slot[SlotViewProjection], p * v);
            Upload(slot[SlotWorldViewProjection], p * worldView);
            if (slot[SlotViewportConformFactor])
                slot[SlotViewportConformFactor]->SetFloat4(1, conform);
            worldDirty = viewDirty = projectionDirty = false;
        }
    } else {
        Upload(slot[SlotWorld], w);
        Upload(slot[SlotView], v);
        Upload(slot[SlotProjection], p);
        Matrix4 worldView = v * w;
        Upload(slot[SlotWorldView], worldView);
        Upload(slot[SlotViewProjection], p * v);
        Upload(slot[SlotWorldViewProjection], p * worldView);
        if (slot[SlotViewportConformFactor])
            slot[SlotViewportConformFactor]->SetFloat4(1, conform);
        if (slot[SlotNormalMatrix]) {
            Matrix4 normal = w;
            normal.Invert();
            normal.Transpose();
            float upper[9];
            normal.GetUpperLeft3x3(upper);
            slot[SlotNormalMatrix]->SetMatrix3x3(1, upper);
        }
    }

    if (flipped) {
        *projectionTop = savedProjection;
        projectionDirty = true;
    }
    lastProgram = program;
}

} // namespace Gralith::Utils
