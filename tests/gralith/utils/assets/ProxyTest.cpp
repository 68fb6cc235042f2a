// The proxy on its own, with loaders whose answers each test scripts (type ids no engine loader
// accepts): caching, the descriptor grammar, the search order and the failure report.
#include "gralith/utils/assets/Proxy.h"
#include "gralith/Exception.h"
#include "gralith/utils/assets/Asset.h"
#include "gralith/utils/assets/loaders/Loader.h"

#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace GralithTest;
using Gralith::Exception;
using Gralith::Utils::String;
using Gralith::Utils::Assets::Asset;
using Gralith::Utils::Assets::Proxy;
using Gralith::Utils::Assets::Loaders::Loader;

namespace {

using Strings = std::vector<std::string>;

constexpr int TypeA = 100;
constexpr int TypeB = 101;

class TestAsset : public Asset {
public:
    explicit TestAsset(int type) : type(type) {}
    int GetType() const override { return type; }

private:
    int type;
};

/// Answers path requests of its one type with a function and records every path it was called with.
class ScriptedLoader : public Loader {
public:
    using PathFunction = std::function<Asset*(int type, const std::string& path, Proxy* proxy)>;

    ScriptedLoader(const char* name, int type, PathFunction onPath)
        : name(name), type(type), onPath(std::move(onPath)) {}

    using Loader::Load;
    Asset* Load(int requested, String path, Proxy* proxy) override {
        calls.push_back(path.CStr());
        return onPath(requested, path.CStr(), proxy);
    }
    bool CanLoad(int requested) override { return requested == type; }
    String GetName() override { return name; }

    Strings calls;
    const String name;
    const int type;
    const PathFunction onPath;
};

/// Fails every attempt with "no " + path.
ScriptedLoader::PathFunction AlwaysFail() {
    return [](int, const std::string& path, Proxy*) -> Asset* { throw Exception(("no " + path).c_str()); };
}

/// Succeeds only for exactly this path, fails otherwise with "no " + path.
ScriptedLoader::PathFunction SucceedAt(std::string wanted) {
    return [wanted](int type, const std::string& path, Proxy*) -> Asset* {
        if (path != wanted)
            throw Exception(("no " + path).c_str());
        auto* asset = new TestAsset(type);
        asset->SetName(path.c_str());
        return asset;
    };
}

class ProxyTest : public ::testing::Test {
protected:
    ~ProxyTest() override { proxy->Release(); }

    ScriptedLoader* Add(ScriptedLoader* loader) {
        proxy->AddLoader(loader);
        return loader;
    }

    Proxy* proxy = new Proxy(nullptr, nullptr, nullptr, nullptr);
};

} // namespace

TEST_F(ProxyTest, SameRequestLoadsOnceAndRecordsEachOwnerOnce) {
    ScriptedLoader* loader = Add(new ScriptedLoader("L", TypeA, SucceedAt("f")));
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

TEST_F(ProxyTest, DescriptorGrammarGivesTheCandidatePaths) {
    ScriptedLoader* loader = Add(new ScriptedLoader("L", TypeA, AlwaysFail()));
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

TEST_F(ProxyTest, FailedRequestListsEveryCandidate) {
    ScriptedLoader* first = Add(new ScriptedLoader("First", TypeA, AlwaysFail()));
    ScriptedLoader* other = Add(new ScriptedLoader("Other", TypeB, AlwaysFail()));
    Add(new ScriptedLoader("Second", TypeA, AlwaysFail()));
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

TEST_F(ProxyTest, FirstSuccessEndsTheSearch) {
    ScriptedLoader* first = Add(new ScriptedLoader("First", TypeA, SucceedAt("b/f")));
    ScriptedLoader* second = Add(new ScriptedLoader("Second", TypeA, SucceedAt("f")));
    Asset* asset = proxy->Get(TypeA, "f{a;b;c}", nullptr);
    EXPECT_STREQ("f{a;b;c}", asset->GetName().CStr());
    EXPECT_EQ((Strings{"a/f", "b/f"}), first->calls);
    EXPECT_TRUE(second->calls.empty());
}

TEST_F(ProxyTest, NestedRequestsTryOuterPrefixesFirst) {
    Strings stackInInner;
    ScriptedLoader* inner =
        Add(new ScriptedLoader("Inner", TypeB, [&](int type, const std::string& path, Proxy* p) -> Asset* {
            stackInInner.clear();
            for (const String& prefix : p->GetPrefixStack())
                stackInInner.push_back(prefix.CStr());
            return SucceedAt("inner")(type, path, p);
        }));
    ScriptedLoader* outer =
        Add(new ScriptedLoader("Outer", TypeA, [&](int type, const std::string&, Proxy* p) -> Asset* {
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

TEST_F(ProxyTest, AnAssetThatRequestsItselfFailsInsteadOfRecursing) {
    Add(new ScriptedLoader("Self", TypeA, [](int type, const std::string&, Proxy* p) -> Asset* {
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
