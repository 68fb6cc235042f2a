#pragma once

// Loaders and assets whose behaviour each test scripts, for exercising the proxy on its own.
// They use type ids no engine loader accepts.

#include "gralith/Exception.h"
#include "gralith/utils/assets/Asset.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/Loader.h"

#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace GralithTest {

using Gralith::Exception;
using Gralith::Utils::InputStream;
using Gralith::Utils::String;
using Gralith::Utils::Assets::Asset;
using Gralith::Utils::Assets::Proxy;
using Gralith::Utils::Assets::Loaders::Loader;

constexpr int TypeA = 100;
constexpr int TypeB = 101;

class TestAsset : public Asset {
public:
    explicit TestAsset(int type, int* destroyed = nullptr) : type(type), destroyed(destroyed) {}
    ~TestAsset() override {
        if (destroyed)
            ++*destroyed;
    }
    int GetType() const override { return type; }

private:
    int type;
    int* destroyed;
};

/// A loader whose answers are given as functions; with no function for an overload it keeps the
/// base behaviour. It records every path it was called with.
class ScriptedLoader : public Loader {
public:
    using PathFunction = std::function<Asset*(int type, const std::string& path, Proxy* proxy)>;
    using StreamFunction = std::function<Asset*(int type, InputStream* stream, const std::string& path, Proxy* proxy)>;

    ScriptedLoader(const char* name, std::set<int> types, PathFunction onPath = nullptr,
                   StreamFunction onStream = nullptr, int* destroyed = nullptr)
        : onPath(std::move(onPath)), onStream(std::move(onStream)), name(name), types(std::move(types)),
          destroyed(destroyed) {}
    ~ScriptedLoader() override {
        if (destroyed)
            ++*destroyed;
    }

    Asset* Load(int type, String path, Proxy* proxy) override {
        calls.push_back(path.CStr());
        return onPath ? onPath(type, path.CStr(), proxy) : Loader::Load(type, path, proxy);
    }
    Asset* Load(int type, InputStream* stream, String path, Proxy* proxy) override {
        streamCalls.push_back(path.CStr());
        streams.push_back(stream);
        return onStream ? onStream(type, stream, path.CStr(), proxy) : Loader::Load(type, stream, path, proxy);
    }
    bool CanLoad(int type) override { return types.count(type) > 0; }
    String GetName() override { return name.c_str(); }

    std::vector<std::string> calls;
    std::vector<std::string> streamCalls;
    std::vector<InputStream*> streams;
    PathFunction onPath;
    StreamFunction onStream;

private:
    std::string name;
    std::set<int> types;
    int* destroyed;
};

/// Fails every attempt with "no " + path.
inline ScriptedLoader::PathFunction AlwaysFail() {
    return [](int, const std::string& path, Proxy*) -> Asset* { throw Exception(("no " + path).c_str()); };
}

/// Succeeds only for exactly this path, fails otherwise with "no " + path.
inline ScriptedLoader::PathFunction SucceedAt(std::string wanted, int* destroyed = nullptr) {
    return [wanted, destroyed](int type, const std::string& path, Proxy*) -> Asset* {
        if (path != wanted)
            throw Exception(("no " + path).c_str());
        auto* asset = new TestAsset(type, destroyed);
        asset->SetName(path.c_str());
        return asset;
    };
}

inline std::vector<std::string> PrefixesOf(const Proxy* proxy) {
    std::vector<std::string> out;
    for (const String& p : proxy->GetPrefixStack())
        out.push_back(p.CStr());
    return out;
}

} // namespace GralithTest
