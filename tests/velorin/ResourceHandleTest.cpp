#include "tests/velorin/ScriptFixture.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/null/NullShading.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/FSGWriter.h"
#include "gralith/utils/xml/Element.h"
#include "velorin/ResourceHandle.h"

using namespace VelorinTest;
using Gralith::Utils::Xml::Element;
using Velorin::ResourceHandle;

namespace {

using ResourceHandles = ScriptTest;

TEST_F(ResourceHandles, LoadsThroughTheProxyAndCopiesShareThePayload) {
    data.Write("doc.xml", "<Root><Child/></Root>");
    ResourceHandle<Element> handle("doc.xml");
    ASSERT_TRUE(handle.IsSet());
    EXPECT_STREQ("Root", handle->GetName().CStr());
    EXPECT_STREQ("doc.xml", handle.GetDescriptor().CStr());
    ResourceHandle<Element> copy = handle;
    EXPECT_EQ(handle.Get(), copy.Get());
    EXPECT_STREQ("doc.xml", copy.GetDescriptor().CStr());
    ResourceHandle<Element> again("doc.xml");
    EXPECT_EQ(handle.Get(), again.Get()) << "the proxy's cache answers the second request";
}

TEST_F(ResourceHandles, LoadFailuresPropagateFromTheProxy) {
    try {
        ResourceHandle<Element> handle("missing.xml");
        FAIL() << "no error";
    } catch (const Gralith::Exception& e) {
        EXPECT_EQ(0, std::string(e.GetMessage()).rfind("The following asset could not be loaded: missing.xml", 0));
    }
}

} // namespace
