#include "gralith/utils/assets/loaders/TrueTypeFontLoader.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Font.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/ImageLimits.h"
#include "gralith/utils/assets/loaders/LoaderSupport.h"

#include <cstring>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H

namespace Gralith::Utils::Assets::Loaders {

static_assert(ImageSizeAllowed(TrueTypeFontLoader::MaxPixelSize * 16, TrueTypeFontLoader::MaxPixelSize * 16),
              "the atlas must stay within the image limits");

namespace {

constexpr int GridSize = 16;
constexpr FT_Int32 LoadRender = 4; // FT_LOAD_RENDER
constexpr FT_Error UnknownFileFormat = 2;

// One library for the process, made by the first font load.
FT_Library library = nullptr;

struct FaceHolder {
    FT_Face face = nullptr;
    FaceHolder() = default;
    FaceHolder(const FaceHolder&) = delete;
    FaceHolder& operator=(const FaceHolder&) = delete;
    ~FaceHolder() {
        if (face)
            FT_Done_Face(face);
    }
};

// An 8-bit coverage view of the rendered glyph, whatever pixel mode FreeType produced
// (embedded bitmaps come as 1-bit or other depths, and rows may be padded): indexing the
// buffer as width x rows bytes would read the wrong bytes, or past its end.
class Coverage {
public:
    explicit Coverage(const FT_Bitmap& source) {
        FT_Bitmap_Init(&converted);
        if (source.pixel_mode == FT_PIXEL_MODE_GRAY && source.num_grays == 256) {
            bitmap = &source;
            return;
        }
        if (!source.buffer || FT_Bitmap_Convert(library, &source, &converted, 1) != 0) {
            bitmap = nullptr;
            return;
        }
        bitmap = &converted;
        levels = converted.num_grays > 1 ? converted.num_grays : 2;
    }
    Coverage(const Coverage&) = delete;
    Coverage& operator=(const Coverage&) = delete;
    ~Coverage() { FT_Bitmap_Done(library, &converted); }

    int Width() const { return bitmap ? int(bitmap->width) : 0; }
    int Rows() const { return bitmap ? int(bitmap->rows) : 0; }

    /// Coverage 0-255 of pixel i of row y (0 = top).
    unsigned char At(int i, int y) const {
        int pitch = bitmap->pitch;
        const unsigned char* row = pitch >= 0 ? bitmap->buffer + std::ptrdiff_t(y) * pitch
                                              : bitmap->buffer + std::ptrdiff_t(Rows() - 1 - y) * -pitch;
        unsigned v = row[i];
        return static_cast<unsigned char>(levels == 256 ? v : v * 255u / unsigned(levels - 1));
    }

private:
    const FT_Bitmap* bitmap = nullptr;
    FT_Bitmap converted;
    int levels = 256;
};

std::vector<unsigned char> ReadWhole(InputStream* stream) {
    int size = stream->Size();
    if (size < 0)
        throw Exception(Messages::StreamSizeUnknown);
    std::vector<unsigned char> data(static_cast<std::size_t>(size));
    unsigned got = size > 0 ? stream->Read(data.data(), 1, unsigned(size)) : 0;
    data.resize(got);
    return data;
}

} // namespace

Asset* TrueTypeFontLoader::Load(int type, String path, Proxy* proxy) {
    if (type != AssetFont)
        return nullptr;

    Array<String> parts;
    path.Split(':', parts);
    if (parts.Count() < 2)
        throw Exception(MissingSize);
    if (!library && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        throw Exception(InitFailed);
    }

    std::vector<unsigned char> file;
    {
        InputStream* stream = Open(parts[0], proxy);
        try {
            file = ReadWhole(stream);
        } catch (...) {
            stream->Release();
            throw;
        }
        stream->Release();
    }

    FaceHolder holder;
    FT_Error error = FT_New_Memory_Face(library, file.data(), FT_Long(file.size()), 0, &holder.face);
    if (error == UnknownFileFormat)
        throw Exception(UnknownFormat);
    if (error != 0)
        throw Exception(LoadFailed);
    FT_Face face = holder.face;

    // The atlas is 16 x size texels square: sizes beyond the texture limit (or below one pixel)
    // would overflow it or allocate without bound.
    int size = parts[1].ToInt();
    if (size < 1 || size > MaxPixelSize || FT_Set_Pixel_Sizes(face, 0, FT_UInt(size)) != 0)
        throw Exception(SizeFailed);

    Graphics::Device* device = DeviceOf(proxy);
    const int w = GridSize * size;
    const float k = (float(w) / float(w + 1)) * (1.0f / float(w));
    std::vector<unsigned char> atlas(std::size_t(w) * w * 4, 0);
    auto* font = new Font(device);
    try {
        for (int c = 0; c < Font::GlyphCount; ++c) {
            const int x = (c % GridSize) * size;
            const int row = c / GridSize;
            const int yTop = w - row * size;

            FT_GlyphSlot slot = face->glyph;
            // A glyph FreeType cannot load is left empty rather than showing stale slot data.
            bool loaded = FT_Load_Glyph(face, FT_Get_Char_Index(face, FT_ULong(c)), LoadRender) == 0;
            static const FT_Bitmap empty{};
            const FT_Bitmap& bitmap = loaded && slot->format == FT_GLYPH_FORMAT_BITMAP ? slot->bitmap : empty;
            Coverage coverage(bitmap);
            const int width = coverage.Width();
            const int rows = coverage.Rows();

            font->SetGlyphRect(c, float(x - 1) * k, float(yTop - rows) * k, (float(x + 1 + width) + 0.5f) * k,
                               float(yTop + 1) * k);
            font->SetGlyphAdvance(c, loaded ? float(slot->advance.x) * 0.015625f : 0.0f);
            font->SetGlyphOffset(c, loaded ? float(slot->bitmap_left) : 0.0f, loaded ? float(slot->bitmap_top) : 0.0f);

            // Cell row y is atlas row w - 1 - row * size - y: the first row in memory is the
            // bottom of the image, so the glyph stands upright with its top at the cell's top.
            for (int y = 0; y < size && y < rows; ++y) {
                unsigned char* out = atlas.data() + (std::size_t(w - 1 - row * size - y) * w + x) * 4;
                for (int i = 0; i < size && i < width; ++i) {
                    unsigned char v = coverage.At(i, y);
                    unsigned char white = v > 0 ? 255 : 0;
                    out[i * 4 + 0] = white;
                    out[i * 4 + 1] = white;
                    out[i * 4 + 2] = white;
                    out[i * 4 + 3] = v;
                }
            }
        }

        Graphics::Texture2D* texture = device->CreateTexture2D(w, w, Graphics::PixelFormatR8G8B8A8, false);
        font->SetTexture(texture);
        texture->SetData(0, atlas.data(), true);
        font->SetPixelSize(float(size));
    } catch (...) {
        font->Release();
        throw;
    }
    font->SetName(path);
    return font;
}

bool TrueTypeFontLoader::CanLoad(int type) { return type == AssetFont; }

String TrueTypeFontLoader::GetName() { return "TrueTypeFontLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
