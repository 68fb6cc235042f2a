#pragma once

#include "gralith/Object.h"
#include "gralith/Ref.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/scenegraph/Matrix4.h"

namespace Gralith::Utils::SceneGraph {

class Animation;

/// One animated factor of a node's local matrix. The animation's channels are read as the
/// kind's parameters; channels the animation lacks read as 0 and extra ones are ignored.
class Transformation : public Object {
public:
    enum Kind {
        KindMatrix = 0,      ///< 16 channels, a row-major 4x4 matrix
        KindTranslate = 1,   ///< x, y, z
        KindRotate = 2,      ///< axis x, y, z, angle in degrees
        KindScale = 3,       ///< x, y, z
        KindLookAt = 4,      ///< eye, target, up
        KindPerspective = 5, ///< fovY in degrees, aspect, near, far
    };

    /// Takes over the caller's reference on animation (may be null: every channel reads 0).
    /// openGLDepth is the device's clip depth convention, used by perspective.
    Transformation(Animation* animation, int kind, bool openGLDepth);
    ~Transformation() override;
    Transformation(const Transformation&) = delete;
    Transformation& operator=(const Transformation&) = delete;

    /// The matrix at time; cached until the time changes. An unknown kind throws "Invalid
    /// transformation type enum" (ErrorInvalidArgument).
    const Matrix4& Evaluate(float time);

    Animation* GetAnimation() const { return animation.Get(); }
    int GetKind() const { return kind; }
    bool GetOpenGLDepth() const { return openGLDepth; }

private:
    Ref<Animation> animation;
    int kind;
    bool openGLDepth;
    Matrix4 matrix;
    float lastTime = 0.0f;
    bool dirty = true;
    Array<float> scratch;
};

} // namespace Gralith::Utils::SceneGraph
