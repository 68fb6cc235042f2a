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

TEST_F(ShaderLoading, TwoDescriptorsWithEntriesShareTheCachedVertexShader) {
    directory.Write("a.cg", std::string("// a"));
    directory.Write("b.cg", std::string("// b"));
    directory.Write("c.cg", std::string("// c"));
    NullProgram* first = Load("a.cg:mainV;b.cg:mainP");
    NullProgram* second = Load("a.cg:mainV;c.cg:otherP");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ("mainV", first->GetVertexShader()->GetEntryPoint());
    EXPECT_EQ(VertexShader, first->GetVertexShader()->GetShaderType());
    EXPECT_EQ("mainP", first->GetPixelShader()->GetEntryPoint());
    EXPECT_EQ("// b", first->GetPixelShader()->GetSource());
    EXPECT_EQ("otherP", second->GetPixelShader()->GetEntryPoint());
    EXPECT_EQ(first->GetVertexShader(), second->GetVertexShader());
    EXPECT_EQ(3, RecordsOfType(AssetText));
    EXPECT_EQ(1, RecordsOfType(AssetVertexShader));
    EXPECT_EQ(2, RecordsOfType(AssetPixelShader));
    // The same descriptor again is the cached program.
    EXPECT_EQ(first, Load("a.cg:mainV;b.cg:mainP"));
}

TEST_F(ShaderLoading, EmptyEntryAfterColonReachesTheDeviceAsEmptyName) {
    directory.Write("a.cg", std::string("// a"));
    NullProgram* program = Load("a.cg:;a.cg:extra:ignored");
    ASSERT_TRUE(program);
    EXPECT_EQ("", program->GetVertexShader()->GetEntryPoint());
    EXPECT_EQ("extra", program->GetPixelShader()->GetEntryPoint());
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

TEST_F(ShaderLoading, ThreePartProgramFailsForTheGeometryShader) {
    directory.Write("a.cg", std::string("// a"));
    EXPECT_EQ(std::string(LoadFailed) + "a.cg;a.cg;a.cg\n" + "ProgramLoader: " + LoadFailed + "a.cg\n\n",
              MessageOf([&] { proxy->GetProgram("a.cg;a.cg;a.cg", nullptr); }));
}

TEST_F(ShaderLoading, ShaderRequestedDirectlyUsesTheDefaultEntryOfItsKind) {
    directory.Write("a.cg", std::string("// a"));
    auto* vertex =
        dynamic_cast<WrapperAsset<Shader*, AssetVertexShader>*>(proxy->Get(AssetVertexShader, "a.cg", nullptr));
    auto* pixel = dynamic_cast<WrapperAsset<Shader*, AssetPixelShader>*>(proxy->Get(AssetPixelShader, "a.cg", nullptr));
    ASSERT_TRUE(vertex && pixel);
    EXPECT_EQ("vsMain", static_cast<NullShader*>(vertex->GetValue())->GetEntryPoint());
    EXPECT_EQ("psMain", static_cast<NullShader*>(pixel->GetValue())->GetEntryPoint());
    EXPECT_EQ(String("a.cg"), vertex->GetName());
}

TEST(ShaderLoaders, AcceptTheirTypesOnly) {
    Assets::Loaders::ShaderLoader shaders;
    Assets::Loaders::ProgramLoader programs;
    EXPECT_EQ(String("ShaderLoader"), shaders.GetName());
    EXPECT_EQ(String("ProgramLoader"), programs.GetName());
    for (int type = 0; type <= 15; ++type) {
        EXPECT_EQ(type == AssetVertexShader || type == AssetPixelShader, shaders.CanLoad(type)) << type;
        EXPECT_EQ(type == AssetProgram, programs.CanLoad(type)) << type;
    }
    EXPECT_EQ(nullptr, shaders.Load(AssetProgram, String("a.cg"), nullptr));
    EXPECT_EQ(nullptr, programs.Load(AssetVertexShader, String("a.cg"), nullptr));
}
