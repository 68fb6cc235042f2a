#pragma once

#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/window/win32/Win32Window.h"

#include "tests/support/Expect.h"
#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Gralith::Graphics {

using GralithTest::Near;
using GralithTest::Pixel;

/// A 64 x 64 window with a Direct3D 9 device, a colour program (position + COLOR0), a textured
/// program (position + TEXCOORD0, sampler "Tex") and one volatile buffer of eight floats per
/// vertex. What a test makes through Keep is released after the device's state is unset.
class D3D9DeviceTest : public ::testing::Test {
protected:
    static constexpr int Size = 64;

    void SetUp() override;
    void TearDown() override;

    /// Draws the rectangle (x0, y0)-(x1, y1) in clip space at depth z with one colour.
    void Quad(float x0, float y0, float x1, float y1, float z, float r, float g, float b, float a = 1.0f);
    void FullQuad(float r, float g, float b, float a = 1.0f) { Quad(-1, -1, 1, 1, 0, r, g, b, a); }
    /// Draws vertices of eight floats each (position, then colour or texture coordinates).
    void Draw(const std::vector<float>& vertices);
    /// A full-target quad for the textured program, texture coordinates (0, 0) at the
    /// lower-left to (u1, v1) at the upper-right, as the OpenGL tests draw it.
    void TexQuad(float u1 = 1, float v1 = 1);
    void UseColorProgram();
    void UseTextureProgram();
    /// One pixel of a colour surface (the back buffer when null), y counted from the top row.
    Pixel Read(int x, int y, Surface* surface = nullptr);
    /// A program of the source's vsMain and psMain, kept.
    Program* MakeProgram(const std::string& source);
    /// A program for the colour layout: clip position and colour are HLSL expressions of p and c.
    Program* ColorProgram(const std::string& uniforms, const std::string& position, const std::string& colour);
    /// A program for the textured layout: the pixel's colour is an HLSL expression of uv.
    Program* TextureProgram(const std::string& uniforms, const std::string& pixel);
    template <class T>
    T* Keep(T* object) {
        made.push_back(object);
        return object;
    }

    Win32Window* window = nullptr;
    D3D9Device* device = nullptr;
    Program* colorProgram = nullptr;
    Program* textureProgram = nullptr;
    InputLayout* colorLayout = nullptr;
    InputLayout* textureLayout = nullptr;
    VertexBuffer* quad = nullptr;
    std::vector<Object*> made;
};

/// A window of the given client size for devices a test makes itself.
Win32Window* MakeTestWindow(int width = 64, int height = 64);

} // namespace Gralith::Graphics
