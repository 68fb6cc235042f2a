#include "gralith/graphics/gl/GLTextureBinding.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLTextureBinding::GLTextureBinding(const GLFunctions& gl, unsigned int target, unsigned int texture)
    : gl(gl), target(target) {
    gl.GetIntegerv(target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D, &previous);
    gl.BindTexture(target, texture);
}

GLTextureBinding::~GLTextureBinding() { gl.BindTexture(target, static_cast<unsigned int>(previous)); }

int GLCompressedImageSize(int format, int width, int height) {
    // Whole 4x4 blocks: 8 bytes each for DXT1, 16 for DXT3 and DXT5.
    return LevelByteSize(static_cast<PixelFormat>(format), width, height);
}

} // namespace Gralith::Graphics
