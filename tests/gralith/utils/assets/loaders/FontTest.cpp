#include "ImageEncoding.h"
#include "LoaderTestSupport.h"

#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/assets/Font.h"
#include "gralith/utils/assets/Proxy.h"

#include <gtest/gtest.h>

#include <set>

#include <ft2build.h>
#include FT_FREETYPE_H

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace GralithTest;

namespace {

constexpr const char* LoadFailed = "The following asset could not be loaded: ";
const std::string FontDirectory = "/usr/share/fonts/truetype/dejavu/";

// Keeps a copy of what reaches level 0, so the atlas can be checked byte for byte.
class CapturingTexture2D : public NullTexture2D {
public:
    CapturingTexture2D(NullDevice* device, int width, int height, PixelFormat format, bool renderable)
        : NullTexture2D(device, width, height, format, renderable) {}
    void SetData(int level, const void* data, bool generateMipmaps) override {
        NullTexture2D::SetData(level, data, generateMipmaps);
        if (level == 0) {
            auto* bytes = static_cast<const unsigned char*>(data);
            pixels.assign(bytes, bytes + std::size_t(GetWidth()) * GetHeight() * 4);
            mipmapsGenerated = generateMipmaps;
        }
    }
    Bytes pixels;
    bool mipmapsGenerated = false;
};

class CapturingDevice : public NullDevice {
public:
    static CapturingDevice* Create() {
        auto* device = new CapturingDevice();
        device->SetUpDefaultState();
        device->SetRenderTargets(0, nullptr, nullptr);
        device->ClearCalls();
        return device;
    }
    Texture2D* CreateTexture2D(int width, int height, PixelFormat format, bool renderable) override {
        ++texturesCreated;
        return new CapturingTexture2D(this, width, height, format, renderable);
    }
    int texturesCreated = 0;

private:
    CapturingDevice() : NullDevice(640, 480) {}
};

// The same glyph rendered by FreeType directly: what the atlas must hold.
struct ReferenceGlyph {
    int width = 0, rows = 0, left = 0, top = 0;
    float advance = 0;
    Bytes coverage; // rows x width, top row first
};

class ReferenceFace {
public:
    ReferenceFace(const std::string& path, int size) {
        EXPECT_EQ(0, FT_Init_FreeType(&library));
        EXPECT_EQ(0, FT_New_Face(library, path.c_str(), 0, &face));
        EXPECT_EQ(0, FT_Set_Pixel_Sizes(face, 0, FT_UInt(size)));
    }
    ~ReferenceFace() {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    ReferenceGlyph Glyph(int code) const {
        ReferenceGlyph g;
        EXPECT_EQ(0, FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER));
        const FT_Bitmap& b = face->glyph->bitmap;
        EXPECT_EQ(FT_PIXEL_MODE_GRAY, b.pixel_mode);
        g.width = int(b.width);
        g.rows = int(b.rows);
        g.left = face->glyph->bitmap_left;
        g.top = face->glyph->bitmap_top;
        g.advance = float(face->glyph->advance.x) / 64.0f;
        for (int y = 0; y < g.rows; ++y)
            g.coverage.insert(g.coverage.end(), b.buffer + y * b.pitch, b.buffer + y * b.pitch + g.width);
        return g;
    }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

class FontLoading : public testing::Test {
protected:
    FontLoading()
        : device(CapturingDevice::Create()), files(new Directory(FontDirectory.c_str())),
          proxy(new Proxy(files.get(), device.get(), nullptr, nullptr)) {}

    Font* Load(const char* descriptor) {
        auto* font = dynamic_cast<Font*>(proxy->Get(AssetFont, descriptor, nullptr));
        EXPECT_TRUE(font);
        return font;
    }

    std::string FailureOf(const char* descriptor) {
        return MessageOf([&] { proxy->Get(AssetFont, descriptor, nullptr); });
    }

    static const CapturingTexture2D* Atlas(const Font* font) {
        return dynamic_cast<const CapturingTexture2D*>(font->GetTexture());
    }

    // Compares every cell of the atlas with FreeType's own rendering clipped to the cell.
    static void ExpectCellsMatchFreeType(const Font* font, int size) {
        ReferenceFace reference(FontDirectory + "DejaVuSans.ttf", size);
        const int w = 16 * size;
        const Bytes& atlas = Atlas(font)->pixels;
        ASSERT_EQ(std::size_t(w) * w * 4, atlas.size());
        for (int c = 0; c < 256; ++c) {
            ReferenceGlyph g = reference.Glyph(c);
            int x = (c % 16) * size, row = c / 16;
            for (int y = 0; y < size; ++y)
                for (int i = 0; i < size; ++i) {
                    unsigned char v = i < g.width && y < g.rows ? g.coverage[std::size_t(y) * g.width + i] : 0;
                    const unsigned char* p = &atlas[(std::size_t(w - 1 - row * size - y) * w + x + i) * 4];
                    unsigned char white = v ? 255 : 0;
                    ASSERT_EQ(white, p[0]) << "code " << c << " cell " << i << "," << y;
                    ASSERT_EQ(white, p[1]);
                    ASSERT_EQ(white, p[2]);
                    ASSERT_EQ(v, p[3]) << "code " << c << " cell " << i << "," << y;
                }
        }
    }

    Held<CapturingDevice> device;
    Held<Directory> files;
    Held<Proxy> proxy;
};

} // namespace

TEST_F(FontLoading, BadSizesAreRefused) {
    EXPECT_EQ(std::string(LoadFailed) + "DejaVuSans.ttf:big\nTrueTypeFontLoader: Unable to convert string to integer\n",
              FailureOf("DejaVuSans.ttf:big"));
    for (const char* descriptor :
         {"DejaVuSans.ttf:0", "DejaVuSans.ttf:-12", "DejaVuSans.ttf:257", "DejaVuSans.ttf:2000000000"})
        EXPECT_EQ(std::string(LoadFailed) + descriptor + "\nTrueTypeFontLoader: Error setting font pixel size\n",
                  FailureOf(descriptor));
    EXPECT_EQ(0, device->texturesCreated);
}

TEST_F(FontLoading, GlyphsStandUprightWithTheirTopAtTheCellTop) {
    Font* font = Load("DejaVuSans.ttf:12");
    // "T" (code 84: column 4, row 5): the bar is the top row of the bitmap, which is the top row
    // of the cell, which in a bottom-row-first atlas is the highest memory row of the cell.
    const Bytes& atlas = Atlas(font)->pixels;
    auto covered = [&](int cellRow) {
        int n = 0;
        for (int i = 0; i < 12; ++i)
            n += atlas[(std::size_t(191 - 60 - cellRow) * 192 + 48 + i) * 4 + 3] > 0;
        return n;
    };
    EXPECT_GE(covered(0), 6);
    EXPECT_LE(covered(6), 2);
    EXPECT_GE(covered(6), 1);
}
