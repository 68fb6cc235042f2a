#include "gralith/graphics/gl/GLBufferObject.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLBufferObject::GLBufferObject(GLDevice* device, unsigned int target, BufferMode mode, int size)
    : device(device), target(target), usage(GLBufferUsage(mode)), size(size) {
    if (size < 0)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    device->ClearErrors();
    gl.GenBuffers(1, &name);
    gl.BindBuffer(target, name);
    gl.BufferData(target, size, nullptr, usage);
    // An out-of-memory driver leaves the buffer without storage: a later draw would read nothing.
    if (device->TakeError() != GL_NO_ERROR) {
        gl.DeleteBuffers(1, &name);
        throw Exception(target == GL_ARRAY_BUFFER ? Messages::VertexBufferCreation : Messages::IndexBufferCreation,
                        ErrorGeneral);
    }
}

GLBufferObject::~GLBufferObject() {
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    if (locked) {
        gl.BindBuffer(target, name);
        gl.UnmapBuffer(target);
    }
    gl.DeleteBuffers(1, &name);
}

void GLBufferObject::SetData(const void* data, int offset, int size) {
    if (size == 0)
        size = this->size - offset;
    if (offset < 0 || size < 0 || offset > this->size - size)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    if (locked)
        throw Exception(Messages::BufferLocked, ErrorInvalidState);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.BindBuffer(target, name);
    if (offset == 0 && size == this->size)
        gl.BufferData(target, size, data, usage); // a whole new store: the driver may rename it
    else if (data)
        gl.BufferSubData(target, offset, size, data);
    ++device->Statistics().BufferUploads;
}

void* GLBufferObject::Lock(LockMode mode, int offset, int size) {
    unsigned int access = GLLockAccess(mode);
    if (locked)
        throw Exception(Messages::BufferLocked, ErrorInvalidState);
    if (size == 0)
        size = this->size - offset;
    if (offset < 0 || size < 0 || offset > this->size - size)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.BindBuffer(target, name);
    void* mapped = gl.MapBuffer(target, access);
    if (!mapped)
        throw Exception(Messages::BufferMapFailed, ErrorGeneral);
    locked = true;
    return static_cast<unsigned char*>(mapped) + offset;
}

void GLBufferObject::Unlock() {
    if (!locked)
        return;
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.BindBuffer(target, name);
    gl.UnmapBuffer(target);
    locked = false;
}

} // namespace Gralith::Graphics
