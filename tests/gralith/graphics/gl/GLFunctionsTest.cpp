#include "gralith/graphics/gl/GLFunctions.h"

#include <EGL/egl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace Gralith::Graphics {

namespace {

std::vector<std::string> requested;
const char* missing = nullptr;

void* LoaderWithAGap(const char* name) {
    requested.push_back(name);
    if (missing && std::strcmp(name, missing) == 0)
        return nullptr;
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

} // namespace

TEST(GLFunctions, LoadsEveryEntryPointByName) {
    requested.clear();
    missing = nullptr;
    GLFunctions gl;
    EXPECT_TRUE(gl.Load(&LoaderWithAGap));
    EXPECT_TRUE(static_cast<bool>(gl.BlitFramebuffer));
    // Extension entry points are asked for under their extension names.
    for (const char* name : {"glBindFramebufferEXT", "glActiveTextureARB", "glBlendFuncSeparateEXT",
                             "glRenderbufferStorageMultisampleEXT", "glCompressedTexImage2DARB"})
        EXPECT_NE(std::find(requested.begin(), requested.end(), name), requested.end()) << name;
}

TEST(GLFunctions, MissingEntryPointFailsAfterTryingAllOthers) {
    requested.clear();
    missing = "glBlitFramebufferEXT";
    GLFunctions gl;
    EXPECT_FALSE(gl.Load(&LoaderWithAGap));
    EXPECT_FALSE(static_cast<bool>(gl.BlitFramebuffer));
    EXPECT_TRUE(static_cast<bool>(gl.GenerateMipmap)); // looked up after the gap
    EXPECT_EQ(requested.back(), "glGetFramebufferAttachmentParameterivEXT");
    missing = nullptr;
}

TEST(GLFunctions, EveryCallIsCounted) {
    missing = nullptr;
    GLFunctions gl;
    ASSERT_TRUE(gl.Load(&LoaderWithAGap));
    std::uint64_t before = GLCallCounter::Calls;
    gl.GetError(); // valid without a current context: answers an error, reaches the library
    gl.GetError();
    EXPECT_EQ(GLCallCounter::Calls - before, 2u);
}

} // namespace Gralith::Graphics
