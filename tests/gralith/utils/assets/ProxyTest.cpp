#include "TestLoaders.h"

#include "gralith/graphics/null/NullDevice.h"
#include "gralith/sound/Device.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/TextAsset.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

using namespace GralithTest;
using Gralith::Utils::Directory;
using Gralith::Utils::Assets::TextAsset;

namespace {

using Strings = std::vector<std::string>;

class ProxyTest : public ::testing::Test {
protected:
    void SetUp() override { proxy = new Proxy(nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override {
        if (proxy)
            proxy->Release();
    }

    ScriptedLoader* Add(ScriptedLoader* loader) {
        proxy->AddLoader(loader);
        return loader;
    }

    Proxy* proxy = nullptr;
};

const char* const EngineLoaderOrder[] = {"PNGLoader",  "JPEGLoader",   "Texture2DLoader", "TextureCubeLoader",
                                         "TextLoader", "ShaderLoader", "ProgramLoader",   "TrueTypeFontLoader",
                                         "FGMLoader",  "FSGLoader",    "WavLoader",       "SoundBufferLoader",
                                         "XmlLoader",  "OggLoader"};

} // namespace

TEST_F(ProxyTest, SameRequestLoadsOnceAndRecordsEachOwnerOnce) {
    ScriptedLoader* loader = Add(new ScriptedLoader("L", {TypeA}, SucceedAt("f")));
    int ownerA = 0;
    int ownerB = 0;
    Asset* first = proxy->Get(TypeA, "f", &ownerA);
    Asset* second = proxy->Get(TypeA, "f", &ownerB);
    Asset* third = proxy->Get(TypeA, "f", &ownerA);
    proxy->Get(TypeA, "f", nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, third);
    EXPECT_EQ(Strings{"f"}, loader->calls);
    ASSERT_EQ(1, proxy->GetRecords().Count());
    const Proxy::AssetRecord* record = proxy->GetRecords()[0];
    EXPECT_TRUE(record->name == "f");
    EXPECT_EQ(TypeA, record->type);
    EXPECT_EQ(first, record->asset);
    ASSERT_EQ(3, record->owners.Count());
    EXPECT_EQ(&ownerA, record->owners[0]);
    EXPECT_EQ(&ownerB, record->owners[1]);
    EXPECT_EQ(nullptr, record->owners[2]);
    EXPECT_EQ(1, first->GetRefCount()); // the proxy holds the loader's reference, nothing more
}

TEST_F(ProxyTest, TypeAndDescriptorBothKeyTheCache) {
    ScriptedLoader* loader = Add(new ScriptedLoader("L", {TypeA, TypeB}, SucceedAt("f")));
    Asset* a = proxy->Get(TypeA, "f", nullptr);
    Asset* b = proxy->Get(TypeB, "f", nullptr);
    Asset* c = proxy->Get(TypeA, "f{}", nullptr); // same file, another descriptor
    EXPECT_NE(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(TypeB, b->GetType());
    EXPECT_EQ(3u, loader->calls.size());
    EXPECT_EQ(3, proxy->GetRecords().Count());
}

TEST_F(ProxyTest, DescriptorGrammarGivesTheCandidatePaths) {
    ScriptedLoader* loader = Add(new ScriptedLoader("L", {TypeA}, AlwaysFail()));
    auto candidates = [&](const char* descriptor) {
        loader->calls.clear();
        MessageOf([&] { proxy->Get(TypeA, descriptor, nullptr); });
        return loader->calls;
    };
    EXPECT_EQ(Strings{"plain.txt"}, candidates("plain.txt"));
    EXPECT_EQ((Strings{"a/f", "b/f", "f"}), candidates("f{a;b}"));
    // No "}" after the "{": the whole descriptor is the filename.
    EXPECT_EQ(Strings{"x{a"}, candidates("x{a"));
    EXPECT_EQ(Strings{"x}{a"}, candidates("x}{a"));
    // Text after the group is ignored; so is a second group.
    EXPECT_EQ((Strings{"a/f", "f"}), candidates("f{a}tail"));
    EXPECT_EQ((Strings{"a/f", "f"}), candidates("f{a}{b}"));
    // Empty parts are skipped; a prefix already ending in "/" keeps its one slash.
    EXPECT_EQ((Strings{"a/f", "b/f", "f"}), candidates("f{;a;;b/}"));
    EXPECT_EQ(Strings{"f"}, candidates("f{}"));
    EXPECT_EQ((Strings{"a/", ""}), candidates("{a}"));
    // Loader syntax stays in the filename.
    EXPECT_EQ((Strings{"s/font.ttf:24", "font.ttf:24"}), candidates("font.ttf:24{s}"));
    EXPECT_EQ((Strings{"t/a.png;b.png", "a.png;b.png"}), candidates("a.png;b.png{t}"));
    EXPECT_TRUE(proxy->GetPrefixStack().Count() == 0);
}

TEST_F(ProxyTest, FlagsArePushedWhileLoadingButAreNotPrefixes) {
    std::vector<std::pair<std::string, std::string>> seen;
    Strings prefixesSeen;
    Add(new ScriptedLoader("L", {TypeA}, [&](int type, const std::string& path, Proxy* p) -> Asset* {
        seen.clear();
        for (const Proxy::Flag& f : p->GetFlagStack())
            seen.emplace_back(f.name.CStr(), f.value.CStr());
        prefixesSeen = PrefixesOf(p);
        if (path != "f")
            throw Exception("not yet");
        return new TestAsset(type);
    }));
    proxy->Get(TypeA, "f{$mip=4;$raw;dir;$a=b=c;$}", nullptr);
    std::vector<std::pair<std::string, std::string>> expected = {{"mip", "4"}, {"raw", ""}, {"a", "b=c"}, {"", ""}};
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(Strings{"dir/"}, prefixesSeen);
    EXPECT_EQ(0, proxy->GetFlagStack().Count());
    EXPECT_EQ(0, proxy->GetPrefixStack().Count());
}

TEST_F(ProxyTest, FailedRequestListsEveryCandidate) {
    ScriptedLoader* first = Add(new ScriptedLoader("First", {TypeA}, AlwaysFail()));
    ScriptedLoader* other = Add(new ScriptedLoader("Other", {TypeB}, AlwaysFail()));
    Add(new ScriptedLoader("Second", {TypeA}, AlwaysFail()));
    int code = -1;
    std::string message = MessageOf([&] { proxy->Get(TypeA, "f{a;b}", nullptr); }, &code);
    EXPECT_EQ("The following asset could not be loaded: f{a;b}\n"
              "First: no a/f\n"
              "First: no b/f\n"
              "First: no f\n"
              "Second: no a/f\n"
              "Second: no b/f\n"
              "Second: no f\n",
              message);
    EXPECT_EQ(0, code);
    EXPECT_EQ(3u, first->calls.size());
    EXPECT_TRUE(other->calls.empty());
    EXPECT_EQ(0, proxy->GetPrefixStack().Count());
}

TEST_F(ProxyTest, NullResultIsReportedAndTheNextLoaderStillRuns) {
    Add(new ScriptedLoader("Lazy", {TypeA}, [](int, const std::string&, Proxy*) -> Asset* { return nullptr; }));
    EXPECT_EQ("The following asset could not be loaded: f{a}\n"
              "Lazy: Loader behaved incorrectly\n"
              "Lazy: Loader behaved incorrectly\n",
              MessageOf([&] { proxy->Get(TypeA, "f{a}", nullptr); }));

    Add(new ScriptedLoader("Good", {TypeA}, SucceedAt("f")));
    Asset* asset = proxy->Get(TypeA, "f{a}", nullptr);
    ASSERT_NE(nullptr, asset);
    EXPECT_EQ(TypeA, asset->GetType());
}

TEST_F(ProxyTest, FirstSuccessEndsTheSearch) {
    ScriptedLoader* first = Add(new ScriptedLoader("First", {TypeA}, SucceedAt("b/f")));
    ScriptedLoader* second = Add(new ScriptedLoader("Second", {TypeA}, SucceedAt("f")));
    Asset* asset = proxy->Get(TypeA, "f{a;b;c}", nullptr);
    EXPECT_STREQ("f{a;b;c}", asset->GetName().CStr());
    EXPECT_EQ((Strings{"a/f", "b/f"}), first->calls);
    EXPECT_TRUE(second->calls.empty());
}

TEST_F(ProxyTest, NestedRequestsTryOuterPrefixesFirst) {
    Strings stackInInner;
    ScriptedLoader* inner =
        Add(new ScriptedLoader("Inner", {TypeB}, [&](int type, const std::string& path, Proxy* p) -> Asset* {
            stackInInner = PrefixesOf(p);
            return SucceedAt("inner")(type, path, p);
        }));
    ScriptedLoader* outer =
        Add(new ScriptedLoader("Outer", {TypeA}, [&](int type, const std::string&, Proxy* p) -> Asset* {
            p->Get(TypeB, "inner{c}", nullptr);
            return new TestAsset(type);
        }));
    proxy->Get(TypeA, "outer{a;b}", nullptr);
    EXPECT_EQ((Strings{"a/inner", "b/inner", "c/inner", "inner"}), inner->calls);
    EXPECT_EQ((Strings{"a/", "b/", "c/"}), stackInInner);
    EXPECT_EQ(Strings{"a/outer"}, outer->calls);
    EXPECT_EQ(0, proxy->GetPrefixStack().Count());
    EXPECT_EQ(2, proxy->GetRecords().Count());
}

TEST_F(ProxyTest, NestedFailureIsComposedIntoTheOuterMessage) {
    Add(new ScriptedLoader("Inner", {TypeB}, AlwaysFail()));
    Add(new ScriptedLoader("Outer", {TypeA}, [](int type, const std::string&, Proxy* p) -> Asset* {
        p->Get(TypeB, "inner", nullptr);
        return new TestAsset(type);
    }));
    const std::string innerMessage = "The following asset could not be loaded: inner\n"
                                     "Inner: no a/inner\n"
                                     "Inner: no inner\n";
    EXPECT_EQ("The following asset could not be loaded: outer{a}\n"
              "Outer: " +
                  innerMessage +
                  "\n"
                  "Outer: " +
                  innerMessage + "\n",
              MessageOf([&] { proxy->Get(TypeA, "outer{a}", nullptr); }));
    EXPECT_EQ(0, proxy->GetPrefixStack().Count());
}

TEST_F(ProxyTest, FailedNestedRequestLeavesTheOuterStacksAsTheyWere) {
    Strings before;
    Strings after;
    int flagsBefore = -1;
    int flagsAfter = -1;
    Add(new ScriptedLoader("Inner", {TypeB}, AlwaysFail()));
    Add(new ScriptedLoader("Outer", {TypeA}, [&](int type, const std::string&, Proxy* p) -> Asset* {
        before = PrefixesOf(p);
        flagsBefore = p->GetFlagStack().Count();
        try {
            p->Get(TypeB, "inner{x;y;$f=1}", nullptr);
        } catch (const Exception&) {
        }
        after = PrefixesOf(p);
        flagsAfter = p->GetFlagStack().Count();
        return new TestAsset(type);
    }));
    proxy->Get(TypeA, "outer{a;$o}", nullptr);
    EXPECT_EQ(Strings{"a/"}, before);
    EXPECT_EQ(before, after);
    EXPECT_EQ(1, flagsBefore);
    EXPECT_EQ(1, flagsAfter);
    EXPECT_EQ(0, proxy->GetFlagStack().Count());
}

TEST_F(ProxyTest, AnAssetThatRequestsItselfFailsInsteadOfRecursing) {
    Add(new ScriptedLoader("Self", {TypeA}, [](int type, const std::string&, Proxy* p) -> Asset* {
        p->Get(TypeA, "self", nullptr);
        return new TestAsset(type);
    }));
    EXPECT_EQ("The following asset could not be loaded: self\n"
              "Self: The following asset could not be loaded: self\n"
              "The asset requests itself while it is being loaded\n"
              "\n",
              MessageOf([&] { proxy->Get(TypeA, "self", nullptr); }));
    EXPECT_EQ(0, proxy->GetPrefixStack().Count());
}

TEST(Proxy, DestructionReleasesAssetsLoadersAndTheFileSystem) {
    int assetsDestroyed = 0;
    int loadersDestroyed = 0;
    Directory* directory = new Directory("data");
    Proxy* proxy = new Proxy(directory, nullptr, nullptr, nullptr);
    EXPECT_EQ(2, directory->GetRefCount());
    EXPECT_EQ(directory, proxy->GetFileSystem());
    EXPECT_EQ(nullptr, proxy->GetDevice());
    EXPECT_EQ(nullptr, proxy->GetSoundDevice());
    proxy->AddLoader(new ScriptedLoader("L", {TypeA}, SucceedAt("f", &assetsDestroyed), nullptr, &loadersDestroyed));
    proxy->Get(TypeA, "f", nullptr);
    proxy->Get(TypeA, "f{a}", nullptr);
    MessageOf([&] { proxy->Get(TypeA, "missing", nullptr); });
    proxy->Release();
    EXPECT_EQ(2, assetsDestroyed);
    EXPECT_EQ(1, loadersDestroyed);
    EXPECT_EQ(1, directory->GetRefCount());
    directory->Release();
}

namespace {

class SilentSoundDevice : public Gralith::Sound::Device {
public:
    Gralith::Sound::Buffer* CreateBuffer(int, int, int, int) override { return nullptr; }
};

} // namespace
