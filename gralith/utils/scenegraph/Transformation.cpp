#include "gralith/utils/scenegraph/Transformation.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/scenegraph/Animation.h"

namespace Gralith::Utils::SceneGraph {

namespace {
// Enough for the largest kind (matrix); files may give fewer channels than a kind reads.
constexpr int MinScratch = 16;
} // namespace

Transformation::Transformation(Animation* animation, int kind, bool openGLDepth)
    : kind(kind), openGLDepth(openGLDepth) {
    this->animation.Adopt(animation);
    int n = animation && animation->GetChannelCount() > MinScratch ? animation->GetChannelCount() : MinScratch;
    scratch.Reserve(n);
    for (int i = 0; i < n; ++i)
        scratch.Add(0.0f);
}

Transformation::~Transformation() = default;

const Matrix4& Transformation::Evaluate(float time) {
    if (!dirty && time == lastTime)
        return matrix;
    float* v = scratch.Data();
    if (animation)
        animation->Evaluate(time, v, scratch.Count());
    switch (kind) {
    case KindMatrix: {
        Matrix4 m(v);
        m.Transpose(); // the channels are row-major
        matrix = m;
        break;
    }
    case KindTranslate: matrix = Matrix4::Translation(v[0], v[1], v[2]); break;
    case KindRotate: matrix = Matrix4::Rotation(v[3], v[0], v[1], v[2]); break;
    case KindScale: matrix = Matrix4::Scaling(v[0], v[1], v[2]); break;
    case KindLookAt: matrix = Matrix4::LookAt(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]); break;
    case KindPerspective: matrix = Matrix4::Perspective(openGLDepth, v[0], v[1], v[2], v[3]); break;
    default: throw Exception(Messages::InvalidTransformationType, ErrorInvalidArgument);
    }
    lastTime = time;
    dirty = false;
    return matrix;
}

} // namespace Gralith::Utils::SceneGraph
