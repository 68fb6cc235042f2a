#pragma once

#include "gralith/graphics/Program.h"

namespace Gralith::Graphics {

/// A program of the OpenGL backend.
class GLProgram : public Program {
public:
    /// Makes both stages current (glUseProgram for a linked GLSL program).
    virtual void Bind() = 0;
};

} // namespace Gralith::Graphics
