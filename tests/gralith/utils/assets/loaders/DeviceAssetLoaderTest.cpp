// Textures, programs and fonts requested through the proxy onto the recording null device: what
// reaches the device, and how failures nest. Drawing with them is checked on OpenGL in gl/.
#include "LoaderTestSupport.h"
#include "tests/support/ImageEncoding.h"

#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"

#include <gtest/gtest.h>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace GralithTest;

namespace {

class DeviceAssets : public FolderProxy<NullDevice> {
protected:
    DeviceAssets() : FolderProxy(NullDevice::Create()) {}
};

} // namespace

TEST_F(DeviceAssets, PlainImageBecomesA2DTextureWithGeneratedMipmaps) {
    Put("wall.png", EncodePng(PngImage(8, 4)));
    auto* texture = dynamic_cast<Texture2D*>(proxy->GetTexture("wall.png", nullptr));
    ASSERT_TRUE(texture);
    EXPECT_EQ(8, texture->GetWidth());
    EXPECT_EQ(4, texture->GetHeight());
    EXPECT_EQ(PixelFormatR8G8B8A8, texture->GetPixelFormat());
    // One upload of level 0 of a 2D texture (face -1), mipmaps made by the device; cached after.
    EXPECT_EQ(texture, proxy->GetTexture("wall.png", nullptr));
    std::vector<std::pair<int, int>> uploads;
    for (const NullCall& call : device->GetCalls())
        if (call.Kind == NullTextureUpload)
            uploads.emplace_back(call.Args[0], call.Args[1]);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, -1}}), uploads);
    EXPECT_EQ(1, device->CountCalls(NullGenerateMipmaps));
}

TEST_F(DeviceAssets, ImageThatIsNeitherPngNorJpegListsEveryCandidate) {
    // The brace prefix stays pushed while the bitmap is requested, so the bitmap request for
    // the candidate "tex/bad.png" is itself tried under "tex/" first.
    Put("tex/bad.png", std::string("not an image"));
    EXPECT_EQ(std::string(LoadFailed) + "bad.png{tex}\n" + "Texture2DLoader: " + LoadFailed + "tex/bad.png\n" +
                  "PNGLoader: " + Missing("tex/tex/bad.png") + "\n" + "PNGLoader: Not a PNG file\n" +
                  "JPEGLoader: " + Missing("tex/tex/bad.png") + "\n" + "JPEGLoader: Not a JPG file\n\n" +
                  "Texture2DLoader: " + LoadFailed + "bad.png\n" + "PNGLoader: Not a PNG file\n" + "PNGLoader: " +
                  Missing("bad.png") + "\n" + "JPEGLoader: Not a JPG file\n" + "JPEGLoader: " + Missing("bad.png") +
                  "\n\n" + "TextureCubeLoader: Wildchar (*) not found in filename\n" +
                  "TextureCubeLoader: Wildchar (*) not found in filename\n",
              FailureOf(AssetTexture, "bad.png{tex}"));
}

TEST_F(DeviceAssets, MissingShaderFileNestsEveryLevelOfTheFailure) {
    EXPECT_EQ(std::string(LoadFailed) + "missing.cg\n" + "ProgramLoader: " + LoadFailed + "missing.cg\n" +
                  "ShaderLoader: " + LoadFailed + "missing.cg\n" + "TextLoader: " + Missing("missing.cg") + "\n\n\n",
              MessageOf([&] { proxy->GetProgram("missing.cg", nullptr); }));
    // The failure is not cached: once the file exists the same request succeeds.
    Put("missing.cg", std::string("// here now"));
    EXPECT_TRUE(proxy->GetProgram("missing.cg", nullptr));
}

TEST_F(DeviceAssets, BadFontSizesAreRefusedBeforeAnyAtlasIsMade) {
    Held<Proxy> fonts(new Proxy(Held<Directory>(new Directory("/usr/share/fonts/truetype/dejavu/")).get(), device.get(),
                                nullptr, nullptr));
    auto failure = [&](const std::string& descriptor) {
        return MessageOf([&] { fonts->Get(AssetFont, descriptor.c_str(), nullptr); });
    };
    EXPECT_EQ(std::string(LoadFailed) + "DejaVuSans.ttf:big\nTrueTypeFontLoader: Unable to convert string to integer\n",
              failure("DejaVuSans.ttf:big"));
    for (const char* descriptor :
         {"DejaVuSans.ttf:0", "DejaVuSans.ttf:-12", "DejaVuSans.ttf:257", "DejaVuSans.ttf:2000000000"})
        EXPECT_EQ(std::string(LoadFailed) + descriptor + "\nTrueTypeFontLoader: Error setting font pixel size\n",
                  failure(descriptor));
    EXPECT_EQ(0, device->CountCalls(NullTextureUpload));
}
