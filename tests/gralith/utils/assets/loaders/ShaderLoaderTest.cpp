#include "ImageEncoding.h"
#include "LoaderTestSupport.h"

#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullShading.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/ProgramLoader.h"
#include "gralith/utils/assets/loaders/ShaderLoader.h"

#include <gtest/gtest.h>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace GralithTest;

namespace {

constexpr const char* LoadFailed = "The following asset could not be loaded: ";

class ShaderLoading : public testing::Test {
protected:
    ShaderLoading()
        : device(NullDevice::Create()), files(new Directory(directory.Path().c_str())),
          proxy(new Proxy(files.get(), device.get(), nullptr, nullptr)) {}

    NullProgram* Load(const char* descriptor) {
        Program* program = proxy->GetProgram(descriptor, nullptr);
        auto* nullProgram = dynamic_cast<NullProgram*>(program);
        EXPECT_TRUE(nullProgram);
        return nullProgram;
    }

    int RecordsOfType(int type) const {
        int n = 0;
        for (const Proxy::AssetRecord* record : proxy->GetRecords())
            n += record->type == type && record->asset ? 1 : 0;
        return n;
    }

    std::string Missing(const std::string& name) const { return "File not found: " + directory.Path() + name; }

    TemporaryDirectory directory;
    Held<NullDevice> device;
    Held<Directory> files;
    Held<Proxy> proxy;
};

} // namespace

TEST_F(ShaderLoading, OneFileCompilesVsMainAndPsMainAndIsReadOnce) {
    directory.Write("shaders/glow.cg", std::string("uniform float4 Tint; // glow"));
    NullProgram* program = Load("shaders/glow.cg");
    ASSERT_TRUE(program);
    EXPECT_EQ(VertexShader, program->GetVertexShader()->GetShaderType());
    EXPECT_EQ("vsMain", program->GetVertexShader()->GetEntryPoint());
    EXPECT_EQ(PixelShader, program->GetPixelShader()->GetShaderType());
    EXPECT_EQ("psMain", program->GetPixelShader()->GetEntryPoint());
    EXPECT_EQ("uniform float4 Tint; // glow", program->GetPixelShader()->GetSource());
    EXPECT_EQ(1, RecordsOfType(AssetText));
    EXPECT_EQ(1, RecordsOfType(AssetVertexShader));
    EXPECT_EQ(1, RecordsOfType(AssetPixelShader));
}

TEST_F(ShaderLoading, SourcesAreSearchedUnderTheOuterPrefixes) {
    directory.Write("shaders/fx.cg", std::string("// fx"));
    NullProgram* program = Load("fx.cg{shaders}");
    ASSERT_TRUE(program);
    EXPECT_EQ("// fx", program->GetVertexShader()->GetSource());
    EXPECT_TRUE(proxy->GetPrefixStack().Count() == 0);
}

TEST_F(ShaderLoading, MissingShaderFileNestsEveryLevelOfTheFailure) {
    EXPECT_EQ(std::string(LoadFailed) + "missing.cg\n" + "ProgramLoader: " + LoadFailed + "missing.cg\n" +
                  "ShaderLoader: " + LoadFailed + "missing.cg\n" + "TextLoader: " + Missing("missing.cg") + "\n\n\n",
              MessageOf([&] { proxy->GetProgram("missing.cg", nullptr); }));
    // The failure is not cached: once the file exists the same request succeeds.
    directory.Write("missing.cg", std::string("// here now"));
    EXPECT_TRUE(Load("missing.cg"));
}
