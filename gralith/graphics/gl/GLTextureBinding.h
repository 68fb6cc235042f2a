#pragma once

namespace Gralith::Graphics {

struct GLFunctions;

/// Binds a texture for the lifetime of the scope and restores the previous binding of that
/// target afterwards, so uploads leave the shading layer's sampler bindings untouched.
class GLTextureBinding {
public:
    GLTextureBinding(const GLFunctions& gl, unsigned int target, unsigned int texture);
    ~GLTextureBinding();
    GLTextureBinding(const GLTextureBinding&) = delete;
    GLTextureBinding& operator=(const GLTextureBinding&) = delete;

private:
    const GLFunctions& gl;
    unsigned int target;
    int previous = 0;
};

/// Byte size of one level of an upload, as the backend computes it for compressed images.
int GLCompressedImageSize(int format, int width, int height);

} // namespace Gralith::Graphics
