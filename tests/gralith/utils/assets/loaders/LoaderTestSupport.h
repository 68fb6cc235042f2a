#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Device.h"
#include "gralith/sound/Device.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"

#include "tests/support/Expect.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace GralithTest {

struct ReleaseObject {
    void operator()(Gralith::Object* object) const {
        if (object)
            object->Release();
    }
};

/// Holds one counted reference and releases it at the end of the scope.
template <class T>
using Held = std::unique_ptr<T, ReleaseObject>;

/// How every failed request's report begins.
constexpr const char* LoadFailed = "The following asset could not be loaded: ";

/// A proxy over a fresh temporary folder with the devices given (either may be null); the fixture
/// takes over their references and releases them after the proxy and its assets.
template <class GraphicsDevice = Gralith::Graphics::Device, class SoundDevice = Gralith::Sound::Device>
class FolderProxy : public ::testing::Test {
protected:
    explicit FolderProxy(GraphicsDevice* graphics = nullptr, SoundDevice* sound = nullptr)
        : device(graphics), soundDevice(sound),
          proxy(new Gralith::Utils::Assets::Proxy(files.get(), graphics, sound, nullptr)) {}

    template <class Container>
    void Put(const std::string& name, const Container& bytes) {
        folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    /// The file system's message for a file missing below the folder.
    std::string Missing(const std::string& name) const { return "File not found: " + (folder / name); }
    std::string FailureOf(int type, const char* descriptor) {
        return MessageOf([&] { proxy->Get(type, descriptor, nullptr); });
    }

    TempDirectory folder;
    Held<GraphicsDevice> device;
    Held<SoundDevice> soundDevice;
    Held<Gralith::Utils::Directory> files{new Gralith::Utils::Directory(folder.Path().c_str())};
    Held<Gralith::Utils::Assets::Proxy> proxy;
};

} // namespace GralithTest
