#include "TestLoaders.h"

#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/TextAsset.h"
#include "gralith/utils/assets/loaders/TextLoader.h"
#include "gralith/utils/assets/loaders/XmlLoader.h"
#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Element.h"

#include "tests/support/TempDirectory.h"

#include <cstring>
#include <stdexcept>

using namespace GralithTest;
using Gralith::Utils::Directory;
using Gralith::Utils::FileSystem;
using Gralith::Utils::Assets::TextAsset;
using Gralith::Utils::Assets::WrapperAsset;
using Gralith::Utils::Assets::Loaders::TextLoader;
using Gralith::Utils::Assets::Loaders::XmlLoader;
using Gralith::Utils::Xml::Attribute;
using Gralith::Utils::Xml::Element;
using Gralith::Utils::Xml::Node;

namespace {

using XmlAsset = WrapperAsset<Element*, 11>;

// A stream over fixed bytes that counts its own destruction and can pretend to be short.
class MemoryStream : public InputStream {
public:
    MemoryStream(std::string bytes, int* destroyed = nullptr, int reportedSize = -2)
        : bytes(std::move(bytes)), destroyed(destroyed), reportedSize(reportedSize) {}
    ~MemoryStream() override {
        if (destroyed)
            ++*destroyed;
    }
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
        return reportedSize == -2 ? static_cast<int>(bytes.size()) : reportedSize;
    }

private:
    std::string bytes;
    size_t position = 0;
    int* destroyed;
    int reportedSize;
};

class MemoryFileSystem : public FileSystem {
public:
    InputStream* Open(String path) override {
        opened.push_back(path.CStr());
        if (std::string(path.CStr()) == "missing")
            throw Exception("File not found: missing", 6);
        return new MemoryStream("bytes of " + std::string(path.CStr()), &streamsDestroyed);
    }
    std::vector<std::string> opened;
    int streamsDestroyed = 0;
};

// Overrides only the stream overload, as a file-reading loader does.
class StreamReader : public Loader {
public:
    using Loader::Load;
    std::function<Asset*(InputStream*)> read;
    Asset* Load(int, InputStream* stream, String, Proxy*) override { return read(stream); }
    bool CanLoad(int) override { return true; }
    String GetName() override { return "StreamReader"; }
};

class BaseOnly : public Loader {
public:
    bool CanLoad(int) override { return false; }
    String GetName() override { return "BaseOnly"; }
};

// A proxy over a fresh temporary data directory.
class AssetFiles : public ::testing::Test {
protected:
    void SetUp() override {
        Directory* directory = new Directory(temp.Path().c_str());
        proxy = new Proxy(directory, nullptr, nullptr, nullptr);
        directory->Release();
    }
    void TearDown() override { proxy->Release(); }

    Element* LoadXml(const char* name, const std::string& text) {
        temp.Write(name, text);
        auto* asset = dynamic_cast<XmlAsset*>(proxy->Get(11, name, nullptr));
        EXPECT_NE(nullptr, asset);
        return asset ? asset->GetValue() : nullptr;
    }

    std::string XmlFailure(const std::string& text) {
        temp.Write("bad.xml", text);
        return MessageOf([&] { proxy->Get(11, "bad.xml", nullptr); });
    }

    TempDirectory temp;
    Proxy* proxy = nullptr;
};

} // namespace

TEST(TextLoader, ShortReadsAndBadSizesAreSafe) {
    TextLoader loader;
    // The stream claims more bytes than it delivers: the text is what was read.
    MemoryStream shortStream("abc", nullptr, 100);
    Asset* asset = loader.Load(3, &shortStream, String("s"), nullptr);
    EXPECT_STREQ("abc", static_cast<TextAsset*>(asset)->GetText().CStr());
    asset->Release();

    MemoryStream broken("abc", nullptr, -1);
    EXPECT_EQ("Unable to determine the size of the stream",
              MessageOf([&] { loader.Load(3, &broken, String("b"), nullptr); }));
}

TEST_F(AssetFiles, MissingTextListsEveryPath) {
    int code = -1;
    std::string message = MessageOf([&] { proxy->GetText("missing.txt{a;b}", nullptr); }, &code);
    EXPECT_EQ("The following asset could not be loaded: missing.txt{a;b}\n"
              "TextLoader: File not found: " +
                  (temp / "a/missing.txt") +
                  "\n"
                  "TextLoader: File not found: " +
                  (temp / "b/missing.txt") +
                  "\n"
                  "TextLoader: File not found: " +
                  (temp / "missing.txt") + "\n",
              message);
    EXPECT_EQ(0, code); // the file system's code 6 does not carry over
}

TEST_F(AssetFiles, XmlTreeHoldsAttributesThenElements) {
    Element* root = LoadXml("doc.xml", "<?xml version=\"1.0\"?>\n"
                                       "<!-- comment -->\n"
                                       "<a x=\"1\" y=\"two\"><b k=\"v\"/><c>text</c><b/></a>\n");
    ASSERT_NE(nullptr, root);
    EXPECT_STREQ("a", root->GetName().CStr());
    EXPECT_EQ(nullptr, root->GetParent());
    EXPECT_EQ(0, root->GetValue().Length());
    Node* n = root->GetFirstChild();
    ASSERT_NE(nullptr, n);
    EXPECT_EQ(0, n->GetType());
    EXPECT_STREQ("x", n->GetName().CStr());
    EXPECT_STREQ("1", static_cast<Attribute*>(n)->GetValue().CStr());
    n = n->GetNextSibling();
    EXPECT_STREQ("y", n->GetName().CStr());
    n = n->GetNextSibling();
    EXPECT_EQ(1, n->GetType());
    EXPECT_STREQ("b", n->GetName().CStr());
    EXPECT_EQ(root, n->GetParent());
    EXPECT_STREQ("v", static_cast<Element*>(n)->GetAttribute("k").CStr());
    n = n->GetNextSibling();
    EXPECT_STREQ("c", n->GetName().CStr());
    EXPECT_STREQ("text", static_cast<Element*>(n)->GetValue().CStr());
    n = n->GetNextSibling();
    EXPECT_STREQ("b", n->GetName().CStr());
    EXPECT_EQ(nullptr, n->GetNextSibling());
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
    EXPECT_EQ(tooDeep, MessageOf([] { XmlLoader::Parse(Nested(200000).c_str()); }));
    EXPECT_EQ(tooDeep, MessageOf([] {
                  std::string open;
                  for (int i = 0; i < 200000; ++i)
                      open += "<a>";
                  XmlLoader::Parse(open.c_str());
              }));
    // Markup that only looks like an opening tag inside a value, a comment or CDATA does not
    // count; a quote or '/>' inside an attribute value does not hide a real one.
    EXPECT_EQ(tooDeep, MessageOf([] { XmlLoader::Parse(Nested(300, "<a x=\"/>\" y='\"'>").c_str()); }));
    const std::string level = "<a v=\"<b><b>\"><!-- <c><c> --><![CDATA[<d><d>]]>";
    root = XmlLoader::Parse(Nested(XmlLoader::MaxDepth, level).c_str());
    EXPECT_EQ(XmlLoader::MaxDepth, DepthOf(root));
    root->Release();
}
