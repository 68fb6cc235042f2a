// Text and XML files through the proxy and their loaders' own limits.
#include "loaders/LoaderTestSupport.h"

#include "gralith/utils/assets/TextAsset.h"
#include "gralith/utils/assets/loaders/TextLoader.h"
#include "gralith/utils/assets/loaders/XmlLoader.h"
#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Element.h"

#include <cstring>

using namespace GralithTest;
using Gralith::Utils::InputStream;
using Gralith::Utils::String;
using Gralith::Utils::Assets::Asset;
using Gralith::Utils::Assets::TextAsset;
using Gralith::Utils::Assets::WrapperAsset;
using Gralith::Utils::Assets::Loaders::TextLoader;
using Gralith::Utils::Assets::Loaders::XmlLoader;
using Gralith::Utils::Xml::Attribute;
using Gralith::Utils::Xml::Element;
using Gralith::Utils::Xml::Node;

namespace {

// A stream over fixed bytes that reports the size it is given.
class MemoryStream : public InputStream {
public:
    MemoryStream(std::string bytes, int reportedSize) : bytes(std::move(bytes)), reportedSize(reportedSize) {}
    unsigned Read(void* buffer, unsigned size, unsigned count) override {
        size_t available = bytes.size() - position;
        size_t items = size ? std::min<size_t>(count, available / size) : 0;
        std::memcpy(buffer, bytes.data() + position, items * size);
        position += items * size;
        return static_cast<unsigned>(items);
    }
    int Seek(int, int) override { return 1; }
    int Tell() override { return static_cast<int>(position); }
    int Size() override {
        position = 0;
        return reportedSize;
    }

private:
    std::string bytes;
    size_t position = 0;
    int reportedSize;
};

using AssetFiles = FolderProxy<>;

// The tree in one line, siblings in list order: attributes as name=value, elements as
// name{children}:text.
std::string Outline(Node* node) {
    std::string out = node->GetName().CStr();
    if (node->GetType() == 0)
        return out + "=" + static_cast<Attribute*>(node)->GetValue().CStr();
    std::string children;
    for (Node* n = node->GetFirstChild(); n; n = n->GetNextSibling()) {
        EXPECT_EQ(node, n->GetParent()) << out;
        children += (children.empty() ? "" : ",") + Outline(n);
    }
    const String text = static_cast<Element*>(node)->GetValue();
    return out + (children.empty() ? "" : "{" + children + "}") + (text.Length() ? std::string(":") + text.CStr() : "");
}

} // namespace

TEST(TextLoader, ShortReadsAndBadSizesAreSafe) {
    TextLoader loader;
    // The stream claims more bytes than it delivers: the text is what was read.
    MemoryStream shortStream("abc", 100);
    Held<Asset> asset(loader.Load(3, &shortStream, String("s"), nullptr));
    EXPECT_STREQ("abc", static_cast<TextAsset*>(asset.get())->GetText().CStr());

    MemoryStream broken("abc", -1);
    EXPECT_EQ("Unable to determine the size of the stream",
              MessageOf([&] { loader.Load(3, &broken, String("b"), nullptr); }));
}

TEST_F(AssetFiles, MissingTextListsEveryPath) {
    int code = -1;
    std::string message = MessageOf([&] { proxy->GetText("missing.txt{a;b}", nullptr); }, &code);
    EXPECT_EQ(std::string(LoadFailed) + "missing.txt{a;b}\n" + "TextLoader: " + Missing("a/missing.txt") + "\n" +
                  "TextLoader: " + Missing("b/missing.txt") + "\n" + "TextLoader: " + Missing("missing.txt") + "\n",
              message);
    EXPECT_EQ(0, code); // the file system's code 6 does not carry over
}

TEST_F(AssetFiles, XmlTreeHoldsAttributesThenElements) {
    folder.Write("doc.xml", "<?xml version=\"1.0\"?>\n<!-- comment -->\n"
                            "<a x=\"1\" y=\"two\"><b k=\"v\"/><c>text</c><b/></a>\n");
    auto* asset = dynamic_cast<WrapperAsset<Element*, 11>*>(proxy->Get(11, "doc.xml", nullptr));
    ASSERT_TRUE(asset);
    Element* root = asset->GetValue();
    EXPECT_EQ("a{x=1,y=two,b{k=v},c:text,b}", Outline(root));
    EXPECT_EQ(nullptr, root->GetParent());
    EXPECT_STREQ("v", root->GetChild("b")->GetAttribute("k").CStr());
    EXPECT_EQ(root->GetFirstChildElement(), root->GetChild("b"));
}

namespace {

std::string Nested(int depth, const std::string& open = "<a>", const std::string& close = "</a>") {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

int DepthOf(Element* root) {
    int depth = 1;
    for (Element* e = root->GetFirstChildElement(); e; e = e->GetFirstChildElement())
        ++depth;
    return depth;
}

} // namespace

TEST(XmlLoader, NestingIsLimitedBeforeTheParserRecurses) {
    Element* root = XmlLoader::Parse(Nested(XmlLoader::MaxDepth).c_str());
    EXPECT_EQ(XmlLoader::MaxDepth, DepthOf(root));
    root->Release();

    const std::string tooDeep = XmlLoader::TooDeep;
    EXPECT_EQ(tooDeep, MessageOf([] { XmlLoader::Parse(Nested(XmlLoader::MaxDepth + 1).c_str()); }));
    // Deep enough to exhaust the stack of a recursive parser, closed or not.
    for (const char* close : {"</a>", ""})
        EXPECT_EQ(tooDeep, MessageOf([&] { XmlLoader::Parse(Nested(200000, "<a>", close).c_str()); }));
    // Markup that only looks like an opening tag inside a value, a comment or CDATA does not
    // count; a quote or '/>' inside an attribute value does not hide a real one.
    EXPECT_EQ(tooDeep, MessageOf([] { XmlLoader::Parse(Nested(300, "<a x=\"/>\" y='\"'>").c_str()); }));
    const std::string level = "<a v=\"<b><b>\"><!-- <c><c> --><![CDATA[<d><d>]]>";
    root = XmlLoader::Parse(Nested(XmlLoader::MaxDepth, level).c_str());
    EXPECT_EQ(XmlLoader::MaxDepth, DepthOf(root));
    root->Release();
}
