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

// The call counter is proven by GLDeviceTest.DrawWithUnchangedStateCostsTheUploadAndTheDrawOnly.
TEST(GLFunctions, LoadsEveryEntryPointByName) {
    GLFunctions gl;
    EXPECT_TRUE(gl.Load(&LoaderWithAGap));
    EXPECT_TRUE(static_cast<bool>(gl.BlitFramebuffer));
    // Extension entry points are asked for under their extension names.
    for (const char* name : {"glBindFramebufferEXT", "glActiveTextureARB", "glBlendFuncSeparateEXT",
                             "glRenderbufferStorageMultisampleEXT", "glCompressedTexImage2DARB"})
        EXPECT_NE(std::find(requested.begin(), requested.end(), name), requested.end()) << name;

    // One missing entry point fails the load, after every other was looked up.
    requested.clear();
    missing = "glBlitFramebufferEXT";
    EXPECT_FALSE(gl.Load(&LoaderWithAGap));
    EXPECT_FALSE(static_cast<bool>(gl.BlitFramebuffer));
    EXPECT_TRUE(static_cast<bool>(gl.GenerateMipmap)); // looked up after the gap
    EXPECT_EQ(requested.back(), "glGetFramebufferAttachmentParameterivEXT");
}

} // namespace Gralith::Graphics
