#include "gralith/graphics/gl/GLDepthStencilState.h"

#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLDepthStencilState::GLDepthStencilState(const DepthStencilStateDesc& desc)
    : desc(desc), depthFunction(GLCompareFunction(desc.DepthFunction)),
      stencilFunction(GLCompareFunction(desc.StencilFunction)), stencilFail(GLStencilOperation(desc.StencilFail)),
      stencilDepthFail(GLStencilOperation(desc.StencilDepthFail)), stencilPass(GLStencilOperation(desc.StencilPass)) {}

void GLDepthStencilState::Apply(const GLFunctions& gl) const {
    if (desc.DepthEnabled) {
        gl.Enable(GL_DEPTH_TEST);
        gl.DepthFunc(depthFunction);
    } else {
        gl.Disable(GL_DEPTH_TEST);
    }
    gl.DepthMask(desc.DepthWriteEnabled);
    if (desc.StencilEnabled) {
        gl.Enable(GL_STENCIL_TEST);
        gl.StencilFunc(stencilFunction, static_cast<int>(desc.StencilReference), desc.StencilReadMask);
        gl.StencilMask(desc.StencilWriteMask);
        gl.StencilOp(stencilFail, stencilDepthFail, stencilPass);
    } else {
        gl.Disable(GL_STENCIL_TEST);
    }
}

} // namespace Gralith::Graphics
