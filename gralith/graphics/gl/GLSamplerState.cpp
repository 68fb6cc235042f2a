#include "gralith/graphics/gl/GLSamplerState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLSamplerState::GLSamplerState(const SamplerStateDesc& desc) {
    ValidateSamplerStateDesc(desc);
    magFilter = desc.MagFilter == FilterPoint ? GL_NEAREST : GL_LINEAR;
    bool point = desc.MinFilter == FilterPoint;
    switch (desc.MipFilter) {
    case FilterPoint: minFilter = point ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST; break;
    case FilterLinear: minFilter = point ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR; break;
    default: minFilter = point ? GL_NEAREST : GL_LINEAR; break;
    }
    // CLAMP samples the border colour at the edges under linear filtering; CLAMP_TO_EDGE is what
    // "clamp" means to every other backend.
    wrapS = desc.AddressU == AddressClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    wrapT = desc.AddressV == AddressClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
}

void GLSamplerState::ApplyToTexture(const GLFunctions& gl, unsigned int target) const {
    gl.TexParameteri(target, GL_TEXTURE_MAG_FILTER, static_cast<int>(magFilter));
    gl.TexParameteri(target, GL_TEXTURE_MIN_FILTER, static_cast<int>(minFilter));
    gl.TexParameteri(target, GL_TEXTURE_WRAP_S, static_cast<int>(wrapS));
    gl.TexParameteri(target, GL_TEXTURE_WRAP_T, static_cast<int>(wrapT));
}

void GLSamplerState::ApplyDefaultToTexture(const GLFunctions& gl, unsigned int target) {
    gl.TexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl.TexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl.TexParameteri(target, GL_TEXTURE_WRAP_S, GL_REPEAT);
    gl.TexParameteri(target, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

} // namespace Gralith::Graphics
