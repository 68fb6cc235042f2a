#pragma once

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/gl/EGLGLDevice.h"

#include "tests/support/Expect.h"
#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Gralith::Graphics {

using GralithTest::Near;
using GralithTest::Pixel;

/// A 64 x 64 headless device with a colour program (position + colour attributes), a textured
/// program (position + TEXCOORD0, sampler "Tex") and one volatile quad buffer. What a test makes
/// through Keep is released after the device's state is unset.
class GLDeviceTest : public ::testing::Test {
protected:
    static constexpr int Size = 64;

    void SetUp() override;
    void TearDown() override;
    virtual EGLGLDevice* CreateDevice() { return EGLGLDevice::Create(Size, Size); }

    /// Draws the rectangle (x0, y0)-(x1, y1) in clip space at depth z with one colour.
    void Quad(float x0, float y0, float x1, float y1, float z, float r, float g, float b, float a = 1.0f);
    void FullQuad(float r, float g, float b, float a = 1.0f) { Quad(-1, -1, 1, 1, 0, r, g, b, a); }
    /// A full-target quad for the textured program, texture coordinates (0, 0) to (u1, v1).
    void TexQuad(float u1 = 1, float v1 = 1);
    void UseColorProgram();
    void UseTextureProgram();
    /// One pixel of a colour surface (the back buffer when null), y counted from the bottom.
    Pixel Read(int x, int y, Surface* surface = nullptr);
    /// A program of the Cg source's vsMain and psMain, kept.
    Program* MakeProgram(const std::string& source);
    template <class T>
    T* Keep(T* object) {
        made.push_back(object);
        return object;
    }

    /// The textured program's vertex stage: position and TEXCOORD0 passed through.
    static const char* const TexturedVertex;

    EGLGLDevice* device = nullptr;
    Program* colorProgram = nullptr;
    Program* textureProgram = nullptr;
    InputLayout* colorLayout = nullptr;
    InputLayout* textureLayout = nullptr;
    VertexBuffer* quad = nullptr;
    std::vector<Object*> made;
};

} // namespace Gralith::Graphics
