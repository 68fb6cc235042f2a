#include "ImageEncoding.h"
#include "LoaderTestSupport.h"

#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"

#include <gtest/gtest.h>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace GralithTest;

namespace {

using UploadList = std::vector<std::pair<int, int>>;

constexpr const char* LoadFailed = "The following asset could not be loaded: ";

// A square or rectangular RGB image of one colour.
Bytes SolidPng(int width, int height, unsigned r, unsigned g, unsigned b) {
    PngImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
        image.samples.insert(image.samples.end(), {r, g, b});
    return EncodePng(image);
}

class TextureLoading : public testing::Test {
protected:
    TextureLoading()
        : device(NullDevice::Create()), files(new Directory(directory.Path().c_str())),
          proxy(new Proxy(files.get(), device.get(), nullptr, nullptr)) {}

    Texture* Load(const char* descriptor) { return proxy->GetTexture(descriptor, nullptr); }

    std::string FailureOf(const char* descriptor) {
        return MessageOf([&] { proxy->GetTexture(descriptor, nullptr); });
    }

    std::string Missing(const std::string& name) const { return "File not found: " + directory.Path() + name; }

    // The (level, face) of every upload, in order.
    UploadList Uploads() const {
        UploadList out;
        for (const NullCall& call : device->GetCalls())
            if (call.Kind == NullTextureUpload)
                out.emplace_back(call.Args[0], call.Args[1]);
        return out;
    }

    TemporaryDirectory directory;
    Held<NullDevice> device;
    Held<Directory> files;
    Held<Proxy> proxy;
};

} // namespace

TEST_F(TextureLoading, PlainImageBecomesA2DTextureWithGeneratedMipmaps) {
    directory.Write("wall.png", SolidPng(8, 4, 1, 2, 3));
    Texture* texture = Load("wall.png");
    ASSERT_EQ(TextureType::Texture2D, texture->GetType());
    auto* texture2D = static_cast<Texture2D*>(texture);
    EXPECT_EQ(8, texture2D->GetWidth());
    EXPECT_EQ(4, texture2D->GetHeight());
    EXPECT_EQ(PixelFormatR8G8B8A8, texture->GetPixelFormat());
    EXPECT_EQ(UploadList({{0, -1}}), Uploads());
    EXPECT_EQ(1, device->CountCalls(NullGenerateMipmaps));
    // Cached: a second request makes nothing new.
    EXPECT_EQ(texture, Load("wall.png"));
    EXPECT_EQ(1u, Uploads().size());
}

TEST_F(TextureLoading, ImageThatIsNeitherPngNorJpegListsEveryCandidate) {
    // The brace prefix stays pushed while the bitmap is requested, so the bitmap request for
    // the candidate "tex/bad.png" is itself tried under "tex/" first.
    directory.Write("tex/bad.png", std::string("not an image"));
    EXPECT_EQ(std::string(LoadFailed) + "bad.png{tex}\n" + "Texture2DLoader: " + LoadFailed + "tex/bad.png\n" +
                  "PNGLoader: " + Missing("tex/tex/bad.png") + "\n" + "PNGLoader: Not a PNG file\n" +
                  "JPEGLoader: " + Missing("tex/tex/bad.png") + "\n" + "JPEGLoader: Not a JPG file\n\n" +
                  "Texture2DLoader: " + LoadFailed + "bad.png\n" + "PNGLoader: Not a PNG file\n" + "PNGLoader: " +
                  Missing("bad.png") + "\n" + "JPEGLoader: Not a JPG file\n" + "JPEGLoader: " + Missing("bad.png") +
                  "\n\n" + "TextureCubeLoader: Wildchar (*) not found in filename\n" +
                  "TextureCubeLoader: Wildchar (*) not found in filename\n",
              FailureOf("bad.png{tex}"));
}

TEST_F(TextureLoading, WildcardMakesSixFacesInCubeFaceOrder) {
    const char* faces[] = {"px", "py", "pz", "nx", "ny", "nz"};
    for (int f = 0; f < 6; ++f)
        directory.Write(std::string("sky_") + faces[f] + ".png", SolidPng(4, 4, unsigned(f), 0, 0));
    Texture* texture = Load("sky_*.png");
    ASSERT_EQ(TextureType::TextureCube, texture->GetType());
    EXPECT_EQ(4, static_cast<TextureCube*>(texture)->GetSize());
    EXPECT_EQ(UploadList({{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}}), Uploads());
    EXPECT_EQ(6, device->CountCalls(NullGenerateMipmaps));

    // Each face was requested as its own bitmap, in face order, and the bytes went in unchanged.
    std::vector<std::string> bitmaps;
    for (const Proxy::AssetRecord* record : proxy->GetRecords())
        if (record->type == AssetBitmap2D && record->asset) {
            bitmaps.push_back(record->name.CStr());
            EXPECT_EQ(int(bitmaps.size()) - 1, static_cast<Bitmap2D*>(record->asset)->GetPixels()[0]);
        }
    EXPECT_EQ(
        std::vector<std::string>({"sky_px.png", "sky_py.png", "sky_pz.png", "sky_nx.png", "sky_ny.png", "sky_nz.png"}),
        bitmaps);
}

namespace {
using BitmapLoading = TextureLoading;
}
