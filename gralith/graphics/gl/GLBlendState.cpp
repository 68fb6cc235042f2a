#include "gralith/graphics/gl/GLBlendState.h"

#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLBlendState::GLBlendState(const BlendStateDesc& desc)
    : desc(desc), source(GLBlendOperand(desc.SourceColor)), destination(GLBlendOperand(desc.DestinationColor)),
      sourceAlpha(GLBlendOperand(desc.SourceAlpha)), destinationAlpha(GLBlendOperand(desc.DestinationAlpha)) {}

void GLBlendState::Apply(const GLFunctions& gl) const {
    if (desc.BlendEnabled) {
        gl.Enable(GL_BLEND);
        gl.BlendFuncSeparate(source, destination, sourceAlpha, destinationAlpha);
    } else {
        gl.Disable(GL_BLEND);
    }
    gl.ColorMask(desc.WriteRed, desc.WriteGreen, desc.WriteBlue, desc.WriteAlpha);
}

} // namespace Gralith::Graphics
