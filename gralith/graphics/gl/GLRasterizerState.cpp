#include "gralith/graphics/gl/GLRasterizerState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLRasterizerState::GLRasterizerState(const RasterizerStateDesc& desc) : desc(desc) {
    ValidateRasterizerStateDesc(desc);
}

void GLRasterizerState::Apply(const GLFunctions& gl) const {
    if (desc.Cull == CullNone) {
        gl.Disable(GL_CULL_FACE);
    } else {
        gl.Enable(GL_CULL_FACE);
        gl.CullFace(desc.Cull == CullFront ? GL_FRONT : GL_BACK);
    }
    gl.FrontFace(desc.FrontCounterClockwise ? GL_CCW : GL_CW);
    gl.LineWidth(desc.LineWidth);
    gl.PointSize(desc.PointSize);
    if (desc.ScissorEnabled)
        gl.Enable(GL_SCISSOR_TEST);
    else
        gl.Disable(GL_SCISSOR_TEST);
}

} // namespace Gralith::Graphics
